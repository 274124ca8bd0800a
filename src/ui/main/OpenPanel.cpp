#include "ui/main/OpenPanel.h"

#include "settings/PreferenceKeys.h"
#include "settings/Preferences.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
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

std::optional<QString> chooseDestination(QWidget *parent)
{
    if (answers().destination)
        return answers().destination();
    if (answers().folder)
        return answers().folder();
    // The platform's own dialog cannot carry the extra choice.
    QFileDialog dialog(parent, QFileDialog::tr("Choose a Destination"));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    auto *beside = new QCheckBox(QFileDialog::tr("Next to the originals"), &dialog);
    beside->setToolTip(QFileDialog::tr("Write each converted file into its original's folder"));
    beside->setChecked(Preferences::instance().value(PreferenceKeys::writeNextToOriginals));
    if (auto *grid = qobject_cast<QGridLayout *>(dialog.layout()))
        grid->addWidget(beside, grid->rowCount(), 0, 1, grid->columnCount());
    // With the box ticked no folder is needed: any selection is accepted.
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    Preferences::instance().setValue(PreferenceKeys::writeNextToOriginals, beside->isChecked());
    if (beside->isChecked())
        return QString();
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.constFirst().isEmpty())
        return std::nullopt;
    return chosen.constFirst();
}

} // namespace OpenPanel
