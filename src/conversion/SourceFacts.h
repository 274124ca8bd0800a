#pragma once

#include "conversion/ConversionPlan.h"
#include "conversion/HardwareProfile.h"
#include "model/MediaTarget.h"
#include "model/Operation.h"

#include <QPointer>
#include <QString>

#include <optional>

struct JobSpec;
class HardwareDetection;
class ProbeRun;

// What the plan needs to know of a source beyond its name, gathered off the
// main thread the same way for a job and for vireo-cli's plan: the hardware
// profile when the target's arguments depend on it, a video's frame size and
// pixel format, an audio file's play length when it has none yet, a
// subtitle file's character set. A source that cannot give the target
// anything (no audio for an audio target) is a problem, not a plan.
class SourceFacts final : public Operation {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SourceFacts)

public:
    ~SourceFacts() override;

    // Valid once finished() without a cancel.
    const PlanSource &source() const { return m_source; }
    const HardwareProfile &profile() const { return m_profile; }
    const std::optional<QString> &problem() const { return m_problem; }

private:
    friend SourceFacts *gatherSourceFacts(const PlanSource &, const JobSpec &, QObject *);
    SourceFacts(const PlanSource &source, const JobSpec &spec, QObject *parent);

    void detectHardware();
    void readSource();
    void readCover();
    void onCancel() override;

    PlanSource m_source;
    MediaTarget m_target;
    bool m_needsProfile = false;
    HardwareProfile m_profile = HardwareProfile::software();
    std::optional<QString> m_problem;
    QPointer<HardwareDetection> m_detection;
    QPointer<ProbeRun> m_probe;
};

SourceFacts *gatherSourceFacts(const PlanSource &source, const JobSpec &spec,
                               QObject *parent = nullptr);
