#include "conversion/ClassificationProbe.h"

#include "conversion/ImagePath.h"
#include "tools/MediaProbe.h"
#include "tools/ProbeResult.h"

#include <QSet>

namespace {

// libavformat's readers of plain text. Each claims text that merely looks
// like its format (the teletype reader any .nfo or .diz), and none of them
// holds media: subtitle files are known by their names.
bool isTextReader(const std::optional<QString> &formatName)
{
    static const QSet<QString> readers {
        QStringLiteral("tty"),       QStringLiteral("bin"),        QStringLiteral("xbin"),
        QStringLiteral("adf"),       QStringLiteral("idf"),        QStringLiteral("lrc"),
        QStringLiteral("ffmetadata"), QStringLiteral("concat"),    QStringLiteral("srt"),
        QStringLiteral("ass"),       QStringLiteral("webvtt"),     QStringLiteral("microdvd"),
        QStringLiteral("subviewer"), QStringLiteral("subviewer1"), QStringLiteral("sami"),
        QStringLiteral("realtext"),  QStringLiteral("jacosub"),    QStringLiteral("mpl2"),
        QStringLiteral("mpsub"),     QStringLiteral("pjs"),        QStringLiteral("vplayer"),
        QStringLiteral("aqtitle"),   QStringLiteral("stl"),        QStringLiteral("scc"),
    };
    return formatName && readers.contains(*formatName);
}

} // namespace

ProbeSummary classificationSummary(const ProbeResult &result)
{
    ProbeSummary summary;
    summary.textReader = isTextReader(result.formatName);
    summary.duration = result.duration;
    summary.formatLongName = result.formatLongName;
    for (const ProbeStream &stream : result.streams) {
        if (!stream.decodable)
            continue;
        if (stream.codecType == QLatin1String("video")) {
            if (stream.attachedPicture) {
                summary.stillPicture = true;
            } else if (!summary.movingPicture) {
                summary.movingPicture = true;
                if (stream.width.value_or(0) > 0 && stream.height.value_or(0) > 0)
                    summary.frameSize = QSize(int(*stream.width), int(*stream.height));
            }
        } else if (stream.codecType == QLatin1String("audio")) {
            summary.audio = true;
        } else if (stream.codecType == QLatin1String("subtitle")) {
            summary.subtitle = true;
        }
    }
    return summary;
}

std::optional<ProbeSummary> probeForClassification(const QString &path)
{
    // Its text header would be taken for subtitles.
    if (path.endsWith(QLatin1String(".hdr"), Qt::CaseInsensitive) && isRadiancePicture(path)) {
        ProbeSummary picture;
        picture.stillPicture = true;
        picture.formatLongName = QStringLiteral("Radiance HDR");
        return picture;
    }
    const std::optional<ProbeResult> result = probeMedia(path);
    if (!result)
        return std::nullopt;
    return classificationSummary(*result);
}
