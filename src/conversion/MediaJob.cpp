#include "conversion/MediaJob.h"

#include "conversion/ArgumentBuilder.h"
#include "conversion/HardwareDetection.h"
#include "conversion/ImageConversion.h"
#include "conversion/ImagePath.h"
#include "conversion/LoudnessScan.h"
#include "conversion/MicroDvdWriter.h"
#include "conversion/OutputCheck.h"
#include "conversion/OutputLocks.h"
#include "conversion/ProgressMath.h"
#include "conversion/SafeOutput.h"
#include "conversion/SuccessSignature.h"
#include "settings/Preferences.h"
#include "tools/FFmpegRunner.h"
#include "tools/MediaProbe.h"
#include "tools/MediaTags.h"
#include "tools/TextEncoding.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFutureWatcher>
#include <QtConcurrent>

#include <filesystem>

namespace {

QString removedMessage()
{
    return QCoreApplication::translate("MediaJob", "The file was removed from the list");
}

// The share of an item's bar that the loudness measuring pass fills.
constexpr double measuringShare = 0.5;

} // namespace

MediaJob::MediaJob(const MediaPtr &item, const MediaTarget &target, const QString &destination,
                   const BatchSettings &batch, ProtectedPredicate isProtected, QObject *parent)
    : Operation(parent)
    , m_item(item.get())
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
    delete m_check.data();
    removeTemporaryFiles();
    releaseOutput();
}

void MediaJob::start()
{
    if (!m_item)
        return fail(removedMessage());
    const Preferences &preferences = Preferences::instance();
    m_settings = ConversionSettings::current();
    m_overwrite = preferences.value(PreferenceKeys::overwriteExisting);
    m_signature = successSignature(m_target, m_batch, m_settings);
    m_finalPath = plannedOutputPath(PlanSource::of(*m_item), m_target, m_destination, m_settings);

    // Done already only when that output is where this run would write it:
    // the same items converted into another folder are converted again.
    if (preferences.value(PreferenceKeys::ignoreAlreadyProcessedFiles)
        && m_item->status() == MediaStatus::successful
        && m_item->lastSuccessSignature() == m_signature && !m_item->lastOutputPath().isEmpty()
        && SafeOutput::canonicalOutputPath(m_item->lastOutputPath())
            == SafeOutput::canonicalOutputPath(m_finalPath)
        && QFileInfo::exists(m_finalPath)) {
        m_skipped = true;
        m_succeeded = true;
        finish();
        return;
    }
    prepareOutput();
}

void MediaJob::prepareOutput()
{
    if (!m_item)
        return fail(removedMessage());
    m_finalPath = plannedOutputPath(PlanSource::of(*m_item), m_target, m_destination, m_settings);
    if (!SafeOutput::isInside(m_finalPath, m_destination))
        return fail(QCoreApplication::translate("MediaJob",
                                                "The output name \"%1\" would leave the "
                                                "destination folder \"%2\"; nothing was written")
                        .arg(m_finalPath, m_destination));

    if (SafeOutput::isSameFile(m_item->pathString(), m_finalPath)
        || (m_isProtected && m_isProtected(m_finalPath))) {
        return fail(SafeOutput::replacesInputMessage(m_finalPath));
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
    resolveHardwareProfile();
}

void MediaJob::fillDuration()
{
    if (!m_item)
        return fail(removedMessage());
    if (m_item->group() == MediaGroup::subtitle)
        return readTextEncoding();
    // A video's frame size and pixel format shape its command line, so
    // videos are always probed; audio only for its play length.
    const MediaGroup group = m_item->group();
    if ((m_item->duration() && group != MediaGroup::video)
        || (group != MediaGroup::audio && group != MediaGroup::video))
        return makePlan();
    m_probe = probeMediaAsync(m_item->pathString(), this);
    connect(m_probe, &Operation::finished, this, [this] {
        const std::optional<ProbeResult> source = m_probe->result();
        if (m_item && source) {
            if (!m_item->duration())
                m_item->setDuration(source->duration);
            m_sourceVideo = sourceVideoOf(*source);
        }
        m_probe->deleteLater();
        if (isCancelled())
            return cancelled();
        if (m_item && source) {
            if (const auto problem = sourceProblem(*source, m_target, m_item->filename()))
                return fail(*problem);
        }
        makePlan();
    });
}

// A legacy character set is read from the file's bytes, on the pool.
void MediaJob::readTextEncoding()
{
    auto *watcher = new QFutureWatcher<std::optional<QString>>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher] {
        m_textEncoding = watcher->result();
        watcher->deleteLater();
        if (isCancelled())
            return cancelled();
        makePlan();
    });
    watcher->setFuture(QtConcurrent::run(&legacyTextEncoding, m_item->pathString()));
}

