#include "conversion/ConversionPlan.h"

#include "conversion/ArgumentBuilder.h"
#include "conversion/BatchSettings.h"
#include "conversion/ImagePath.h"
#include "model/Media.h"
#include "model/MediaTarget.h"
#include "settings/ConversionSettings.h"
#include "tools/FFmpegRunner.h"
#include "tools/ProbeResult.h"

#include <QDir>

namespace {

const QString microDvdTargetId = QStringLiteral("subtitle.sub");

} // namespace

PlanSource PlanSource::of(const Media &item)
{
    return {item.pathString(), item.baseName(), item.importRoot(), item.group(), item.duration()};
}

QString ConversionPlan::ffmpegDestination(const QString &temporaryOutput) const
{
    if (route != ConversionRoute::microDvdThroughSrt)
        return temporaryOutput;
    const QFileInfo info(temporaryOutput);
    const QString stem = info.suffix().isEmpty() ? info.fileName() : info.completeBaseName();
    return info.dir().filePath(stem + QStringLiteral(".srt"));
}

QStringList ConversionPlan::ffmpegArguments(const QString &destination, const QString &source) const
{
    if (!runsFFmpeg())
        return {};
    return ::ffmpegArguments(source.isEmpty() ? sourcePath : source, destination, ffArgs,
                             overwrite);
}

bool planNeedsHardwareProfile(const MediaTarget &target, const ConversionSettings &settings)
{
    return target.hasOption(MediaOption::hwAccel) && settings.hardwareAcceleration;
}

QString plannedOutputPath(const PlanSource &source, const MediaTarget &target,
                          const QString &destination, const ConversionSettings &settings)
{
    QString name = source.baseName;
    const QString ext = target.outputExtension(settings.videoToAudio);
    if (!ext.isEmpty())
        name += u'.' + ext;
    if (destination.isEmpty())
        return QFileInfo(source.path).absoluteDir().filePath(name);
    QDir folder(destination);
    if (settings.keepFolderStructure && !source.importRoot.isEmpty()) {
        const QString below
            = QDir(source.importRoot).relativeFilePath(QFileInfo(source.path).absolutePath());
        // A source outside its root (a link resolved elsewhere) has no place
        // below the destination; it goes to the destination itself.
        if (below != u"." && !below.startsWith(QLatin1String("..")) && QDir::isRelativePath(below))
            return QDir::cleanPath(folder.filePath(below + u'/' + name));
    }
    return folder.filePath(name);
}

SourceVideo sourceVideoOf(const ProbeResult &probe)
{
    for (const ProbeStream &stream : probe.streams) {
        if (stream.codecType != u"video")
            continue;
        return {int(stream.width.value_or(0)), int(stream.height.value_or(0)),
                stream.pixelFormat.value_or(QString()), stream.frameRate.value_or(0.0),
                stream.bitrate.value_or(probe.bitrate.value_or(0)),
                stream.codecName.value_or(QString())};
    }
    return {};
}

ConversionPlan planConversion(const PlanSource &source, const MediaTarget &target,
                              const QString &destination, const BatchSettings &batch,
                              const ConversionSettings &settings, const HardwareProfile &profile,
                              bool overwrite)
{
    ConversionPlan plan;
    plan.sourcePath = source.path;
    plan.outputPath = plannedOutputPath(source, target, destination, settings);
    plan.overwrite = overwrite;
    if (usesImagePath(source.path, target.group == MediaGroup::image)) {
        // libvips writes every image format but WebP itself; ffmpeg encodes
        // its PNG with default options.
        plan.route = target.ext.compare(u"webp", Qt::CaseInsensitive) == 0
            ? ConversionRoute::webpThroughPng
            : ConversionRoute::imagePath;
        return plan;
    }
    plan.route = target.id == microDvdTargetId ? ConversionRoute::microDvdThroughSrt
                                               : ConversionRoute::ffmpeg;
    plan.ffArgs = makeFFArgs(target, batch, profile, settings, source.video, source.loudness,
                             source.cover);
    // ffmpeg reads text subtitles as UTF-8 unless told otherwise.
    if (source.group == MediaGroup::subtitle && source.textEncoding)
        plan.ffArgs.inputOptions << QStringLiteral("-sub_charenc") << *source.textEncoding;
    return plan;
}
