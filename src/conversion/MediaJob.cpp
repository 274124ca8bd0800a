#include "conversion/MediaJob.h"

#include "conversion/ArgumentBuilder.h"
#include "conversion/HardwareDetection.h"
#include "conversion/ImageConversion.h"
#include "conversion/ImagePath.h"
#include "conversion/LoudnessScan.h"
#include "conversion/MicroDvdWriter.h"
#include "conversion/OutputLocks.h"
#include "conversion/SafeOutput.h"
#include "conversion/SuccessSignature.h"
#include "settings/Preferences.h"
#include "tools/FFmpegRunner.h"
#include "tools/MediaProbe.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace {

const QString subtitleSubId = QStringLiteral("subtitle.sub");

// The share of an item's bar that the loudness measuring pass fills.
constexpr double measuringShare = 0.5;

} // namespace

MediaJob::MediaJob(const MediaPtr &item, const MediaTarget &target, const QString &destination,
                   const BatchSettings &batch, ProtectedPredicate isProtected, QObject *parent)
    : Operation(parent)
    , m_item(item.get())
    , m_itemRef(item)
    , m_target(target)
    , m_destination(destination)
    , m_batch(batch)
    , m_isProtected(std::move(isProtected))
{
}

MediaJob::~MediaJob()
{
    // Stop the tools before their files go, so nothing recreates them.
    if (m_loudnessScan && m_item)
        m_item->setMeasuring(false);
    delete m_loudnessScan.data();
    delete m_ffmpeg.data();
    delete m_image.data();
    delete m_probe.data();
    removeTemporaryFiles();
    releaseOutput();
}

QString MediaJob::outputPathFor(const Media &item, const MediaTarget &target,
                                const QString &destination, const ConversionSettings &settings)
{
    QString name = item.baseName();
    const QString ext = target.outputExtension(settings.videoToAudio);
    if (!ext.isEmpty())
        name += u'.' + ext;
    return QDir(destination).filePath(name);
}

void MediaJob::start()
{
    if (!m_item)
        return fail(QCoreApplication::translate("MediaJob", "The file was removed from the list"));
    const Preferences &preferences = Preferences::instance();
    m_settings = ConversionSettings::current();
    m_overwrite = preferences.value(PreferenceKeys::overwriteExisting);
    m_signature = successSignature(m_target, m_batch, m_settings);

    if (preferences.value(PreferenceKeys::ignoreAlreadyProcessedFiles)
        && m_item->status() == MediaStatus::successful
        && m_item->lastSuccessSignature() == m_signature) {
        m_skipped = true;
        m_succeeded = true;
        m_itemRef.reset();
        finish();
        return;
    }
    prepareOutput();
}

void MediaJob::fillDuration()
{
    const MediaGroup group = m_item->group();
    if (m_item->duration() || (group != MediaGroup::audio && group != MediaGroup::video))
        return beginConversion();
    m_probe = probeMediaAsync(m_item->pathString(), this);
    connect(m_probe, &Operation::finished, this, [this] {
        if (m_item && m_probe->result())
            m_item->setDuration(m_probe->result()->duration);
        m_probe->deleteLater();
        if (isCancelled())
            return cancelled();
        beginConversion();
    });
}

void MediaJob::prepareOutput()
{
    if (!m_item)
        return fail(QCoreApplication::translate("MediaJob", "The file was removed from the list"));
    m_finalPath = outputPathFor(*m_item, m_target, m_destination, m_settings);

    if (SafeOutput::isSameFile(m_item->pathString(), m_finalPath)
        || (m_isProtected && m_isProtected(m_finalPath))) {
        return fail(QCoreApplication::translate("MediaJob",
                                                "The output would replace the input file \"%1\"; "
                                                "choose another destination folder or format")
                        .arg(m_finalPath));
    }

    // Taken before anything else happens, so jobs that share an output write
    // it one after another in the order they started.
    const QString canonical = SafeOutput::canonicalOutputPath(m_finalPath);
    OutputLocks &locks = OutputLocks::instance();
    if (!locks.tryAcquire(canonical)) {
        m_lockWait
            = connect(&locks, &OutputLocks::released, this, [this, canonical](const QString &path) {
                  if (path != canonical)
                      return;
                  disconnect(m_lockWait);
                  prepareOutput();
              });
        return;
    }
    m_lockedPath = canonical;
    fillDuration();
}

