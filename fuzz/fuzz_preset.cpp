// Preset JSON as the store holds it: one object, or the objects of an array.
#include "settings/ConversionPreset.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <cstdint>
#include <cstdlib>

namespace {

void decode(const QJsonObject &object)
{
    const auto preset = ConversionPreset::fromJson(object);
    if (!preset)
        return;
    // What is decoded is saved again the same way.
    if (ConversionPreset::fromJson(preset->toJson()) != preset)
        std::abort();
    (void)preset->target();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QJsonDocument document = QJsonDocument::fromJson(
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (document.isObject())
        decode(document.object());
    for (const QJsonValue &value : document.array())
        decode(value.toObject());
    return 0;
}
