#include "conversion/BatchSettings.h"

#include "settings/VideoCodec.h"

#include <algorithm>

bool isBlankTimeText(const QString &text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c == u' ' || c == u'\t'; });
}

QStringList BatchSettings::trimStartArguments() const
{
    if (!trimEnabled || isBlankTimeText(trimStart))
        return {};
    return {QStringLiteral("-ss"), trimStart};
}

QStringList BatchSettings::trimEndArguments() const
{
    if (!trimEnabled || isBlankTimeText(trimEnd))
        return {};
    return {QStringLiteral("-to"), trimEnd};
}

QStringList BatchSettings::scaleArguments(bool videoTarget,
                                          const QString &videoCodecPreference) const
{
    const std::optional<QString> filter = filterArgument(scale);
    if (!videoTarget || !filter || videoCodecPreference == rawValue(VideoCodec::copy))
        return {};
    return {QStringLiteral("-vf"), *filter};
}