void MediaJob::beginConversion()
{
    if (!m_item)
        return fail(QCoreApplication::translate("MediaJob", "The file was removed from the list"));
    m_duration = m_item->duration().value_or(0.0);
    m_item->setStatus(MediaStatus::processing);
    m_item->setProgress(0.0);
    m_item->setErrorMessage(std::nullopt);

    if (!m_overwrite && QFileInfo::exists(m_finalPath))
        return fail(SafeOutput::alreadyExistsMessage(m_finalPath));
    m_temporaryPath = SafeOutput::temporaryPathFor(m_finalPath);
    convert();
}

void MediaJob::convert()
{
    if (isCancelled())
        return cancelled();
    const QString source = m_item->pathString();
    if (usesImagePath(source, m_target.group == MediaGroup::image)) {
        m_image = convertImage(source, m_temporaryPath, m_target.ext, true, this);
        connect(m_image, &Operation::finished, this, &MediaJob::onToolFinished);
        return;
    }
    if (m_target.id == subtitleSubId) {
        QString srt = m_temporaryPath;
        srt.chop(m_target.ext.size());
        m_intermediatePath = srt + QStringLiteral("srt");
        return runFFmpegStep(source, m_intermediatePath);
    }
    if (normalizesLoudness(m_target, m_settings))
        return measureLoudness(source);
    runFFmpegStep(source, m_temporaryPath);
}

void MediaJob::runFFmpegStep(const QString &source, const QString &destination)
{
    const bool wantsHardware
        = m_target.hasOption(MediaOption::hwAccel) && m_settings.hardwareAcceleration;
    if (wantsHardware && !m_detection) {
        // Detection runs once per process, off this thread; later jobs get
        // the cached profile at once.
        m_detection = detectHardwareProfile(this);
        connect(m_detection, &Operation::finished, this,
                [this, source, destination] { runFFmpegStep(source, destination); });
        return;
    }
    if (isCancelled())
        return cancelled();
    const HardwareProfile profile
        = m_detection ? m_detection->profile() : HardwareProfile::software();
    const FFArgs args = makeFFArgs(m_target, m_batch, profile, m_settings, m_loudness);

    QPointer<Media> item = m_item;
    const double duration = m_duration;
    const double floor = m_progressFloor;
    auto onEvent = [this, item, duration, floor](const FFEvent &event) {
        if (event.kind == FFEvent::Kind::log) {
            if (SafeOutput::isWriteErrorLine(event.line))
                m_writeErrors << event.line;
            return;
        }
        if (!item)
            return;
        if (event.progress.outTimeSeconds && duration > 0)
            item->setProgress(
                floor + (1.0 - floor) * std::min(*event.progress.outTimeSeconds / duration, 1.0));
        if (event.progress.isEnd)
            item->setProgress(1.0);
    };
    m_ffmpeg = runFFmpeg(source, destination, args, m_overwrite, onEvent, this);
    connect(m_ffmpeg, &Operation::finished, this, &MediaJob::onToolFinished);
}

// Loudness normalisation: a measuring pass over the same range of the input
// before the conversion, whose figures the conversion's filter takes.
void MediaJob::measureLoudness(const QString &source)
{
    m_item->setMeasuring(true);
    QPointer<Media> item = m_item;
    const double duration = m_duration;
    auto onProgress = [item, duration](double seconds) {
        if (item && duration > 0)
            item->setProgress(measuringShare * std::min(seconds / duration, 1.0));
    };
    m_loudnessScan
        = scanLoudness(source, m_batch, m_settings.loudnessLufs(), std::move(onProgress), this);
    connect(m_loudnessScan, &Operation::finished, this, [this, source] {
        m_loudnessScan->deleteLater();
        if (!m_item)
            return fail(
                QCoreApplication::translate("MediaJob", "The file was removed from the list"));
        m_item->setMeasuring(false);
        const QString name = m_item->filename();
        if (const std::optional<FFmpegFailure> &failure = m_loudnessScan->failure()) {
            if (isCancellation(*failure))
                return cancelled();
            return fail(QCoreApplication::translate("MediaJob",
                                                    "Could not measure the loudness of \"%1\": %2")
                            .arg(name, errorDescription(*failure)));
        }
        if (isCancelled())
            return cancelled();
        m_loudness = m_loudnessScan->measurement();
        if (!m_loudness)
            return fail(
                QCoreApplication::translate("MediaJob",
                                            "Could not measure the loudness of \"%1\": ffmpeg "
                                            "reported no figures")
                    .arg(name));
        m_progressFloor = measuringShare;
        m_item->setProgress(measuringShare);
        runFFmpegStep(source, m_temporaryPath);
    });
}

