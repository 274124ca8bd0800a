#pragma once

#include "conversion/ConversionPlan.h"
#include "conversion/HardwareProfile.h"
#include "conversion/JobOutcome.h"
#include "conversion/JobSpec.h"
#include "conversion/LoudnessMeasurement.h"
#include "conversion/RunRules.h"
#include "model/Media.h"
#include "model/Operation.h"
#include "tools/FFmpegError.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

// The conversion of one item as its run's JobSpec says, as a fixed sequence of
// operations: prepare (skip check, refusal check, output lock), the source's
// facts (SourceFacts) and the plan (ConversionPlan), the output's folder, the
// loudness measuring pass when normalising, the route's tools, the checks of
// what was written, commit. One runner starts each step when the one before
// finished and ends the job on a problem, a cancel or the item's removal.
// Lives on the main thread and touches the item only there; every step that
// reads or writes the disk runs on the pool. It holds the item weakly: an
// item removed from the list while its job runs is gone, and the job ends
// without touching it.
//
// The output is written under a hidden temporary name beside the final one
// and renamed only after the tool's success was verified and the file was
// probed to hold what the target promises; it never replaces
// the job's own input (nor any other protected file), never replaces an
// existing file while overwriting is off, and waits while another job writes
// the same output. No temporary file outlives the job, whatever ends it.
class MediaJob final : public Operation {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MediaJob)

public:
    ~MediaJob() override;

    // Valid once finished().
    const JobOutcome &outcome() const { return m_outcome; }
    const QString &outputPath() const { return m_finalPath; }
    // Valid once the conversion began.
    const ConversionPlan &plan() const { return m_plan; }

private:
    friend MediaJob *processMedia(const MediaPtr &, const JobSpec &, const RunRules *, QObject *);
    MediaJob(const MediaPtr &item, const JobSpec &spec, const RunRules *rules, QObject *parent);

    // One step of the sequence. `start` hands out its running operation, or
    // null when the step has nothing to do for this job; once the operation
    // finished, `done` reads its result: a problem ends the job.
    struct Step {
        std::function<Operation *()> start;
        std::function<std::optional<QString>(Operation &)> done;
        // Whether a cancel that arrives while it runs discards its result.
        bool cancellable = true;
    };

    void start();
    void runNext();
    QList<Step> routeSteps();
    Step ffmpegStep(const QString &source, const QString &destination);
    Step imageStep(const QString &destination, const QString &ext);
    Step measuringStep();
    Step loudnessCheckStep();
    Operation *checkOutput();
    void replan();
    std::optional<QString> toolResult(const std::optional<FFmpegFailure> &failure);
    void fail(const QString &message);
    void cancelled();
    void succeed();
    void end(JobOutcomeKind kind, const QString &message = {});
    void releaseOutput();
    void removeTemporaryFiles();
    void onCancel() override;

    QPointer<Media> m_item;
    const JobSpec m_spec;
    // The queue's, which outlives its jobs; a job of its own has its own.
    const RunRules *m_rules = nullptr;
    RunRules m_ownRules;
    QString m_signature;
    ConversionPlan m_plan;
    PlanSource m_source;
    HardwareProfile m_profile = HardwareProfile::software();

    QString m_finalPath;
    QString m_lockedPath;
    QString m_temporaryPath;
    QString m_intermediatePath; // the SRT of a MicroDVD output, the PNG of a WebP one
    double m_duration = 0.0;
    // Set from ffmpeg's log by the run's event handler.
    std::shared_ptr<std::atomic_bool> m_inputEndedEarly = std::make_shared<std::atomic_bool>(false);

    QList<Step> m_steps;
    qsizetype m_next = 0;
    QPointer<Operation> m_current;
    std::optional<LoudnessMeasurement> m_loudness;
    double m_progressFloor = 0.0; // where the conversion's share of the bar starts
    // Shared with a pool step that may outlive the job.
    std::shared_ptr<std::atomic_bool> m_abandoned = std::make_shared<std::atomic_bool>(false);
    JobOutcome m_outcome;
};

// Starts converting `item` as `spec` says. `rules` (the run's inputs) may be
// null for a job on its own.
MediaJob *processMedia(const MediaPtr &item, const JobSpec &spec, const RunRules *rules = nullptr,
                       QObject *parent = nullptr);
// The same under the preferences of this moment.
MediaJob *processMedia(const MediaPtr &item, const MediaTarget &target, const QString &destination,
                       const BatchSettings &batch, QObject *parent = nullptr);