// The cover's bytes, for formats that keep it in a comment; on the pool.
void MediaJob::readCover()
{
    auto *watcher = new QFutureWatcher<std::optional<MediaTags>>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher] {
        const std::optional<MediaTags> tags = watcher->result();
        watcher->deleteLater();
        m_coverRead = true;
        m_cover = tags ? tags->cover : std::nullopt;
        if (isCancelled())
            return cancelled();
        makePlan();
    });
    watcher->setFuture(QtConcurrent::run(&readMediaTags, m_item->pathString()));
}

void MediaJob::resolveHardwareProfile()
{
    if (!planNeedsHardwareProfile(m_target, m_settings))
        return fillDuration();
    // Detection runs once per process, off this thread; later jobs get the
    // cached profile at once. A cancel ends the wait, not the detection.
    m_detection = detectHardwareProfile(this);
    connect(m_detection, &Operation::finished, this, [this] {
        const HardwareProfile profile = m_detection->profile();
        m_detection->deleteLater();
        if (isCancelled())
            return cancelled();
        m_profile = profile;
        fillDuration();
    });
}

void MediaJob::makePlan()
{
    if (!m_item)
        return fail(removedMessage());
    if (needsSourceCover(m_target) && !m_coverRead)
        return readCover();
    replan();
    beginConversion();
}

// Everything learnt of the source so far goes into the plan.
void MediaJob::replan()
{
    PlanSource source = PlanSource::of(*m_item);
    source.video = m_sourceVideo;
    source.loudness = m_loudness;
    source.textEncoding = m_textEncoding;
    source.cover = m_cover;
    m_plan = planConversion(source, m_target, m_destination, m_batch, m_settings, m_profile,
                            m_overwrite);
}

void MediaJob::beginConversion()
{
    if (!m_item)
        return fail(removedMessage());
    // ffmpeg's progress counts from the trim start, so a trimmed file's bar
    // fills over the kept range.
    m_duration = m_batch.keptDuration(m_item->duration()).value_or(0.0);
    m_item->setStatus(MediaStatus::processing);
    m_item->setProgress(0.0);
    m_item->setErrorMessage(std::nullopt);

    // Created as needed; another process creating it meanwhile is no error.
    const QString folder = QFileInfo(m_finalPath).absolutePath();
    std::error_code error;
    std::filesystem::create_directories(QFile::encodeName(folder).constData(), error);
    if (error && !QFileInfo(folder).isDir())
        return fail(QCoreApplication::translate("MediaJob",
                                                "Could not create the folder \"%1\" for \"%2\": %3")
                        .arg(folder, m_item->filename(), QString::fromStdString(error.message())));
    if (!m_overwrite && QFileInfo::exists(m_finalPath))
        return fail(SafeOutput::alreadyExistsMessage(m_finalPath));
    SafeOutput::sweepFolderOnce(folder);
    m_temporaryPath = SafeOutput::temporaryPathFor(m_finalPath);
    convert();
}

void MediaJob::convert()
{
    if (isCancelled())
        return cancelled();
    if (normalizesLoudness(m_target, m_settings) && !m_loudness && m_plan.runsFFmpeg())
        return measureLoudness();
    switch (m_plan.route) {
    case ConversionRoute::imagePath:
    case ConversionRoute::webpThroughPng:
        m_image = convertImage(m_plan.sourcePath, m_temporaryPath, m_target.ext, true, this);
        connect(m_image, &Operation::finished, this, &MediaJob::onToolFinished);
        return;
    case ConversionRoute::microDvdThroughSrt:
        m_intermediatePath = m_plan.ffmpegDestination(m_temporaryPath);
        return runFFmpegStep(m_intermediatePath);
    case ConversionRoute::ffmpeg:
        return runFFmpegStep(m_temporaryPath);
    }
}

void MediaJob::runFFmpegStep(const QString &destination)
{
    QPointer<Media> item = m_item;
    const double duration = m_duration;
    const double floor = m_progressFloor;
    auto onEvent = [item, duration, floor](const FFEvent &event) {
        if (event.kind == FFEvent::Kind::log || !item)
            return;
        if (const auto fraction
            = ProgressMath::fileProgress(event.progress.outTimeSeconds, duration))
            item->setProgress(floor + (1.0 - floor) * *fraction);
        if (event.progress.isEnd)
            item->setProgress(1.0);
    };
    m_ffmpeg
        = runFFmpeg(m_plan.sourcePath, destination, m_plan.ffArgs, m_plan.overwrite, onEvent, this);
    connect(m_ffmpeg, &Operation::finished, this, &MediaJob::onToolFinished);
}