void MediaJob::onToolFinished()
{
    std::optional<FFmpegFailure> failure;
    if (m_image) {
        failure = m_image->failure();
        m_image->deleteLater();
    } else if (m_ffmpeg) {
        failure = m_ffmpeg->failure();
        m_ffmpeg->deleteLater();
    }
    if (failure) {
        if (isCancellation(*failure))
            return cancelled();
        // A write error explains a failure better than the summary after it.
        if (!m_writeErrors.isEmpty())
            return fail(m_writeErrors.first());
        return fail(errorDescription(*failure));
    }
    if (!m_writeErrors.isEmpty())
        return fail(m_writeErrors.first());
    if (!m_intermediatePath.isEmpty())
        return finishSubtitleStep();
    commit();
}

void MediaJob::finishSubtitleStep()
{
    if (auto problem = SafeOutput::verifyOutput(m_intermediatePath))
        return fail(*problem);
    if (auto problem = MicroDvdWriter::convertFile(m_intermediatePath, m_temporaryPath))
        return fail(*problem);
    QFile::remove(m_intermediatePath);
    m_intermediatePath.clear();
    commit();
}

void MediaJob::commit()
{
    if (auto problem = SafeOutput::verifyOutput(m_temporaryPath))
        return fail(*problem);
    if (auto problem = SafeOutput::commitOutput(m_temporaryPath, m_finalPath, m_overwrite))
        return fail(*problem);
    m_temporaryPath.clear();
    succeed();
}

void MediaJob::fail(const QString &message)
{
    removeTemporaryFiles();
    releaseOutput();
    if (m_item) {
        m_item->setStatus(MediaStatus::failed);
        m_item->setErrorMessage(message);
    }
    m_itemRef.reset();
    finish();
}

void MediaJob::cancelled()
{
    removeTemporaryFiles();
    releaseOutput();
    if (m_item)
        m_item->setStatus(MediaStatus::cancelled);
    m_itemRef.reset();
    finish();
}

void MediaJob::succeed()
{
    releaseOutput();
    if (m_item) {
        m_item->setStatus(MediaStatus::successful);
        m_item->setProgress(1.0);
        m_item->setLastSuccessSignature(m_signature);
    }
    m_succeeded = true;
    m_itemRef.reset();
    finish();
}

void MediaJob::releaseOutput()
{
    if (m_lockWait)
        disconnect(m_lockWait);
    if (!m_lockedPath.isEmpty())
        OutputLocks::instance().release(std::exchange(m_lockedPath, QString()));
}

void MediaJob::removeTemporaryFiles()
{
    if (!m_temporaryPath.isEmpty())
        QFile::remove(std::exchange(m_temporaryPath, QString()));
    if (!m_intermediatePath.isEmpty())
        QFile::remove(std::exchange(m_intermediatePath, QString()));
}

void MediaJob::onCancel()
{
    if (m_loudnessScan)
        m_loudnessScan->cancel();
    if (m_probe)
        m_probe->cancel();
    if (m_ffmpeg)
        m_ffmpeg->cancel();
    if (m_image)
        m_image->cancel();
    if (m_lockWait) {
        // Still waiting for another job's output: nothing of ours runs.
        disconnect(m_lockWait);
        cancelled();
    }
}

MediaJob *processMedia(const MediaPtr &item, const MediaTarget &target, const QString &destination,
                       const BatchSettings &batch, MediaJob::ProtectedPredicate isProtected,
                       QObject *parent)
{
    auto *job = new MediaJob(item, target, destination, batch, std::move(isProtected), parent);
    job->start();
    return job;
}
