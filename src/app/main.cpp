#include "ui/ContentView.h"

#include <QApplication>
#include <QIcon>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vireo"));
    QApplication::setOrganizationName(QStringLiteral("Vireo"));
    QApplication::setApplicationVersion(QStringLiteral(VIREO_VERSION));
    // Desktops without a platform theme still get symbols.
    if (QIcon::fallbackThemeName().isEmpty() || QIcon::fallbackThemeName() == u"hicolor")
        QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Vireo"));
    window.setCentralWidget(new ContentView(&window));
    window.resize(960, 600);
    window.show();
    return app.exec();
}
