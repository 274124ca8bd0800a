// Values as QSettings hands them back from an INI file: a text, or a list of
// texts where the file held unquoted commas (here: one per input line).
#include "settings/StoredValue.h"

#include <QStringList>

#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const QVariant &stored : {QVariant(text), QVariant(text.split(u'\n'))}) {
        (void)StoredValue::toBool(stored);
        (void)StoredValue::toInteger(stored);
        (void)StoredValue::toText(stored);
        if (const auto number = StoredValue::toDouble(stored); number && !std::isfinite(*number))
            std::abort();
        (void)StoredValue::toJsonObjects(stored);
    }
    return 0;
}
