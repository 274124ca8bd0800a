#pragma once

#include "settings/UpdateCheckResult.h"
#include "settings/UpdatePolicy.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QUrl>

#include <chrono>
#include <functional>
#include <optional>

class HttpRequest;
class QNetworkAccessManager;

// Looks for a newer Vireo in a JSON release feed, {"version": "1.2.0",
// "url": "https://…/releases/1.2.0"}. It never downloads or installs
// anything: it tells what the feed names, and the window shows it.
//
// A build without a feed URL (distribution packages) checks nothing: every
// check ends at once as disabled. When an automatic check is due is
// UpdatePolicy's to say; the time of the last successful check is kept in the
// preferences, so the week spans launches.
//
// Main thread only.
class UpdateChecker final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(UpdateChecker)

public:
    // The feed URL comes from the build settings.
    explicit UpdateChecker(QObject *parent = nullptr);
    ~UpdateChecker() override;

    QUrl feedUrl() const { return m_feedUrl; }
    void setFeedUrl(const QUrl &url);
    bool isEnabled() const { return !m_feedUrl.isEmpty(); }

    // The running program's version, the application version unless set.
    QString currentVersion() const { return m_currentVersion; }
    void setCurrentVersion(const QString &version);

    // Where "now" comes from (tests set their own).
    void setClock(std::function<QDateTime()> clock);
    // Time the request may go without any traffic before it fails.
    void setRequestTimeout(std::chrono::milliseconds timeout);

    // False while a check runs: a second one cannot start then.
    bool canCheckForUpdates() const { return !sessionInProgress(); }
    bool sessionInProgress() const { return !m_request.isNull(); }

    // The user's check: always ends in checkFinished(), whatever it finds.
    // Ignored while a check runs.
    void checkForUpdates();
    // Stops the running check, which then ends, from the event loop, with
    // the outcome cancelled. Nothing happens when no check runs.
    void cancel();

    // Checks on their own when the preference allows and a week has passed
    // since the last successful check, shortly after this call and then
    // again while the program runs. Their results come with userInitiated
    // false: the window shows only an update found.
    void setAutomaticChecksActive(bool active);
    bool isAutomaticCheckDue() const;

    // Negative, zero or positive as a is older than, the same as or newer
    // than b, component by component as numbers ("1.10" is newer than
    // "1.9"; "1.2" is "1.2.0"). A leading "v" is ignored.
    static int compareVersions(const QString &a, const QString &b);
    // True for one to four dot-separated numbers, optionally after a "v".
    static bool isValidVersion(const QString &version);

    // The version and release page a feed names, or nothing when the text is
    // not such a feed (an http or https page is required).
    struct Release {
        QString version;
        QUrl url;
    };
    static std::optional<Release> parseFeed(const QByteArray &json);

Q_SIGNALS:
    void canCheckForUpdatesChanged(bool canCheck);
    void checkFinished(const UpdateCheckResult &result);

private:
    void start(bool userInitiated);
    void handleAnswer(const HttpRequest &request);
    void finish(UpdateCheckResult result);
    void checkIfDue();
    QDateTime now() const;
    QNetworkAccessManager &network();

    QUrl m_feedUrl;
    QString m_currentVersion;
    UpdatePolicy m_policy;
    std::chrono::milliseconds m_requestTimeout;

    QNetworkAccessManager *m_network = nullptr;
    QPointer<HttpRequest> m_request;
    bool m_userInitiated = false;

    QTimer m_automaticTimer;
    bool m_automaticActive = false;
    // An automatic check that failed is not tried again for a while.
    QDateTime m_lastAutomaticFailure;
};
