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
    // Without a platform theme Qt looks only in hicolor, which has no
    // symbols; Adwaita is on nearly every desktop.
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == u"hicolor")
        QIcon::setThemeName(QStringLiteral("Adwaita"));

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Vireo"));
    window.setCentralWidget(new ContentView(&window));
    window.resize(960, 600);
    window.show();
    return app.exec();
}
