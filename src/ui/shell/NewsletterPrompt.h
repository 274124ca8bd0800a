#pragma once

#include <QDialog>
#include <QTimer>

class MailingListManager;
class QLabel;
class QLineEdit;
class QPushButton;

// The newsletter invitation, a window-modal sheet over the main window.
//
// It follows the manager: it shows while isPresented() is true and shows the
// form or, after a subscription, the thanks, which closes by itself after 3.5
// seconds. It also registers the launch with the manager the first time the
// window is shown; destroying the prompt cancels the evaluation that follows.
// Closing the sheet with Escape or the window's close button postpones
// nothing: the prompt simply comes back at a later launch.
class NewsletterPrompt final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(NewsletterPrompt)

public:
    NewsletterPrompt(MailingListManager &manager, QWidget *window);
    ~NewsletterPrompt() override;

    void reject() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void followPresentation();
    void followStatus();
    void updateSubscribeButton();
    void fitHeight();

    MailingListManager &m_manager;
    bool m_launchRegistered = false;

    QWidget *m_form = nullptr;
    QLineEdit *m_email = nullptr;
    QLabel *m_error = nullptr;
    QPushButton *m_decline = nullptr;
    QPushButton *m_later = nullptr;
    QPushButton *m_subscribe = nullptr;
    QWidget *m_busy = nullptr;

    QWidget *m_thanks = nullptr;
    QPushButton *m_done = nullptr;

    QTimer m_autoClose;
};
