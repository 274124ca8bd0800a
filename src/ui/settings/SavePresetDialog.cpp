#include "ui/settings/SavePresetDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

SavePresetDialog::SavePresetDialog(QWidget *parent)
    : QDialog(parent)
    , m_name(new QLineEdit)
{
    setWindowTitle(tr("Save preset"));

    auto *title = new QLabel(tr("Save preset"));
    QFont titleFont = title->font();
    titleFont.setBold(true);
    title->setFont(titleFont);
    auto *message = new QLabel(tr("Save the current format and settings as a reusable preset."));
    message->setWordWrap(true);
    m_name->setPlaceholderText(tr("Name"));
    m_name->setAccessibleName(tr("Name"));

    auto *buttons = new QDialogButtonBox;
    QPushButton *save = buttons->addButton(tr("Save"), QDialogButtonBox::AcceptRole);
    save->setObjectName(QStringLiteral("save"));
    save->setDefault(true);
    buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(message);
    layout->addWidget(m_name);
    layout->addSpacing(6);
    layout->addWidget(buttons);
    setMinimumWidth(340);
}

QString SavePresetDialog::name() const
{
    return m_name->text();
}

void SavePresetDialog::setName(const QString &name)
{
    m_name->setText(name);
}
