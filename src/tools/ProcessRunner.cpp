#include "tools/ProcessRunner.h"

#include "tools/LineBuffer.h"

#include <QProcess>
#include <QStringDecoder>
#include <QTimer>

#include <cstdio>
#include <unistd.h>

namespace {

// Conversions are background work: at a lower CPU priority the window stays
// responsive while many of them share a few cores, and they lose nothing
// when the machine is otherwise idle.
void lowerPriority(QProcess &process)
{
    process.setChildProcessModifier([] { [[maybe_unused]] const int niceness = ::nice(10); });
}

} // namespace

ProcessRun::ProcessRun(QObject *parent)
    : Operation(parent)
{
}

ProcessRun::~ProcessRun()
{
    if (m_process && m_process->state() != QProcess::NotRunning) {
        // The owner went away mid-run: never leave the child behind.
        m_process->disconnect(this);
        m_process->kill();
        m_process->waitForFinished(3000);
    }
}

void ProcessRun::start(const QString &executable, const QStringList &arguments)
{
    m_process = new QProcess(this);
    m_process->setProgram(executable);
    m_process->setArguments(arguments);
    m_process->setStandardInputFile(QProcess::nullDevice());
    m_process->setProcessChannelMode(QProcess::SeparateChannels);
    lowerPriority(*m_process);

    connect(m_process, &QProcess::readyReadStandardOutput, this,
            [this] { m_stdout->append(m_process->readAllStandardOutput()); });
    connect(m_process, &QProcess::readyReadStandardError, this,
            [this] { m_stderr->append(m_process->readAllStandardError()); });
    connect(m_process, &QProcess::finished, this,
            [this](int exitCode, QProcess::ExitStatus status) { onFinished(exitCode, status); });
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            onLaunchError();
    });
    m_process->start();
}

void ProcessRun::onLaunchError()
{
    if (isFinished())
        return;
    m_error = ProcessError::failedToLaunch(m_process->errorString());
    m_process->disconnect(this);
    finish();
}

void ProcessRun::onFinished(int exitCode, int exitStatus)
{
    if (isFinished())
        return;
    if (m_killTimer)
        m_killTimer->stop();
    // Whatever is still in the pipes belongs to the run; it arrives before
    // the flush so lines keep their order.
    m_stdout->append(m_process->readAllStandardOutput());
    m_stderr->append(m_process->readAllStandardError());
    m_stdout->flush();
    m_stderr->flush();
    m_process->disconnect(this);

    // QProcess reports the terminating signal's number as the exit code of a
    // crashed child, which is what callers expect (15 after SIGTERM).
    Q_UNUSED(exitStatus)
    m_result.exitCode = exitCode;
    m_result.stdoutTail = m_stdout->tail();
    m_result.stderrTail = m_stderr->tail();
    finish();
}

void ProcessRun::onCancel()
{
    if (!m_process || isFinished())
        return;
    if (m_process->state() == QProcess::Starting) {
        // The child is forked but its start is not yet confirmed; stop it
        // as soon as it is, so a cancelled run never runs to its end.
        connect(m_process, &QProcess::started, this, &ProcessRun::terminateChild);
        return;
    }
    if (m_process->state() == QProcess::Running)
        terminateChild();
}

void ProcessRun::terminateChild()
{
    m_process->terminate();
    if (!m_killTimer) {
        m_killTimer = new QTimer(this);
        m_killTimer->setSingleShot(true);
        connect(m_killTimer, &QTimer::timeout, this, [this] {
            if (m_process->state() != QProcess::NotRunning)
                m_process->kill();
        });
    }
    m_killTimer->start(killGraceMs);
}

ProcessRun *runProcess(const QString &executable, const QStringList &arguments,
                       LineHandler onStdout, LineHandler onStderr, QObject *parent)
{
    auto *run = new ProcessRun(parent);
    run->m_stdout = std::make_unique<LineBuffer>(std::move(onStdout));
    run->m_stderr = std::make_unique<LineBuffer>(std::move(onStderr));
    run->start(executable, arguments);
    return run;
}

SyncProcessOutput runProcessSync(const QString &executable, const QStringList &arguments)
{
    QProcess process;
    process.setProgram(executable);
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setProcessChannelMode(QProcess::MergedChannels);
    lowerPriority(process);
    process.start();
    if (!process.waitForStarted(-1)) {
        std::fprintf(stdout, "Exception: %s\n", qUtf8Printable(process.errorString()));
        std::fflush(stdout);
        return {};
    }
    // waitForFinished keeps reading the pipe, so a chatty child never blocks.
    process.waitForFinished(-1);
    const QByteArray bytes = process.readAll();

    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        text.clear();
    const bool success = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    return {success, text};
}
