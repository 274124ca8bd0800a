#include "TestSupport.h"

#include "tools/Operation.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

namespace TestSupport {

QString fakeTool()
{
    return QStringLiteral(VIREO_FAKETOOL);
}

bool makeMedia(const QString &output, const QStringList &arguments)
{
    QString ffmpeg = qEnvironmentVariable("VIREO_FFMPEG");
    if (ffmpeg.isEmpty())
        ffmpeg = QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(ffmpeg,
                  QStringList {QStringLiteral("-y"), QStringLiteral("-hide_banner"),
                               QStringLiteral("-loglevel"), QStringLiteral("error")}
                      + arguments + QStringList {output});
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0) {
        qWarning("making %s failed: %s", qPrintable(output),
                 process.readAllStandardError().constData());
        return false;
    }
    return QFile::exists(output);
}

bool makeTone(const QString &output, double seconds)
{
    return makeMedia(
        output,
        {QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
         QStringLiteral("sine=frequency=440:sample_rate=44100:duration=%1").arg(seconds)});
}

bool waitFor(Operation *operation, int timeoutMs)
{
    if (!operation)
        return false;
    if (operation->isFinished()) {
        // finished() may still be queued: let it go out before returning.
        QCoreApplication::processEvents();
        return true;
    }
    bool done = false;
    QObject::connect(operation, &Operation::finished, operation, [&done] { done = true; });
    return waitUntil([&done] { return done; }, timeoutMs);
}

bool waitUntil(const std::function<bool()> &condition, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    // Sleeps in the event loop instead of spinning, so the children being
    // waited for have the processors; the tick only rechecks the deadline.
    QTimer tick;
    tick.start(50);
    QEventLoop loop;
    while (!condition() && !deadline.hasExpired())
        loop.processEvents(QEventLoop::WaitForMoreEvents);
    return condition();
}

QStringList liveChildren()
{
    QStringList children;
    const QString self = QString::number(QCoreApplication::applicationPid());
    const QStringList pids = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString &pid : pids) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromUtf8(stat.readAll());
        // pid (comm) state ppid …: the command may hold spaces, so read after ')'.
        const QStringList fields = text.mid(text.lastIndexOf(u')') + 2).split(u' ');
        if (fields.size() > 1 && fields.at(1) == self && fields.at(0) != QStringLiteral("Z"))
            children << pid;
    }
    return children;
}

qint64 residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

} // namespace TestSupport
