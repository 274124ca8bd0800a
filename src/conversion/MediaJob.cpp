#include "conversion/MediaJob.h"

#include "conversion/ArgumentBuilder.h"
#include "conversion/ImageConversion.h"
#include "conversion/ImagePath.h"
#include "conversion/LoudnessScan.h"
#include "conversion/MicroDvdWriter.h"
#include "conversion/OutputCheck.h"
#include "conversion/OutputLocks.h"
#include "conversion/ProgressMath.h"
#include "conversion/SafeOutput.h"
#include "conversion/SourceFacts.h"
#include "conversion/SuccessSignature.h"
#include "tools/FFmpegRunner.h"

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

// Runs `work` on the pool and hands its result to `then` on the job's thread;
// a job deleted meanwhile hears nothing.
template<typename Work, typename Then> void onPool(QObject *job, Work work, Then then)
{
    using Result = std::invoke_result_t<Work>;
    auto *watcher = new QFutureWatcher<Result>(job);
    QObject::connect(watcher, &QFutureWatcherBase::finished, job, [watcher, then] {
        watcher->deleteLater();
        then(watcher->result());
    });
    watcher->setFuture(QtConcurrent::run(std::move(work)));
}

} // namespace

MediaJob::MediaJob(const MediaPtr &item, const JobSpec &spec, const RunRules *rules,
                   QObject *parent)
    : Operation(parent)
    , m_item(item.get())
    , m_spec(spec)
    , m_rules(rules ? rules : &m_ownRules)
{
}

MediaJob::~MediaJob()
{
    *m_abandoned = true;
    // Stop the tools before their files go, so nothing recreates them.
    if (m_loudnessScan && m_item)
        m_item->setMeasuring(false);
    delete m_loudnessScan.data();
    delete m_ffmpeg.data();
    delete m_image.data();
    delete m_facts.data();
    delete m_check.data();
    removeTemporaryFiles();
    releaseOutput();
}

void MediaJob::start()
{
    if (!m_item)
        return fail(removedMessage());
    m_signature = successSignature(m_spec.target, m_spec.batch, m_spec.settings);
    m_finalPath = plannedOutputPath(PlanSource::of(*m_item), m_spec.target, m_spec.destination,
                                    m_spec.settings);

    // Done already only when that output is where this run would write it:
    // the same items converted into another folder are converted again.
    if (m_spec.skipConverted && m_item->status() == MediaStatus::successful
        && m_item->lastSuccessSignature() == m_signature && !m_item->lastOutputPath().isEmpty()
        && SafeOutput::canonicalOutputPath(m_item->lastOutputPath())
            == SafeOutput::canonicalOutputPath(m_finalPath)
        && QFileInfo::exists(m_finalPath)) {
        return end(JobOutcomeKind::skipped);
    }
    prepareOutput();
}

void MediaJob::prepareOutput()
{
    if (!m_item)
        return fail(removedMessage());
    if (const auto problem = m_rules->check(m_item->pathString(), m_finalPath, m_spec.destination))
        return fail(*problem);

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
    gatherFacts();
}

void MediaJob::gatherFacts()
{
    if (!m_item)
        return fail(removedMessage());
    m_facts = gatherSourceFacts(PlanSource::of(*m_item), m_spec, this);
    connect(m_facts, &Operation::finished, this, [this] {
        m_facts->deleteLater();
        if (isCancelled())
            return cancelled();
        if (!m_item)
            return fail(removedMessage());
        m_source = m_facts->source();
        m_profile = m_facts->profile();
        if (!m_item->duration())
            m_item->setDuration(m_source.duration);
        if (const std::optional<QString> &problem = m_facts->problem())
            return fail(*problem);
        replan();
        beginConversion();
    });
}

// Everything learnt of the source so far goes into the plan.
void MediaJob::replan()
{
    m_source.loudness = m_loudness;
    m_plan = planConversion(m_source, m_spec.target, m_spec.destination, m_spec.batch,
                            m_spec.settings, m_profile, m_spec.overwrite);
}

