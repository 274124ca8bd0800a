#include "conversion/VideoScale.h"

#include <QCoreApplication>

namespace {

struct ScaleRow {
    VideoScale scale;
    const char *raw;
    int height; // 0: keep the input's size
};

// The raw values double as translation sources for the picker labels.
constexpr ScaleRow scaleTable[] = {
    {VideoScale::original, QT_TRANSLATE_NOOP("VideoScale", "Original"), 0},
    {VideoScale::p2160, QT_TRANSLATE_NOOP("VideoScale", "2160p (4K)"), 2160},
    {VideoScale::p1440, QT_TRANSLATE_NOOP("VideoScale", "1440p"), 1440},
    {VideoScale::p1080, QT_TRANSLATE_NOOP("VideoScale", "1080p"), 1080},
    {VideoScale::p720, QT_TRANSLATE_NOOP("VideoScale", "720p"), 720},
    {VideoScale::p480, QT_TRANSLATE_NOOP("VideoScale", "480p"), 480},
    {VideoScale::p360, QT_TRANSLATE_NOOP("VideoScale", "360p"), 360},
};

const ScaleRow &rowOf(VideoScale scale)
{
    for (const ScaleRow &row : scaleTable) {
        if (row.scale == scale)
            return row;
    }
    Q_UNREACHABLE();
}

} // namespace

QList<VideoScale> allVideoScales()
{
    QList<VideoScale> scales;
    for (const ScaleRow &row : scaleTable)
        scales.append(row.scale);
    return scales;
}

QString rawValue(VideoScale scale)
{
    return QString::fromLatin1(rowOf(scale).raw);
}

std::optional<VideoScale> videoScaleFromRawValue(const QString &raw)
{
    for (const ScaleRow &row : scaleTable) {
        if (raw == QLatin1StringView(row.raw))
            return row.scale;
    }
    return std::nullopt;
}

QString label(VideoScale scale)
{
    return QCoreApplication::translate("VideoScale", rowOf(scale).raw);
}

std::optional<QString> filterArgument(VideoScale scale)
{
    const int height = rowOf(scale).height;
    if (height == 0)
        return std::nullopt;
    return QStringLiteral("scale=-2:%1").arg(height);
}
