#pragma once

#include "conversion/BatchSettings.h"
#include "conversion/ConversionPlan.h"
#include "conversion/HardwareProfile.h"
#include "conversion/LoudnessMeasurement.h"
#include "model/Media.h"
#include "model/MediaTarget.h"
#include "model/Operation.h"
#include "settings/ConversionSettings.h"

#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class HardwareDetection;
class ImageConversion;
class OutputCheck;
class FFmpegRun;
class LoudnessScan;
class ProbeRun;

// The conversion of one item into one target and destination folder, in
// small steps: skip check, output lock, duration probe, hardware profile,
// the plan (ConversionPlan), the route's tools, the output check, commit.
// Lives on the main thread and touches the item only there. It holds the
// item weakly: an item removed from the list while its job runs is gone, and
// the job ends without touching it.
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
    // Answers whether a path must never be written (the inputs of a run).
    using ProtectedPredicate = std::function<bool(const QString &path)>;

    ~MediaJob() override;

    // True on success or skip; valid once finished().
    bool succeeded() const { return m_succeeded; }
    bool skipped() const { return m_skipped; }
    const QString &outputPath() const { return m_finalPath; }
    // Valid once the conversion began.
    const ConversionPlan &plan() const { return m_plan; }

private:
    friend MediaJob *processMedia(const MediaPtr &, const MediaTarget &, const QString &,
                                  const BatchSettings &, ProtectedPredicate, QObject *);
    MediaJob(const MediaPtr &item, const MediaTarget &target, const QString &destination,
             const BatchSettings &batch, ProtectedPredicate isProtected, QObject *parent);

    void start();
    void prepareOutput();
    void fillDuration();
    void readTextEncoding();
    void resolveHardwareProfile();
    void makePlan();
    void beginConversion();
    void convert();
    void runFFmpegStep(const QString &destination);
    void measureLoudness();
    void checkLoudness();
    void readCover();
    void replan();
    void onToolFinished();
    void finishSubtitleStep();
    void checkOutput();
    void commit();
    void commitChecked();
    void fail(const QString &message);
    void cancelled();
    void succeed();
    void releaseOutput();
    void removeTemporaryFiles();
    void onCancel() override;

    QPointer<Media> m_item;
    MediaTarget m_target;
    QString m_destination;
    BatchSettings m_batch;
    ConversionSettings m_settings;
    bool m_overwrite = true;
    ProtectedPredicate m_isProtected;
    QString m_signature;
    ConversionPlan m_plan;
    HardwareProfile m_profile = HardwareProfile::software();
    SourceVideo m_sourceVideo;
    std::optional<QString> m_textEncoding;

    QString m_finalPath;
    QString m_lockedPath;
    QString m_temporaryPath;
    QString m_intermediatePath; // the SRT of a MicroDVD output
    double m_duration = 0.0;

    QPointer<ProbeRun> m_probe;
    QPointer<HardwareDetection> m_detection;
    QPointer<FFmpegRun> m_ffmpeg;
    QPointer<ImageConversion> m_image;
    QPointer<OutputCheck> m_check;
    QPointer<LoudnessScan> m_loudnessScan;
    std::optional<LoudnessMeasurement> m_loudness;
    std::optional<CoverArt> m_cover;
    bool m_coverRead = false;
    double m_progressFloor = 0.0; // where the conversion's share of the bar starts
    QMetaObject::Connection m_lockWait;
    bool m_succeeded = false;
    bool m_skipped = false;
};

// Starts converting `item`. `isProtected` may be empty.
MediaJob *processMedia(const MediaPtr &item, const MediaTarget &target, const QString &destination,
                       const BatchSettings &batch, MediaJob::ProtectedPredicate isProtected = {},
                       QObject *parent = nullptr);
