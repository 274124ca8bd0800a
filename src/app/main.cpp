#include "tools/ResourceLimits.h"
#include "tools/UnixSignalWatcher.h"
#include "ui/shell/AppDelegate.h"
#include "ui/shell/SingleInstance.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QIcon>

#include <csignal>

#include "app/Translations.h"
#include "vireo/BuildConfig.h"

using namespace std::chrono_literals;

namespace {

// How long a second launch waits for a running Vireo that is still starting.
constexpr auto handOverPatience = 5s;

QIcon applicationIcon(const QString &desktopId)
{
    QIcon bundled;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        bundled.addFile(QStringLiteral(":/icons/%1x%1/vireo.png").arg(size), QSize(size, size));
    return QIcon::fromTheme(desktopId, bundled);
}

} // namespace

int main(int argc, char *argv[])
{
    ResourceLimits::raiseOpenFileLimit(); // a large batch runs many tools at once
    QApplication app(argc, argv);
    const QString desktopId = QString::fromUtf8(BuildConfig::appId);
    QApplication::setApplicationName(QStringLiteral("Vireo"));
    QApplication::setOrganizationName(QStringLiteral("Vireo"));
    QApplication::setApplicationVersion(QStringLiteral(VIREO_VERSION));
    QGuiApplication::setDesktopFileName(desktopId);
    installTranslations(app);
    // Without a platform theme Qt looks only in hicolor, which has no
    // symbols; Adwaita is on nearly every desktop.
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == u"hicolor")
        QIcon::setThemeName(QStringLiteral("Adwaita"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QApplication::translate(
        "main", "Converts batches of audio, video, image and subtitle files."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("files"),
        QApplication::translate("main", "Files or folders to import (paths or file: URLs)."),
        QStringLiteral("[files…]"));
    parser.process(app);
    const QStringList paths
        = SingleInstance::absolutePaths(parser.positionalArguments(), QDir::currentPath());

    SingleInstance instance(desktopId);
    if (instance.start(paths, handOverPatience) == SingleInstance::Role::secondary)
        return 0;

    QApplication::setWindowIcon(applicationIcon(desktopId));
    // Closing the window hides it; only Quit ends the program.
    QApplication::setQuitOnLastWindowClosed(false);

    AppDelegate delegate;
    QObject::connect(&instance, &SingleInstance::activationRequested, &delegate,
                     &AppDelegate::openMedia);
    // A logout or kill ends the program as Quit does: running conversions
    // stop and remove their partial outputs, and the lock is released.
    UnixSignalWatcher stopSignals({SIGINT, SIGTERM, SIGHUP});
    QObject::connect(&stopSignals, &UnixSignalWatcher::received, &app, &QCoreApplication::quit);
    delegate.launch(paths);
    return QApplication::exec();
}
