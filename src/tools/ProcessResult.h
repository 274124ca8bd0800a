#pragma once

#include <QString>

// How a child process ended.
struct ProcessResult {
    // Exit code when the child exited by itself, the signal number when a
    // signal ended it (15 after a terminate request).
    qint32 exitCode = 0;
    QString stdoutTail;
    QString stderrTail;
};
