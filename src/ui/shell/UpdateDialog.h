#pragma once

#include "settings/UpdateCheckResult.h"

#include <QDialog>
#include <QUrl>

class QCheckBox;
class QDialogButtonBox;
class QLabel;
class QProgressBar;
class UpdateChecker;

// The window of an update check: "Checking…" while the feed is read (Cancel
// stops the check), then what the check found: the new version with a button
// to its release page, "You're up to date", why the feed could not be read,
// or that this build checks for no updates. It also holds the choice of
// automatic weekly checks.
class UpdateDialog final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(UpdateDialog)

public:
    UpdateDialog(UpdateChecker &checker, QWidget *parent);
    ~UpdateDialog() override;

    void showChecking();
    void showResult(const UpdateCheckResult &result);

    QString title() const;
    QString message() const;
    // The release page that "Open Release Page" opens; empty unless an
    // update was found.
    QUrl releaseUrl() const { return m_releaseUrl; }
    bool isChecking() const;

    // Opens the release page and closes the dialog.
    void openReleasePage();

    void reject() override;

private:
    void setTexts(const QString &title, const QString &message);

    UpdateChecker &m_checker;
    QUrl m_releaseUrl;
    QLabel *m_title = nullptr;
    QLabel *m_message = nullptr;
    QProgressBar *m_busy = nullptr;
    QCheckBox *m_automatic = nullptr;
    QDialogButtonBox *m_buttons = nullptr;
};
