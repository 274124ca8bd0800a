#include "ui/main/OpenPanel.h"

#include <QFileDialog>
#include <QStandardPaths>

namespace OpenPanel {

namespace {

Answers &answers()
{
    static Answers current;
    return current;
}

} // namespace

void setAnswersForTesting(const Answers &replacement)
{
    answers() = replacement;
}

QStringList chooseMedia(QWidget *parent)
{
    if (answers().media)
        return answers().media();
    QFileDialog dialog(parent);
    dialog.setWindowTitle(QFileDialog::tr("Choose Files"));
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setDirectory(QStandardPaths::writableLocation(QStandardPaths::HomeLocation));
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

std::optional<QString> chooseMediaFolder(QWidget *parent)
{
    if (answers().mediaFolder)
        return answers().mediaFolder();
    const QString folder = QFileDialog::getExistingDirectory(
        parent, QFileDialog::tr("Choose a Folder"),
        QStandardPaths::writableLocation(QStandardPaths::HomeLocation));
    if (folder.isEmpty())
        return std::nullopt;
    return folder;
}

std::optional<QString> chooseFolder(QWidget *parent)
{
    if (answers().folder)
        return answers().folder();
    const QString folder = QFileDialog::getExistingDirectory(parent, QString());
    if (folder.isEmpty())
        return std::nullopt;
    return folder;
}

} // namespace OpenPanel
