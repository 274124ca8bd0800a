#include "conversion/BatchSettings.h"

#include "settings/VideoCodec.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

bool isBlankTimeText(const QString &text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c == u' ' || c == u'\t'; });
}

std::optional<double> timeTextSeconds(const QString &text)
{
    QString time = text.trimmed();
    // ffmpeg also takes seconds with a unit: "90s", "1500ms", "250000us".
    double unit = 1.0;
    if (!time.contains(u':')) {
        for (const auto &[suffix, scale] :
             {std::pair {u"ms", 1e-3}, std::pair {u"us", 1e-6}, std::pair {u"s", 1.0}}) {
            if (time.endsWith(QStringView(suffix))) {
                time.chop(QStringView(suffix).size());
                unit = scale;
                break;
            }
        }
    }
    const QStringList parts = time.split(u':');
    if (parts.size() > 3)
        return std::nullopt;
    double seconds = 0;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        bool ok = false;
        const double value = parts.at(i).toDouble(&ok);
        // Only the last part may have a fraction; the others are whole.
        if (!ok || !std::isfinite(value) || value < 0
            || (i + 1 < parts.size() && parts.at(i).contains(u'.')))
            return std::nullopt;
        seconds = seconds * 60 + value;
    }
    return seconds * unit;
}

std::optional<double> BatchSettings::keptDuration(std::optional<double> duration) const
{
    const bool hasStart = trimEnabled && !isBlankTimeText(trimStart);
    const bool hasEnd = trimEnabled && !isBlankTimeText(trimEnd);
    const std::optional<double> start = hasStart ? timeTextSeconds(trimStart) : 0.0;
    std::optional<double> end = hasEnd ? timeTextSeconds(trimEnd) : duration;
    if (!start || !end)
        return std::nullopt;
    if (duration)
        end = std::min(*end, *duration);
    return std::max(*end - *start, 0.0);
}

std::optional<QString> BatchSettings::trimProblem() const
{
    if (!trimEnabled)
        return std::nullopt;
    std::optional<double> bounds[2];
    const QString *texts[2] = {&trimStart, &trimEnd};
    for (int i = 0; i < 2; ++i) {
        if (isBlankTimeText(*texts[i]))
            continue;
        bounds[i] = timeTextSeconds(*texts[i]);
        if (!bounds[i])
            return QCoreApplication::translate("BatchSettings",
                                               "\"%1\" is not a time: use seconds or HH:MM:SS")
                .arg(texts[i]->trimmed());
    }
    if (bounds[0] && bounds[1] && *bounds[1] <= *bounds[0])
        return QCoreApplication::translate("BatchSettings", "End must be later than Start");
    return std::nullopt;
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
