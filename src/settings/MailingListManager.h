#pragma once

#include "settings/Decision.h"
#include "settings/NewsletterPolicy.h"
#include "settings/SubmitStatus.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QUrl>

#include <chrono>
#include <functional>

class HttpRequest;
class QNetworkAccessManager;

// Invites the user to the maker's newsletter when NewsletterPolicy says so,
// remembers the answer and sends a subscription.
//
// The answer (subscribed, declined, snoozed until a date) lives in the
// organization-level settings file that all of the maker's programs share
// ($XDG_CONFIG_HOME/<organization>.conf), so an answer given in one of them
// holds for all; without a shared organization, or when that file cannot be
// used, it stays in Vireo's own preferences. The launch counters are always
// Vireo's own preferences (NewsletterKeys).
//
// Main thread only. The program uses shared(); tests build their own.
class MailingListManager final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MailingListManager)

public:
    // Endpoint, token and shared organization come from the build settings.
    explicit MailingListManager(QObject *parent = nullptr);
    ~MailingListManager() override;

    // Created on first use, never deleted.
    static MailingListManager &shared();

    // The program's reverse-DNS id, or "unknown.app" when the build has none.
    static QString bundleIdentifier();

    // The prompt is shown while true.
    bool isPresented() const { return m_presented; }
    const SubmitStatus &status() const { return m_status; }
    // The user subscribed or declined: no prompt, no menu item.
    bool isOptedOut() const { return m_optedOut; }
    // False when the build has no newsletter endpoint: then nothing is ever
    // shown or sent, and the menu should not offer the newsletter either.
    bool isAvailable() const;

    // Counts a launch and evaluates the automatic prompt a little later,
    // unless context (the view that asked) is destroyed before.
    void registerLaunch(QObject *context = nullptr);
    // Shows the prompt if the automatic rule allows it now.
    void evaluatePrompt();
    // The menu's way in: with force, shows the prompt unless the user has
    // answered for good; without, only when the launch rule allows.
    void requestPrompt(bool force);
    // "Maybe later": no automatic prompt for 14 days.
    void snooze();
    // "Don't ask again".
    void decline();
    // Closes the prompt without an answer ("Done", the automatic close after
    // a subscription, or the window's close button).
    void dismiss();
    // Validates the address and sends it; status() follows the request. Ignored
    // while a request is in flight.
    void submit(const QString &email);

    Decision currentDecision() const;

    // The shell installs a check that tells whether the updater is in the
    // middle of an update; no automatic prompt is shown then.
    void setUpdaterBusyCheck(std::function<bool()> check);
    bool isUpdaterBusy() const;

    // Where "now" comes from (tests set their own).
    void setClock(std::function<QDateTime()> clock);

    // The service's base URL; requests go to its /mailinglist.php.
    void setEndpoint(const QUrl &base);
    QUrl endpoint() const { return m_endpoint; }
    QUrl subscriptionUrl() const;
    // An empty token sends no token header.
    void setAppToken(const QString &token);
    // An empty organization keeps the answer in Vireo's own file.
    void setSharedSettingsOrganization(const QString &organization);

    void setPromptDelay(std::chrono::milliseconds delay);
    // Time the request may go without any traffic before it fails.
    void setRequestTimeout(std::chrono::milliseconds timeout);

    // The name of the header that carries the app token.
    static QByteArray appTokenHeader();

Q_SIGNALS:
    void isPresentedChanged();
    void statusChanged();
    void isOptedOutChanged();

private:
    NewsletterState state() const;
    void present();
    void storeDecision(Decision decision, const QDateTime &snoozeUntil = {});
    void handleAnswer(const HttpRequest &request);
    void finishSubmission(int httpStatus);

    void setPresented(bool presented);
    void setStatus(const SubmitStatus &status);
    void setOptedOut(bool optedOut);

    QNetworkAccessManager &network();

    bool m_presented = false;
    SubmitStatus m_status;
    bool m_optedOut = false;

    std::function<bool()> m_updaterBusy;
    NewsletterPolicy m_policy;
    QUrl m_endpoint;
    QString m_appToken;
    QString m_sharedOrganization;
    std::chrono::milliseconds m_requestTimeout;

    QTimer m_evaluationTimer;
    QNetworkAccessManager *m_network = nullptr;
    QPointer<HttpRequest> m_request;
};
