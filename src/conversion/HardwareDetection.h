#pragma once

#include "conversion/HardwareProfile.h"
#include "model/Operation.h"

#include <QString>
#include <QStringList>

#include <optional>

// Finding the hardware encoder of this machine. Detection runs once per
// process, at the first call of detectHardwareProfile(), on a pool thread: for
// each candidate (VA-API on every /dev/dri/renderD*, then NVENC, then QSV) it
// converts a few frames with the very options the argument builder would use,
// and takes the first candidate whose H.264 conversion works (and notes
// whether its HEVC encoder works too). With none, the profile is software.
//
// The environment variable VIREO_HWACCEL skips the test conversions and sets
// the result: "none" (software; the way out of a driver that passes the test
// but fails on real files), "vaapi" (the first render node), "vaapi:<device>",
// "nvenc" or "qsv". Any other value is ignored.

// Waits for the detection; finished() comes queued, also when the result was
// already known.
class HardwareDetection final : public Operation {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HardwareDetection)

public:
    ~HardwareDetection() override;

    // Valid once finished(); software before that, and after cancel().
    const HardwareProfile &profile() const { return m_profile; }

private:
    friend HardwareDetection *detectHardwareProfile(QObject *parent);
    friend void deliverHardwareProfile(HardwareDetection *detection,
                                       const HardwareProfile &profile);
    explicit HardwareDetection(QObject *parent);
    // Cancelling stops only the waiting: detection goes on for later calls.
    void onCancel() override;

    HardwareProfile m_profile;
};

// Starts the detection the first time; later calls finish at once with the
// cached profile. Never blocks the calling thread.
HardwareDetection *detectHardwareProfile(QObject *parent = nullptr);

// Stops a running detection at once (its test conversions are cancelled),
// for a process that is about to exit; the result is then software.
void abandonHardwareDetection();

// The profile once detection has finished; nothing before.
std::optional<HardwareProfile> detectedHardwareProfile();

// The profile that a VIREO_HWACCEL value forces (case-insensitive), or
// nothing for an empty or unknown value. "vaapi" alone takes the first of
// `renderNodes`, or the default device when there is none.
std::optional<HardwareProfile> forcedHardwareProfile(const QString &value,
                                                     const QStringList &renderNodes);

// The DRM render nodes of this machine, in name order.
QStringList renderNodes();
