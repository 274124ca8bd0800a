#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

#include "app/cli/CliOptions.h"
#include "app/cli/CliSession.h"

namespace {

int signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(signalPipe[0], &byte, 1);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vireo-cli"));
    QCoreApplication::setOrganizationName(QStringLiteral("Vireo"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VIREO_VERSION));

    const auto parsed = parseCliOptions(QCoreApplication::arguments());
    if (const auto *exit = std::get_if<CliExit>(&parsed)) {
        std::fputs(qUtf8Printable(exit->text), exit->status == 0 ? stdout : stderr);
        return exit->status;
    }

    CliSession session(std::get<CliOptions>(parsed));
    // Signals only write a byte; the event loop turns it into a cancel, so
    // running tools are stopped and temporary files removed as in the window.
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) == 0) {
        auto *notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, &app);
        QObject::connect(notifier, &QSocketNotifier::activated, &session, [&session] {
            char byte;
            [[maybe_unused]] const auto read = ::read(signalPipe[1], &byte, 1);
            session.interrupt();
        });
        struct sigaction action { };
        action.sa_handler = onSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        sigaction(SIGINT, &action, nullptr);
        sigaction(SIGTERM, &action, nullptr);
    }
    QObject::connect(&session, &CliSession::done, &app, &QCoreApplication::exit);
    session.start();
    return app.exec();
}