void MediaJob::beginConversion()
{
    if (!m_item)
        return fail(removedMessage());
    // ffmpeg's progress counts from the trim start, so a trimmed file's bar
    // fills over the kept range.
    m_duration = m_spec.batch.keptDuration(m_item->duration()).value_or(0.0);
    m_item->setStatus(MediaStatus::processing);
    m_item->setProgress(0.0);
    m_item->setErrorMessage(std::nullopt);

    auto prepare = [finalPath = m_finalPath, name = m_item->filename(),
                    overwrite = m_spec.overwrite]() -> std::optional<QString> {
        // Created as needed; another process creating it meanwhile is no error.
        const QString folder = QFileInfo(finalPath).absolutePath();
        std::error_code error;
        std::filesystem::create_directories(QFile::encodeName(folder).constData(), error);
        if (error && !QFileInfo(folder).isDir())
            return QCoreApplication::translate("MediaJob",
                                               "Could not create the folder \"%1\" for \"%2\": %3")
                .arg(folder, name, QString::fromStdString(error.message()));
        if (!overwrite && QFileInfo::exists(finalPath))
            return SafeOutput::alreadyExistsMessage(finalPath);
        SafeOutput::sweepFolderOnce(folder);
        return std::nullopt;
    };
    onPool(this, std::move(prepare), [this](const std::optional<QString> &problem) {
        if (isCancelled())
            return cancelled();
        if (problem)
            return fail(*problem);
        m_temporaryPath = SafeOutput::temporaryPathFor(m_finalPath);
        convert();
    });
}

void MediaJob::convert()
{
    if (isCancelled())
        return cancelled();
    if (normalizesLoudness(m_spec.target, m_spec.settings) && !m_loudness && m_plan.runsFFmpeg())
        return measureLoudness();
    switch (m_plan.route) {
    case ConversionRoute::imagePath:
        return runImageStep(m_temporaryPath, m_spec.target.ext);
    case ConversionRoute::webpThroughPng: {
        // libvips writes a PNG under a hidden name of this job beside the
        // output, where a killed run's leftovers are swept; ffmpeg encodes it.
        const QFileInfo output(m_finalPath);
        m_intermediatePath = SafeOutput::temporaryPathFor(
            output.dir().filePath(output.completeBaseName() + QStringLiteral(".png")));
        return runImageStep(m_intermediatePath, QStringLiteral("png"));
    }
    case ConversionRoute::microDvdThroughSrt:
        m_intermediatePath = m_plan.ffmpegDestination(m_temporaryPath);
        return runFFmpegStep(m_plan.sourcePath, m_intermediatePath);
    case ConversionRoute::ffmpeg:
        return runFFmpegStep(m_plan.sourcePath, m_temporaryPath);
    }
}

void MediaJob::runImageStep(const QString &destination, const QString &ext)
{
    m_image = convertImage(m_plan.sourcePath, destination, ext, true, this);
    connect(m_image, &Operation::finished, this, &MediaJob::onToolFinished);
}

