#include "settings/Decision.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<Decision, const char16_t *>, 4> rawValues {{
    {Decision::none, u"none"},
    {Decision::snoozed, u"snoozed"},
    {Decision::declined, u"declined"},
    {Decision::subscribed, u"subscribed"},
}};

} // namespace

QString rawValue(Decision decision)
{
    for (const auto &[value, raw] : rawValues) {
        if (value == decision)
            return QString::fromUtf16(raw);
    }
    return QStringLiteral("none");
}

Decision decisionFromRawValue(const QString &raw)
{
    for (const auto &[value, text] : rawValues) {
        if (raw == QStringView(text))
            return value;
    }
    return Decision::none;
}
