#include "ui/shell/DesktopOpen.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

namespace DesktopOpen {

bool openUrl(const QUrl &url, QWidget *parent)
{
    if (QDesktopServices::openUrl(url))
        return true;
    QString shown;
    QString message;
    if (url.isLocalFile()) {
        shown = QDir::toNativeSeparators(url.toLocalFile());
        message = QApplication::translate(
            "DesktopOpen", "No program on this desktop opens folders. The folder is:");
    } else if (url.scheme() == QLatin1String("mailto")) {
        shown = url.path();
        message = QApplication::translate("DesktopOpen",
                                          "No mail program is set up on this desktop. Write to:");
    } else {
        shown = url.toString();
        message = QApplication::translate(
            "DesktopOpen", "No web browser is set up on this desktop. The address is:");
    }
    QWidget *window = parent ? parent->window() : QApplication::activeWindow();
    auto *box = new QMessageBox(QMessageBox::Information, QApplication::applicationDisplayName(),
                                message, QMessageBox::Close, window);
    box->setObjectName(QStringLiteral("desktopOpenFailed"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setInformativeText(shown);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QPushButton *copy
        = box->addButton(QApplication::translate("DesktopOpen", "Copy"), QMessageBox::ActionRole);
    QObject::connect(copy, &QPushButton::clicked, box,
                     [shown] { QGuiApplication::clipboard()->setText(shown); });
    box->open();
    return false;
}

} // namespace DesktopOpen
