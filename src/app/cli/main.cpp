#include "conversion/HardwareDetection.h"
#include "tools/ResourceLimits.h"
#include "tools/UnixSignalWatcher.h"

#include <QCoreApplication>
#include <QThreadPool>

#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "app/Translations.h"
#include "app/cli/CliOptions.h"
#include "app/cli/CliSession.h"

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

    CliSession session(std::get<CliOptions>(parsed));
    // Ctrl+C and SIGTERM cancel like the window's Cancel button.
    UnixSignalWatcher interrupts({SIGINT, SIGTERM});
    QObject::connect(&interrupts, &UnixSignalWatcher::received, &session, &CliSession::interrupt);
    QObject::connect(&session, &CliSession::done, &app, &QCoreApplication::exit);
    session.start();
    const int status = app.exec();
    // The application's teardown waits for every pool task: a detection's test
    // conversion or a probe that hangs must not keep an interrupted run alive.
    // Children die with us (they are started with a parent-death signal).
    abandonHardwareDetection();
    if (!QThreadPool::globalInstance()->waitForDone(1000)) {
        std::fflush(stdout);
        std::fflush(stderr);
        std::_Exit(status);
    }
    return status;
}
