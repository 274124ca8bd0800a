#pragma once

#include "tools/ProcessError.h"

#include <QString>

#include <variant>

// How an ffmpeg conversion (or the image path, which reports the same way)
// failed.
struct FFmpegError {
    enum class Kind { nonZeroExit, cancelled, writeFailed };

    Kind kind = Kind::nonZeroExit;
    qint32 code = 0;
    QString stderrTail;

    static FFmpegError nonZeroExit(qint32 code, const QString &stderrTail)
    {
        return {Kind::nonZeroExit, code, stderrTail};
    }
    static FFmpegError cancelled() { return {Kind::cancelled, 0, {}}; }
    // ffmpeg reported a failed write (a full disk), which it may do and still exit 0.
    static FFmpegError writeFailed(qint32 code, const QString &line)
    {
        return {Kind::writeFailed, code, line};
    }

    // The message shown for the failed file: the line of ffmpeg's error output
    // that states the cause, preferring errors to warnings and specific
    // messages to ffmpeg's closing summaries.
    QString errorDescription() const;
};

// Every way a conversion can fail: the tool could not be started, or it ran
// and failed (or was cancelled).
using FFmpegFailure = std::variant<ProcessError, FFmpegError>;

QString errorDescription(const FFmpegFailure &failure);
// Whether a line of ffmpeg's error output reports a failed write.
bool isWriteErrorLine(const QString &line);
bool isCancellation(const FFmpegFailure &failure);
