#include "conversion/HardwareDetection.h"
#include "conversion/SafeOutput.h"
#include "model/WorkPool.h"
#include "tools/ResourceLimits.h"
#include "tools/UnixSignalWatcher.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThreadPool>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <memory>
#include <sys/types.h>
#include <thread>
#include <unistd.h>

#include "app/Translations.h"
#include "app/cli/CliOptions.h"
#include "app/cli/CliSession.h"
#include "app/cli/WatchSession.h"

namespace {

// What this process's temporary outputs in `folder` are called: the part of
// the hidden name that names its owner.
QString ownTemporaryTag(const QString &folder)
{
    // Machine, boot, process id and start time: everything but the random part.
    static const QRegularExpression owner(
        QStringLiteral(R"(\.vireo-[0-9a-f]{8}-[0-9a-f]{8}-[0-9]+-[0-9]+-)"));
    return owner.match(SafeOutput::temporaryPathFor(folder + QStringLiteral("/x.mp3"))).captured();
}

// The last resort when the orderly cancel could not finish in time: the
// jobs that would remove their temporary outputs are stuck.
void removeOwnTemporaries(const QString &folder, const QString &tag, bool below)
{
    if (tag.isEmpty())
        return;
    QDirIterator it(folder, {QStringLiteral(".*") + tag + u'*'},
                    QDir::Files | QDir::Hidden | QDir::NoSymLinks,
                    below ? QDirIterator::Subdirectories : QDirIterator::NoIteratorFlags);
    while (it.hasNext())
        QFile::remove(it.next());
}

// Children run in process groups of their own. A stuck run's tools are
// killed before its temporaries are swept: an ffmpeg still starting would
// otherwise create its output after the sweep.
void killChildren()
{
    const QString self = QString::number(::getpid());
    QList<pid_t> children;
    QDirIterator it(QStringLiteral("/proc"), QDir::Dirs | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile stat(path + QStringLiteral("/stat"));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        // "pid (comm) state ppid pgrp ...": comm may hold spaces, so count after ')'.
        const QByteArray line = stat.readAll();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 2 && fields.at(1) == self.toLatin1()) {
            const pid_t group = pid_t(fields.at(2).toInt());
            ::kill(group > 1 && group != ::getpgrp() ? -group : pid_t(it.fileName().toInt()),
                   SIGKILL);
            children << pid_t(it.fileName().toInt());
        }
    }
    // Killed is not yet dead; a zombie writes nothing more.
    for (int round = 0; round < 50 && !children.isEmpty(); ++round) {
        children.removeIf([](pid_t pid) {
            QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
            if (!stat.open(QIODevice::ReadOnly))
                return true;
            const QByteArray line = stat.readAll();
            return line.mid(line.lastIndexOf(')') + 2, 1) == "Z";
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(4));
    }
}

} // namespace

int main(int argc, char *argv[])
{
    ResourceLimits::raiseOpenFileLimit(); // a large batch runs many tools at once
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vireo-cli"));
    QCoreApplication::setOrganizationName(QStringLiteral("Vireo"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VIREO_VERSION));
    installTranslations(app);

    const auto parsed = parseCliOptions(QCoreApplication::arguments());
    if (const auto *exit = std::get_if<CliExit>(&parsed)) {
        std::fputs(qUtf8Printable(exit->text), exit->status == 0 ? stdout : stderr);
        return exit->status;
    }
    const CliOptions &options = std::get<CliOptions>(parsed);

    // Ctrl+C and SIGTERM cancel like the window's Cancel button; a process
    // that cannot get there within two seconds removes what it wrote and ends.
    UnixSignalWatcher interrupts({SIGINT, SIGTERM});
    int signalNumber = 0;
    const QString tag = ownTemporaryTag(options.outputDir);
    const QByteArray abandoned
        = QCoreApplication::translate("vireo-cli",
                                      "vireo-cli: stopped without waiting for the conversions "
                                      "that did not end (a file that cannot be read any more?)\n")
              .toUtf8();
    CliSession session(options);
    interrupts.armExitDeadline(
        std::chrono::milliseconds(1700), [&session, options, tag, abandoned] {
            killChildren();
            if (!options.outputDir.isEmpty())
                removeOwnTemporaries(options.outputDir, tag, options.keepStructure);
            else
                for (const QString &input : options.inputs) {
                    const QFileInfo info(input);
                    removeOwnTemporaries(info.isDir() ? input : info.absolutePath(), tag,
                                         info.isDir());
                }
            // The summary still ends the output; the main thread then stays put
            // so that nothing follows it.
            auto printed = std::make_shared<std::promise<void>>();
            if (!options.watch)
                QMetaObject::invokeMethod(
                    &session,
                    [&session, printed] {
                        session.printSummary();
                        printed->set_value();
                        std::this_thread::sleep_for(std::chrono::seconds(1));
                    },
                    Qt::QueuedConnection);
            printed->get_future().wait_for(std::chrono::milliseconds(200));
            std::fputs(abandoned.constData(), stderr);
        });

    WatchSession watch(options);
    QObject::connect(&interrupts, &UnixSignalWatcher::received, &app, [&](int number) {
        signalNumber = signalNumber ? signalNumber : number;
        if (options.watch)
            watch.interrupt();
        else
            session.interrupt();
    });
    QObject::connect(&session, &CliSession::done, &app, &QCoreApplication::exit);
    QObject::connect(&watch, &WatchSession::done, &app, &QCoreApplication::exit);
    if (options.watch)
        watch.start();
    else
        session.start();
    int status = app.exec();
    if (status == 130 && signalNumber)
        status = 128 + signalNumber; // 143 after SIGTERM, as a service manager expects
    // The application's teardown waits for every pool task: a detection's test
    // conversion or a probe that hangs must not keep an interrupted run alive.
    // Children die with us (they are started with a parent-death signal).
    abandonHardwareDetection();
    if (!WorkPool::instance()->waitForDone(1000)) {
        std::fflush(stdout);
        std::fflush(stderr);
        std::_Exit(status);
    }
    return status;
}
