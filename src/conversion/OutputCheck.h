#pragma once

#include "model/MediaTarget.h"
#include "model/Operation.h"
#include "tools/ProbeResult.h"

#include <QPointer>
#include <QString>

#include <optional>

class ProbeRun;

// What a finished output is checked against, and the names a reason uses:
// the user's files, never the temporary name the output still has.
struct OutputCheckContext {
    QString outputName {}; // the final output path
    QString inputName {}; // the input file's name
    QString trimStart {}; // as typed; empty when the batch does not trim the start
    // How long the output should play: the input's length, or the kept
    // range's; nothing when unknown.
    std::optional<double> expectedDuration {};
    // ffmpeg reported that the input itself ends before its stated length.
    bool inputEndedEarly = false;
    // The input file; a subtitle output must hold as many cues as it does.
    // Empty: cues are not counted.
    QString inputPath {};
};

// Why a probed output is not a usable result of `target`, or nothing when it
// is: it must be readable media, hold the kind of stream the target makes and,
// for audio and video, last a positive time and not fall short of the
// expected length by more than both 0.5 s and 5 %. Subtitle outputs are not
// media (see cueProblem).
std::optional<QString> outputProblem(const std::optional<ProbeResult> &probe,
                                     const MediaTarget &target, const OutputCheckContext &context);

// True when a line of ffmpeg's log says that the input itself ends early
// or breaks off (a truncated or corrupt file), so that a short output is
// the input's fault, not the conversion's.
bool reportsEarlyInputEnd(const QString &ffmpegLogLine);

// The number of cues (timed entries) in subtitle text of the format that the
// file name extension `ext` names (SRT, WebVTT, SSA/ASS, MicroDVD); nothing
// for other formats.
std::optional<int> subtitleCueCount(const QByteArray &text, const QString &ext);

// Why a subtitle output holding `outputCues` cues is not a whole conversion of
// an input holding `inputCues`.
std::optional<QString> cueProblem(int inputCues, int outputCues, const OutputCheckContext &context);

// Why a probed source cannot give `target` anything, before ffmpeg runs: a
// file with streams, none of them audio, for an audio target or "Convert to
// Audio". Nothing when it can, or when the probe found no streams to judge.
std::optional<QString> sourceProblem(const ProbeResult &probe, const MediaTarget &target,
                                     const QString &inputName);

// Probes a written output off the main thread and judges it by outputProblem.
class OutputCheck final : public Operation {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OutputCheck)

public:
    ~OutputCheck() override;

    // Valid once finished(); nothing after cancel().
    const std::optional<QString> &problem() const { return m_problem; }

private:
    friend OutputCheck *checkOutputAsync(const QString &, const MediaTarget &,
                                         const OutputCheckContext &, QObject *);
    explicit OutputCheck(QObject *parent);
    void onCancel() override;

    QPointer<ProbeRun> m_probe;
    std::optional<QString> m_problem;
};

// True when checkOutputAsync has anything to look at for `target`.
bool outputIsChecked(const MediaTarget &target);

OutputCheck *checkOutputAsync(const QString &path, const MediaTarget &target,
                              const OutputCheckContext &context, QObject *parent = nullptr);
