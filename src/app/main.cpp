#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vireo"));
    QApplication::setOrganizationName(QStringLiteral("Vireo"));
    QApplication::setApplicationVersion(QStringLiteral(VIREO_VERSION));

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Vireo"));
    window.resize(960, 600);
    window.show();
    return app.exec();
}
