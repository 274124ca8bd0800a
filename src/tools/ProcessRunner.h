#pragma once

#include "model/Operation.h"
#include "tools/ProcessError.h"
#include "tools/ProcessResult.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class LineBuffer;
class QProcess;
class QTimer;

using LineHandler = std::function<void(const QString &)>;

// One child process, started without a shell and with the null device as its
// standard input. Its two output streams are cut into lines while it runs;
// lines are delivered on the thread that started it, in order per stream.
// cancel() sends SIGTERM to a running child; the run then ends as usual and
// reports the child's status (typically 15). A child that ignores SIGTERM is
// killed after a grace period so that no run outlives its caller. The child
// leads a process group of its own, and every stop goes to the whole group:
// a wrapper script stops with the tool it started. A child ends (SIGTERM)
// when this process dies, however it dies.
class ProcessRun final : public Operation {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ProcessRun)

public:
    ~ProcessRun() override;

    // Set when the child could not be started; result() is then meaningless.
    const std::optional<ProcessError> &error() const { return m_error; }
    const ProcessResult &result() const { return m_result; }

    static constexpr int killGraceMs = 5000;

private:
    friend ProcessRun *runProcess(const QString &, const QStringList &, LineHandler, LineHandler,
                                  QObject *);
    explicit ProcessRun(QObject *parent);
    void start(const QString &executable, const QStringList &arguments);
    void onCancel() override;
    void terminateChild();
    void signalGroup(int signalNumber);
    void onFinished(int exitCode, int exitStatus);
    void onLaunchError();

    QProcess *m_process = nullptr;
    int m_pid = 0; // also the id of its process group
    QTimer *m_killTimer = nullptr;
    std::unique_ptr<LineBuffer> m_stdout;
    std::unique_ptr<LineBuffer> m_stderr;
    std::optional<ProcessError> m_error;
    ProcessResult m_result;
};

// Starts `executable` with `arguments`. The returned run is owned by `parent`
// (or by the caller when there is none) and finishes exactly once, also when
// the child could not be started (error() is then failedToLaunch).
ProcessRun *runProcess(const QString &executable, const QStringList &arguments,
                       LineHandler onStdout = {}, LineHandler onStderr = {},
                       QObject *parent = nullptr);

struct SyncProcessOutput {
    bool success = false; // started, and exited with status 0
    QString output; // standard output and standard error, merged
};

// Blocking run for worker threads: both streams merged, read to the end.
// A child that cannot be started prints "Exception: <reason>" on standard output.
SyncProcessOutput runProcessSync(const QString &executable, const QStringList &arguments);
