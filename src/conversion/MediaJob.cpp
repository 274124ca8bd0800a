#include "conversion/MediaJob.h"

#include "conversion/ArgumentBuilder.h"
#include "conversion/ImageConversion.h"
#include "conversion/ImagePath.h"
#include "conversion/LoudnessScan.h"
#include "conversion/MicroDvdWriter.h"
#include "conversion/OffMainThread.h"
#include "conversion/OperationSteps.h"
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

#include <filesystem>

namespace {

QString removedMessage()
{
    return QCoreApplication::translate("MediaJob", "The file was removed from the list");
}

// The share of an item's bar that the loudness measuring pass fills.
constexpr double measuringShare = 0.5;

std::optional<QString> noResult(Operation &)
{
    return std::nullopt;
}

std::optional<QString> poolProblem(Operation &step)
{
    return static_cast<PoolStep &>(step).problem();
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
    if (m_item)
        m_item->setMeasuring(false);
    // Stop the tools before their files go, so nothing recreates them.
    delete m_current.data();
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

    // Prepare: done already only when that output is where this run would
    // write it (the same items converted into another folder are converted
    // again); otherwise the output's lock, taken before anything else
    // happens so jobs that share an output write it one after another in the
    // order they started, and the refusal check once it is ours.
    const bool mayBeDone = m_spec.skipConverted && m_item->status() == MediaStatus::successful
        && m_item->lastSuccessSignature() == m_signature && !m_item->lastOutputPath().isEmpty();
    auto done = std::make_shared<bool>(false);
    auto canonical = std::make_shared<QString>();
    m_steps.append({[=, this]() -> Operation * {
                        // The queue's rules are copied: the pool reads its own.
                        return PoolStep::run(
                            [=, rules = *m_rules, input = m_item->pathString(),
                             last = m_item->lastOutputPath(), finalPath = m_finalPath,
                             destination = m_spec.destination] {
                                OffMainThread::check("The job's skip and refusal checks");
                                *canonical = SafeOutput::canonicalOutputPath(finalPath);
                                *done = mayBeDone
                                    && SafeOutput::canonicalOutputPath(last) == *canonical
                                    && QFileInfo::exists(finalPath);
                                return *done ? std::nullopt
                                             : rules.check(input, finalPath, destination);
                            },
                            this);
                    },
                    [=, this](Operation &step) {
                        if (*done)
                            end(JobOutcomeKind::skipped);
                        return poolProblem(step);
                    }});
    // A free lock is taken at once, so the facts start in the same turn.
    m_steps.append({[=, this]() -> Operation * {
                        auto take = [=, this] {
                            m_lockedPath = *canonical;
                        };
                        if (OutputLocks::instance().tryAcquire(*canonical)) {
                            take();
                            return nullptr;
                        }
                        return OutputLockWait::run(*canonical, take, this);
                    },
                    noResult});

    // The source's facts, and the plan made of them.
    m_steps.append({[this]() -> Operation * {
                        return gatherSourceFacts(PlanSource::of(*m_item), m_spec, this);
                    },
                    [this](Operation &operation) -> std::optional<QString> {
                        auto &facts = static_cast<SourceFacts &>(operation);
                        m_source = facts.source();
                        m_profile = facts.profile();
                        if (!m_item->duration())
                            m_item->setDuration(m_source.duration);
                        if (facts.problem())
                            return facts.problem();
                        replan();
                        return std::nullopt;
                    }});

    // The output's folder, created as needed.
    m_steps.append({[this]() -> Operation * {
                        // ffmpeg's progress counts from the trim start, so a
                        // trimmed file's bar fills over the kept range.
                        m_duration = m_spec.batch.keptDuration(m_item->duration()).value_or(0.0);
                        m_item->setStatus(MediaStatus::processing);
                        m_item->setProgress(0.0);
                        m_item->setErrorMessage(std::nullopt);
                        return PoolStep::run(
                            [finalPath = m_finalPath, name = m_item->filename(),
                             overwrite = m_spec.overwrite]() -> std::optional<QString> {
                                OffMainThread::check("The job's output folder");
                                // Another process creating it meanwhile is no error.
                                const QString folder = QFileInfo(finalPath).absolutePath();
                                std::error_code error;
                                std::filesystem::create_directories(
                                    QFile::encodeName(folder).constData(), error);
                                if (error && !QFileInfo(folder).isDir())
                                    return QCoreApplication::translate(
                                               "MediaJob",
                                               "Could not create the folder \"%1\" for \"%2\": %3")
                                        .arg(folder, name, QString::fromStdString(error.message()));
                                if (!overwrite && QFileInfo::exists(finalPath))
                                    return SafeOutput::alreadyExistsMessage(finalPath);
                                SafeOutput::sweepFolderOnce(folder);
                                return std::nullopt;
                            },
                            this);
                    },
                    [this](Operation &step) {
                        m_temporaryPath = SafeOutput::temporaryPathFor(m_finalPath);
                        return poolProblem(step);
                    }});

    m_steps.append(measuringStep());
    // The route's own steps go in once the plan is known.
    m_steps.append({[this]() -> Operation * {
                        const QList<Step> route = routeSteps();
                        for (qsizetype i = 0; i < route.size(); ++i)
                            m_steps.insert(m_next + i, route.at(i));
                        return nullptr;
                    },
                    noResult});
    m_steps.append(loudnessCheckStep());

    // Whatever the route, the output is looked at before it takes its final
    // name: ffmpeg exits 0 after writing nothing but headers (a trim start
    // past the end, a stream it dropped), so the output is probed before it
    // counts.
    m_steps.append({[this]() -> Operation * {
                        return PoolStep::run(
                            [temporary = m_temporaryPath, intermediate = m_intermediatePath] {
                                if (!intermediate.isEmpty())
                                    QFile::remove(intermediate);
                                return SafeOutput::verifyOutput(temporary);
                            },
                            this);
                    },
                    [this](Operation &step) {
                        m_intermediatePath.clear();
                        return poolProblem(step);
                    }});
    m_steps.append({[this] { return checkOutput(); },
                    [](Operation &check) {
                        return static_cast<OutputCheck &>(check).problem();
                    }});

    // Once renamed the output is the user's: a cancel from now on is too late.
    auto size = std::make_shared<qint64>(0);
    m_steps.append({[this, size]() -> Operation * {
                        return PoolStep::run(
                            [temporary = m_temporaryPath, finalPath = m_finalPath,
                             overwrite = m_spec.overwrite, size] {
                                std::optional<QString> problem
                                    = SafeOutput::commitOutput(temporary, finalPath, overwrite);
                                if (!problem)
                                    *size = QFileInfo(finalPath).size();
                                return problem;
                            },
                            this);
                    },
                    [this, size](Operation &step) -> std::optional<QString> {
                        if (const std::optional<QString> &problem = poolProblem(step))
                            return problem;
                        m_temporaryPath.clear();
                        if (m_item)
                            m_item->setLastOutputSize(*size);
                        return std::nullopt;
                    },
                    false});
    runNext();
}

// The one place where a job notices its cancel, its item's removal and the
// end of its work.
void MediaJob::runNext()
{
    while (!isFinished()) {
        if (isCancelled())
            return cancelled();
        if (!m_item)
            return fail(removedMessage());
        if (m_next == m_steps.size())
            return succeed();
        const Step step = m_steps.at(m_next++);
        m_current = step.start();
        if (!m_current)
            continue;
        connect(m_current, &Operation::finished, this, [this, step] {
            Operation *operation = std::exchange(m_current, nullptr);
            operation->deleteLater();
            if (step.cancellable && isCancelled())
                return cancelled();
            if (step.cancellable && !m_item)
                return fail(removedMessage());
            if (const std::optional<QString> problem = step.done(*operation))
                return fail(*problem);
            runNext();
        });
        return;
    }
}

QList<MediaJob::Step> MediaJob::routeSteps()
{
    switch (m_plan.route) {
    case ConversionRoute::imagePath:
        return {imageStep(m_temporaryPath, m_spec.target.ext)};
    case ConversionRoute::webpThroughPng: {
        // libvips writes a PNG under a hidden name of this job beside the
        // output, where a killed run's leftovers are swept; ffmpeg encodes it.
        const QFileInfo output(m_finalPath);
        m_intermediatePath = SafeOutput::temporaryPathFor(
            output.dir().filePath(output.completeBaseName() + QStringLiteral(".png")));
        return {imageStep(m_intermediatePath, QStringLiteral("png")),
                ffmpegStep(m_intermediatePath, m_temporaryPath)};
    }
    case ConversionRoute::microDvdThroughSrt: {
        m_intermediatePath = m_plan.ffmpegDestination(m_temporaryPath);
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
        return {ffmpegStep(m_plan.sourcePath, m_intermediatePath),
                {[this, write] { return PoolStep::run(write, this); },
                 [this](Operation &step) {
                     m_intermediatePath.clear();
                     return poolProblem(step);
                 }}};
    }
    case ConversionRoute::ffmpeg:
        break;
    }
    return {ffmpegStep(m_plan.sourcePath, m_temporaryPath)};
}

MediaJob::Step MediaJob::imageStep(const QString &destination, const QString &ext)
{
    return {[this, destination, ext]() -> Operation * {
                return convertImage(m_plan.sourcePath, destination, ext, true, this);
            },
            [this](Operation &image) {
                return toolResult(static_cast<ImageConversion &>(image).failure());
            }};
}

MediaJob::Step MediaJob::ffmpegStep(const QString &source, const QString &destination)
{
    return {[this, source, destination]() -> Operation * {
                QPointer<Media> item = m_item;
                const double duration = m_duration;
                const double floor = m_progressFloor;
                auto onEvent
                    = [item, duration, floor, early = m_inputEndedEarly](const FFEvent &event) {
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
                return runFFmpeg(source, destination, m_plan.ffArgs, m_plan.overwrite, onEvent,
                                 this);
            },
            [this](Operation &run) {
                return toolResult(static_cast<FFmpegRun &>(run).failure());
            }};
}

std::optional<QString> MediaJob::toolResult(const std::optional<FFmpegFailure> &failure)
{
    if (!failure)
        return std::nullopt;
    // A tool ended by a cancel made nothing worth keeping.
    if (isCancellation(*failure)) {
        cancel();
        return std::nullopt;
    }
    return errorDescription(*failure);
}

// Loudness normalisation: a measuring pass over the same range of the input
// before the conversion, whose figures become part of the plan.
MediaJob::Step MediaJob::measuringStep()
{
    return {[this]() -> Operation * {
                if (!normalizesLoudness(m_spec.target, m_spec.settings) || !m_plan.runsFFmpeg())
                    return nullptr;
                m_item->setMeasuring(true);
                QPointer<Media> item = m_item;
                const double duration = m_duration;
                auto onProgress = [item, duration](double seconds) {
                    if (item && duration > 0)
                        item->setProgress(measuringShare * std::min(seconds / duration, 1.0));
                };
                return scanLoudness(m_plan.sourcePath, m_spec.batch,
                                    channelConversionFilter(m_spec.target, m_spec.settings),
                                    std::move(onProgress), this);
            },
            [this](Operation &operation) -> std::optional<QString> {
                auto &scan = static_cast<LoudnessScan &>(operation);
                m_item->setMeasuring(false);
                const QString name = m_item->filename();
                if (const std::optional<FFmpegFailure> &failure = scan.failure()) {
                    if (const auto problem = toolResult(failure))
                        return QCoreApplication::translate(
                                   "MediaJob", "Could not measure the loudness of \"%1\": %2")
                            .arg(name, *problem);
                    return std::nullopt;
                }
                m_loudness = scan.measurement();
                if (!m_loudness)
                    return QCoreApplication::translate(
                               "MediaJob",
                               "Could not measure the loudness of \"%1\": ffmpeg reported no "
                               "figures")
                        .arg(name);
                m_progressFloor = measuringShare;
                m_item->setProgress(measuringShare);
                replan();
                return std::nullopt;
            }};
}

// The output is measured as the input was: a level more than 1 LU off the
// target fails the item with both figures.
MediaJob::Step MediaJob::loudnessCheckStep()
{
    return {[this]() -> Operation * {
                if (!m_loudness || m_loudness->isSilent()
                    || !normalizesLoudness(m_spec.target, m_spec.settings))
                    return nullptr;
                return scanLoudness(m_temporaryPath, {}, std::nullopt, {}, this);
            },
            [this](Operation &scan) -> std::optional<QString> {
                const std::optional<LoudnessMeasurement> written
                    = static_cast<LoudnessScan &>(scan).measurement();
                const double target = m_spec.settings.loudnessLufs();
                if (written && std::abs(written->integrated - target) <= 1.0)
                    return std::nullopt;
                return QCoreApplication::translate(
                           "MediaJob",
                           "\"%1\" came out at %2 LUFS instead of %3 LUFS (measured at %4 LUFS "
                           "before the conversion)")
                    .arg(m_item ? m_item->filename() : QString(),
                         written ? QString::number(written->integrated, 'f', 1)
                                 : QCoreApplication::translate("MediaJob", "an unknown"),
                         QString::number(target, 'f', 1),
                         QString::number(m_loudness->integrated, 'f', 1));
            }};
}

Operation *MediaJob::checkOutput()
{
    OutputCheckContext context {m_finalPath, m_item ? m_item->filename() : QString(),
                                m_spec.batch.trimStartArguments().value(1).trimmed()};
    if (m_item) {
        // Without the input's own length a trim end past it would expect too much.
        if (m_item->duration())
            context.expectedDuration = m_spec.batch.keptDuration(m_item->duration());
        context.inputEndedEarly = *m_inputEndedEarly;
        context.inputPath = m_item->pathString();
    }
    return checkOutputAsync(m_temporaryPath, m_spec.target, context, this);
}

// Everything learnt of the source so far goes into the plan.
void MediaJob::replan()
{
    m_source.loudness = m_loudness;
    m_plan = planConversion(m_source, m_spec.target, m_spec.destination, m_spec.batch,
                            m_spec.settings, m_profile, m_spec.overwrite);
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
        m_item->setMeasuring(false);
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
    if (m_item) {
        m_item->setMeasuring(false);
        m_item->setStatus(MediaStatus::cancelled);
    }
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
    if (m_current)
        m_current->cancel();
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