// Loudness normalisation: a measuring pass over the same range of the input
// before the conversion, whose figures become part of the plan.
void MediaJob::measureLoudness()
{
    m_item->setMeasuring(true);
    QPointer<Media> item = m_item;
    const double duration = m_duration;
    auto onProgress = [item, duration](double seconds) {
        if (item && duration > 0)
            item->setProgress(measuringShare * std::min(seconds / duration, 1.0));
    };
    m_loudnessScan = scanLoudness(m_plan.sourcePath, m_batch,
                                  channelConversionFilter(m_target, m_settings),
                                  std::move(onProgress), this);
    connect(m_loudnessScan, &Operation::finished, this, [this] {
        m_loudnessScan->deleteLater();
        if (!m_item)
            return fail(removedMessage());
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
        replan();
        convert();
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
    // Once cancelled, whatever the tool made is discarded.
    if (isCancelled() || (failure && isCancellation(*failure)))
        return cancelled();
    if (failure)
        return fail(errorDescription(*failure));
    if (!m_intermediatePath.isEmpty())
        return finishSubtitleStep();
    if (m_loudness && !m_loudness->isSilent() && normalizesLoudness(m_target, m_settings))
        return checkLoudness();
    checkOutput();
}

// The output is measured as the input was: a level more than 1 LU off the
// target fails the item with both figures.
void MediaJob::checkLoudness()
{
    m_loudnessScan = scanLoudness(m_temporaryPath, {}, std::nullopt, {}, this);
    connect(m_loudnessScan, &Operation::finished, this, [this] {
        m_loudnessScan->deleteLater();
        if (isCancelled())
            return cancelled();
        const std::optional<LoudnessMeasurement> written = m_loudnessScan->measurement();
        const double target = m_settings.loudnessLufs();
        if (!written || std::abs(written->integrated - target) > 1.0)
            return fail(QCoreApplication::translate(
                            "MediaJob",
                            "\"%1\" came out at %2 LUFS instead of %3 LUFS (measured at %4 LUFS "
                            "before the conversion)")
                            .arg(m_item ? m_item->filename() : QString(),
                                 written ? QString::number(written->integrated, 'f', 1)
                                         : QCoreApplication::translate("MediaJob", "an unknown"),
                                 QString::number(target, 'f', 1),
                                 QString::number(m_loudness->integrated, 'f', 1)));
        checkOutput();
    });
}

void MediaJob::finishSubtitleStep()
{
    if (auto problem = SafeOutput::verifyOutput(m_intermediatePath))
        return fail(*problem);
    if (auto problem = MicroDvdWriter::convertFile(m_intermediatePath, m_temporaryPath))
        return fail(*problem);
    QFile::remove(m_intermediatePath);
    m_intermediatePath.clear();
    checkOutput();
}

// Whatever the route, the output is looked at before it takes its final name:
// ffmpeg exits 0 after writing nothing but headers (a trim start past the end,
// a stream it dropped), so the output is probed before it counts.
void MediaJob::checkOutput()
{
    if (auto problem = SafeOutput::verifyOutput(m_temporaryPath))
        return fail(*problem);
    const OutputCheckContext context {m_finalPath, m_item ? m_item->filename() : QString(),
                                      m_batch.trimStartArguments().value(1).trimmed()};
    m_check = checkOutputAsync(m_temporaryPath, m_target, context, this);
    connect(m_check, &Operation::finished, this, &MediaJob::commitChecked);
}

void MediaJob::commitChecked()
{
    m_check->deleteLater();
    if (isCancelled())
        return cancelled();
    if (const std::optional<QString> problem = m_check->problem())
        return fail(*problem);
    commit();
}

void MediaJob::commit()
{
    if (isCancelled())
        return cancelled();
    if (auto problem = SafeOutput::commitOutput(m_temporaryPath, m_finalPath, m_overwrite))
        return fail(*problem);
    m_temporaryPath.clear();
    if (m_item) // a stat beside the rename just made; the table shows the size
        m_item->setLastOutputSize(QFileInfo(m_finalPath).size());
    succeed();
}

void MediaJob::fail(const QString &message)
{
    // The user knows the output by its final name, never the hidden one.
    QString shown = message;
    for (const QString &hidden : {m_temporaryPath, m_intermediatePath}) {
        if (!hidden.isEmpty())
            shown.replace(hidden, m_finalPath);
    }
    removeTemporaryFiles();
    releaseOutput();
    if (m_item) {
        // The message first: whoever hears of the failure reads it at once.
        m_item->setErrorMessage(shown);
        m_item->setStatus(MediaStatus::failed);
    }
    finish();
}

void MediaJob::cancelled()
{
    removeTemporaryFiles();
    releaseOutput();
    if (m_item)
        m_item->setStatus(MediaStatus::cancelled);
    finish();
}

void MediaJob::succeed()
{
    releaseOutput();
    if (m_item) {
        m_item->setStatus(MediaStatus::successful);
        m_item->setProgress(1.0);
        m_item->setLastSuccessSignature(m_signature);
        m_item->setLastOutputPath(m_finalPath);
    }
    m_succeeded = true;
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
    // The shared detection goes on for other jobs; this one stops waiting.
    if (m_detection && !m_detection->isFinished())
        m_detection->cancel();
    if (m_loudnessScan)
        m_loudnessScan->cancel();
    if (m_probe)
        m_probe->cancel();
    if (m_ffmpeg)
        m_ffmpeg->cancel();
    if (m_image)
        m_image->cancel();
    if (m_check)
        m_check->cancel();
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