void MediaJob::runFFmpegStep(const QString &source, const QString &destination)
{
    QPointer<Media> item = m_item;
    const double duration = m_duration;
    const double floor = m_progressFloor;
    auto onEvent = [item, duration, floor, early = m_inputEndedEarly](const FFEvent &event) {
        if (event.kind == FFEvent::Kind::log && reportsEarlyInputEnd(event.line))
            *early = true;
        if (event.kind == FFEvent::Kind::log || !item)
            return;
        if (const auto fraction
            = ProgressMath::fileProgress(event.progress.outTimeSeconds, duration))
            item->setProgress(floor + (1.0 - floor) * *fraction);
        if (event.progress.isEnd)
            item->setProgress(1.0);
    };
    m_ffmpeg = runFFmpeg(source, destination, m_plan.ffArgs, m_plan.overwrite, onEvent, this);
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
    m_loudnessScan = scanLoudness(m_plan.sourcePath, m_spec.batch,
                                  channelConversionFilter(m_spec.target, m_spec.settings),
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
    const bool imageStep = m_image;
    if (m_image) {
        failure = m_image->failure();
        std::exchange(m_image, nullptr)->deleteLater();
    } else if (m_ffmpeg) {
        failure = m_ffmpeg->failure();
        std::exchange(m_ffmpeg, nullptr)->deleteLater();
    }
    // Once cancelled, whatever the tool made is discarded.
    if (isCancelled() || (failure && isCancellation(*failure)))
        return cancelled();
    if (failure)
        return fail(errorDescription(*failure));
    switch (m_plan.route) {
    case ConversionRoute::webpThroughPng:
        if (imageStep)
            return runFFmpegStep(m_intermediatePath, m_temporaryPath);
        QFile::remove(std::exchange(m_intermediatePath, QString()));
        break;
    case ConversionRoute::microDvdThroughSrt:
        return finishSubtitleStep();
    case ConversionRoute::imagePath:
    case ConversionRoute::ffmpeg:
        break;
    }
    if (m_loudness && !m_loudness->isSilent()
        && normalizesLoudness(m_spec.target, m_spec.settings))
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
        const double target = m_spec.settings.loudnessLufs();
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
    // A job deleted while the file is written leaves its removal to the writer.
    auto write = [srt = m_intermediatePath, output = m_temporaryPath,
                  abandoned = m_abandoned]() -> std::optional<QString> {
        std::optional<QString> problem = SafeOutput::verifyOutput(srt);
        if (!problem)
            problem = MicroDvdWriter::convertFile(srt, output);
        QFile::remove(srt);
        if (*abandoned)
            QFile::remove(output);
        return problem;
    };
    onPool(this, std::move(write), [this](const std::optional<QString> &problem) {
        if (isCancelled())
            return cancelled();
        if (problem)
            return fail(*problem);
        m_intermediatePath.clear();
        checkOutput();
    });
}

// Whatever the route, the output is looked at before it takes its final name:
// ffmpeg exits 0 after writing nothing but headers (a trim start past the end,
// a stream it dropped), so the output is probed before it counts.
void MediaJob::checkOutput()
{
    if (auto problem = SafeOutput::verifyOutput(m_temporaryPath))
        return fail(*problem);
    OutputCheckContext context {m_finalPath, m_item ? m_item->filename() : QString(),
                                m_spec.batch.trimStartArguments().value(1).trimmed()};
    if (m_item) {
        // Without the input's own length a trim end past it would expect too much.
        if (m_item->duration())
            context.expectedDuration = m_spec.batch.keptDuration(m_item->duration());
        context.inputEndedEarly = *m_inputEndedEarly;
        context.inputPath = m_item->pathString();
    }
    m_check = checkOutputAsync(m_temporaryPath, m_spec.target, context, this);
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
    // Once renamed the output is the user's: a cancel from now on is too late.
    auto rename = [temporary = m_temporaryPath, finalPath = m_finalPath,
                   overwrite = m_spec.overwrite]() -> std::pair<std::optional<QString>, qint64> {
        const std::optional<QString> problem
            = SafeOutput::commitOutput(temporary, finalPath, overwrite);
        return {problem, problem ? 0 : QFileInfo(finalPath).size()};
    };
    onPool(this, std::move(rename), [this](const std::pair<std::optional<QString>, qint64> &done) {
        if (done.first)
            return fail(*done.first);
        m_temporaryPath.clear();
        if (m_item)
            m_item->setLastOutputSize(done.second);
        succeed();
    });
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
    end(JobOutcomeKind::failed, shown);
}

void MediaJob::cancelled()
{
    removeTemporaryFiles();
    releaseOutput();
    if (m_item)
        m_item->setStatus(MediaStatus::cancelled);
    end(JobOutcomeKind::cancelled);
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
    end(JobOutcomeKind::converted);
}

void MediaJob::end(JobOutcomeKind kind, const QString &message)
{
    if (isFinished())
        return;
    m_outcome = {kind, message, m_finalPath};
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
    if (m_facts)
        m_facts->cancel();
    if (m_loudnessScan)
        m_loudnessScan->cancel();
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

MediaJob *processMedia(const MediaPtr &item, const JobSpec &spec, const RunRules *rules,
                       QObject *parent)
{
    auto *job = new MediaJob(item, spec, rules, parent);
    job->start();
    return job;
}

MediaJob *processMedia(const MediaPtr &item, const MediaTarget &target, const QString &destination,
                       const BatchSettings &batch, QObject *parent)
{
    return processMedia(item, JobSpec::current(target, destination, batch), nullptr, parent);
}
