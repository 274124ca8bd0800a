#include "ui/shell/UpdateDialog.h"

#include "settings/Preferences.h"
#include "settings/UpdateChecker.h"
#include "ui/shell/DesktopOpen.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int iconSize = 64;
constexpr int textWidth = 340;

} // namespace

UpdateDialog::UpdateDialog(UpdateChecker &checker, QWidget *parent)
    : QDialog(parent)
    , m_checker(checker)
{
    setWindowTitle(tr("Software Update"));

    auto *icon = new QLabel(this);
    icon->setPixmap(QApplication::windowIcon().pixmap(iconSize, iconSize));
    icon->setAlignment(Qt::AlignTop);
    icon->setVisible(!QApplication::windowIcon().isNull());

    m_title = new QLabel(this);
    QFont titleFont = m_title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.2);
    m_title->setFont(titleFont);
    m_title->setWordWrap(true);

    m_message = new QLabel(this);
    m_message->setWordWrap(true);
    m_message->setFixedWidth(textWidth);
    m_message->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_busy = new QProgressBar(this);
    m_busy->setRange(0, 0);
    m_busy->setTextVisible(false);
    m_busy->hide();

    m_automatic = new QCheckBox(tr("Check for updates automatically once a week"), this);
    m_automatic->setChecked(
        Preferences::instance().value(PreferenceKeys::automaticallyCheckForUpdates));
    m_automatic->setVisible(checker.isEnabled());
    connect(m_automatic, &QCheckBox::toggled, this, [](bool checked) {
        Preferences::instance().setValue(PreferenceKeys::automaticallyCheckForUpdates, checked);
    });
    connect(&Preferences::instance(), &Preferences::changed, this, [this](const QString &key) {
        if (key == PreferenceKeys::automaticallyCheckForUpdates.name)
            m_automatic->setChecked(
                Preferences::instance().value(PreferenceKeys::automaticallyCheckForUpdates));
    });

    m_buttons = new QDialogButtonBox(this);

    auto *texts = new QVBoxLayout;
    texts->setSpacing(10);
    texts->addWidget(m_title);
    texts->addWidget(m_message);
    texts->addWidget(m_busy);
    texts->addSpacing(6);
    texts->addWidget(m_automatic);

    auto *body = new QHBoxLayout;
    body->setSpacing(16);
    body->addWidget(icon, 0, Qt::AlignTop);
    body->addLayout(texts, 1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 16);
    layout->setSpacing(16);
    layout->addLayout(body);
    layout->addWidget(m_buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

UpdateDialog::~UpdateDialog() = default;

void UpdateDialog::showChecking()
{
    m_releaseUrl.clear();
    setTexts(tr("Checking for Updates…"),
             tr("Vireo is asking its release feed for the newest version."));
    m_busy->show();
    m_buttons->clear();
    m_buttons->addButton(QDialogButtonBox::Cancel);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &UpdateDialog::reject,
            Qt::UniqueConnection);
}

void UpdateDialog::showResult(const UpdateCheckResult &result)
{
    using Outcome = UpdateCheckResult::Outcome;
    m_busy->hide();
    m_buttons->clear();
    m_releaseUrl.clear();
    const QString current = m_checker.currentVersion();

    switch (result.outcome) {
    case Outcome::updateAvailable: {
        m_releaseUrl = result.releaseUrl;
        setTexts(tr("Vireo %1 is available").arg(result.latestVersion),
                 tr("You have Vireo %1. The release page tells what is new and how to "
                    "install the new version.")
                     .arg(current));
        QPushButton *open
            = m_buttons->addButton(tr("Open Release Page"), QDialogButtonBox::AcceptRole);
        open->setDefault(true);
        connect(open, &QPushButton::clicked, this, &UpdateDialog::openReleasePage);
        m_buttons->addButton(tr("Not Now"), QDialogButtonBox::RejectRole);
        break;
    }
    case Outcome::upToDate:
        setTexts(tr("You're up to date"),
                 tr("Vireo %1 is the newest version available.").arg(current));
        m_buttons->addButton(QDialogButtonBox::Ok);
        break;
    case Outcome::failed:
        setTexts(tr("Vireo could not check for updates"),
                 result.errorMessage + QLatin1Char('\n') + tr("Please try again later."));
        m_buttons->addButton(QDialogButtonBox::Ok);
        break;
    case Outcome::disabled:
        setTexts(tr("Update checks are off"),
                 result.errorMessage + QLatin1Char(' ')
                     + tr("Your distribution or the package manager you installed it with "
                          "keeps it up to date."));
        m_buttons->addButton(QDialogButtonBox::Ok);
        break;
    case Outcome::cancelled: // the dialog was closed to stop the check
        hide();
        return;
    }
    connect(m_buttons, &QDialogButtonBox::rejected, this, &UpdateDialog::reject,
            Qt::UniqueConnection);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &UpdateDialog::accept,
            Qt::UniqueConnection);
}

QString UpdateDialog::title() const
{
    return m_title->text();
}

QString UpdateDialog::message() const
{
    return m_message->text();
}

bool UpdateDialog::isChecking() const
{
    return !m_busy->isHidden();
}

void UpdateDialog::openReleasePage()
{
    if (m_releaseUrl.isValid())
        DesktopOpen::openUrl(m_releaseUrl, parentWidget());
    accept();
}

void UpdateDialog::reject()
{
    if (isChecking())
        m_checker.cancel();
    QDialog::reject();
}

void UpdateDialog::setTexts(const QString &title, const QString &message)
{
    m_title->setText(title);
    m_message->setText(message);
}
