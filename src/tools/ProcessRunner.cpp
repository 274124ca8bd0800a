#include "tools/ProcessRunner.h"

#include "tools/LineBuffer.h"
#include "tools/ResourceLimits.h"

#include <QProcess>
#include <QStringDecoder>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// Runs in the child between fork and exec, so only async-signal-safe calls.
void prepareChild(QProcess &process)
{
    const pid_t parent = ::getpid();
    process.setChildProcessModifier([parent] {
        // A group of its own, so that a stop reaches whatever a wrapper script
        // started too.
        ::setpgid(0, 0);
        // Killed with us, also by SIGKILL, rather than writing on to the end
        // of its file. Should we have died before this took effect, the child
        // has a new parent by now and must not run at all.
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (::getppid() != parent)
            ::_exit(127);
        ResourceLimits::restoreInChild();
    });
}

// Conversions are background work: at a lower CPU priority the window stays
// responsive while many of them share a few cores, and they lose nothing when
// the machine is otherwise idle. Set from here once the tool runs, not in the
// child before exec: start() waits for the exec, and a child already lowered
// would keep the window waiting behind every other process on a busy machine.
// The whole group, with every thread, should the tool be a wrapper.
void lowerPriority(pid_t group)
{
    errno = 0;
    const int own = ::getpriority(PRIO_PROCESS, 0);
    if (errno == 0)
        ::setpriority(PRIO_PGRP, static_cast<id_t>(group), std::min(own + 10, 19));
}

// Takes over a child whose owner went away: the owner's destructor never
// waits for it. The process object goes once the child has been reaped; the
// child was already told to stop.
void reap(QProcess *process)
{
    process->setParent(nullptr);
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    QObject::connect(process, &QProcess::errorOccurred, process, [process] {
        if (process->state() == QProcess::NotRunning)
            process->deleteLater();
    });
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
        signalGroup(SIGKILL);
        reap(std::exchange(m_process, nullptr));
    }
}

void ProcessRun::start(const QString &executable, const QStringList &arguments)
{
    m_process = new QProcess(this);
    m_process->setProgram(executable);
    m_process->setArguments(arguments);
    m_process->setStandardInputFile(QProcess::nullDevice());
    m_process->setProcessChannelMode(QProcess::SeparateChannels);
    prepareChild(*m_process);

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
    m_pid = pid_t(m_process->processId()); // the fork happened in start()
    if (m_pid > 0)
        lowerPriority(m_pid);
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
    // A stopped wrapper script may leave the tool it started; the group goes
    // with it. (Its id stays reserved while any member lives.)
    if (m_killTimer)
        signalGroup(SIGKILL);

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
    signalGroup(SIGTERM);
    if (!m_killTimer) {
        m_killTimer = new QTimer(this);
        m_killTimer->setSingleShot(true);
        connect(m_killTimer, &QTimer::timeout, this, [this] {
            if (m_process->state() != QProcess::NotRunning)
                signalGroup(SIGKILL);
        });
    }
    m_killTimer->start(killGraceMs);
}

void ProcessRun::signalGroup(int signalNumber)
{
    if (m_pid <= 0)
        return;
    // Before the child's setpgid() there is no group yet, only the child; once
    // the child is reaped its id may belong to someone else.
    if (::kill(-m_pid, signalNumber) != 0 && errno == ESRCH
        && m_process->state() != QProcess::NotRunning)
        ::kill(m_pid, signalNumber);
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
    prepareChild(process);
    process.start();
    if (!process.waitForStarted(-1)) {
        std::fprintf(stderr, "Exception: %s\n", qUtf8Printable(process.errorString()));
        std::fflush(stderr);
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
