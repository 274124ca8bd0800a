#pragma once

#include "conversion/LoudnessMeasurement.h"
#include "model/Operation.h"
#include "tools/FFProgressParser.h"
#include "tools/FFmpegError.h"

#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

struct BatchSettings;
class ProcessRun;

// The measuring pass of loudness normalisation: ffmpeg decodes the kept range
// of the input's first audio stream, converts its channels as the target's
// encoder will, passes it through ebur128 and throws the audio away; the
// figures come from its summary. The same pass over an output checks what
// was written. Cancelling stops ffmpeg and the scan fails as cancelled.
class LoudnessScan final : public Operation {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LoudnessScan)

public:
    // Called with the input time reached, in seconds, as ffmpeg reports it.
    using ProgressHandler = std::function<void(double seconds)>;

    ~LoudnessScan() override;

    // Valid once finished(). Without a failure, ffmpeg ran to its end; the
    // figures are still missing when it printed no readable report.
    const std::optional<LoudnessMeasurement> &measurement() const { return m_measurement; }
    const std::optional<FFmpegFailure> &failure() const { return m_failure; }

    // The ffmpeg arguments of the pass: log level "info", since ebur128
    // prints its summary there, the batch's trim exactly as the conversion
    // uses it, the channel conversion before the measurement, and no output
    // file.
    static QStringList arguments(const QString &source, const BatchSettings &batch,
                                 const std::optional<QString> &channels);

private:
    friend LoudnessScan *scanLoudnessWith(const QString &, const QString &, const BatchSettings &,
                                          const std::optional<QString> &, ProgressHandler,
                                          QObject *);
    explicit LoudnessScan(QObject *parent);
    void onCancel() override;
    void onStderr(const QString &line);
    void onProcessFinished();

    QPointer<ProcessRun> m_process;
    FFProgressParser m_parser;
    ProgressHandler m_onProgress;
    QString m_source;
    // The input's description (for its sample rate) and the last lines (the
    // report); the rest of the output, however long, is dropped.
    QStringList m_head;
    QStringList m_tail;
    bool m_headDone = false;
    std::optional<LoudnessMeasurement> m_measurement;
    std::optional<FFmpegFailure> m_failure;
};

// Measures with the ffmpeg that ToolLocator found.
LoudnessScan *scanLoudness(const QString &source, const BatchSettings &batch,
                           const std::optional<QString> &channels = std::nullopt,
                           LoudnessScan::ProgressHandler onProgress = {},
                           QObject *parent = nullptr);

// The same with an explicit tool, for tests.
LoudnessScan *scanLoudnessWith(const QString &ffmpeg, const QString &source,
                               const BatchSettings &batch,
                               const std::optional<QString> &channels = std::nullopt,
                               LoudnessScan::ProgressHandler onProgress = {},
                               QObject *parent = nullptr);
