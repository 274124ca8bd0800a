#pragma once

#include "conversion/BatchSettings.h"
#include "conversion/LoudnessMeasurement.h"
#include "model/Media.h"
#include "model/MediaTarget.h"
#include "settings/ConversionSettings.h"
#include "tools/Operation.h"

#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class HardwareDetection;
class ImageConversion;
class FFmpegRun;
class LoudnessScan;
class ProbeRun;

// The conversion of one item into one target and destination folder: skip
// check, duration probe, the image path or ffmpeg, and the item's status.
// Lives on the main thread and touches the item only there.
//
// The output is written under a hidden temporary name beside the final one
// and renamed only after the tool's success was verified; it never replaces
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

    // The output of an item: the destination folder, the file name without its
    // last extension, and the target's output extension.
    static QString outputPathFor(const Media &item, const MediaTarget &target,
                                 const QString &destination, const ConversionSettings &settings);

private:
    friend MediaJob *processMedia(const MediaPtr &, const MediaTarget &, const QString &,
                                  const BatchSettings &, ProtectedPredicate, QObject *);
    MediaJob(const MediaPtr &item, const MediaTarget &target, const QString &destination,
             const BatchSettings &batch, ProtectedPredicate isProtected, QObject *parent);

    void start();
    void fillDuration();
    void prepareOutput();
    void beginConversion();
    void convert();
    void runFFmpegStep(const QString &source, const QString &destination);
    void measureLoudness(const QString &source);
    void onToolFinished();
    void finishSubtitleStep();
    void commit();
    void fail(const QString &message);
    void cancelled();
    void succeed();
    void releaseOutput();
    void removeTemporaryFiles();
    void onCancel() override;

    QPointer<Media> m_item;
    MediaPtr m_itemRef; // keeps the item alive while it converts
    MediaTarget m_target;
    QString m_destination;
    BatchSettings m_batch;
    ConversionSettings m_settings;
    bool m_overwrite = true;
    ProtectedPredicate m_isProtected;
    QString m_signature;

    QString m_finalPath;
    QString m_lockedPath;
    QString m_temporaryPath;
    QString m_intermediatePath; // the SRT of a MicroDVD output
    QStringList m_writeErrors;
    double m_duration = 0.0;

    QPointer<ProbeRun> m_probe;
    QPointer<HardwareDetection> m_detection;
    QPointer<FFmpegRun> m_ffmpeg;
    QPointer<ImageConversion> m_image;
    QPointer<LoudnessScan> m_loudnessScan;
    std::optional<LoudnessMeasurement> m_loudness;
    double m_progressFloor = 0.0; // where the conversion's share of the bar starts
    QMetaObject::Connection m_lockWait;
    bool m_succeeded = false;
    bool m_skipped = false;
};

// Starts converting `item`. `isProtected` may be empty.
MediaJob *processMedia(const MediaPtr &item, const MediaTarget &target, const QString &destination,
                       const BatchSettings &batch, MediaJob::ProtectedPredicate isProtected = {},
                       QObject *parent = nullptr);
