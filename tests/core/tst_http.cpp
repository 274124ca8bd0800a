// Both HTTP clients, the update checker and the newsletter subscription,
// against one loopback server and one table of answers and transport faults.
#include "settings/MailingListManager.h"
#include "settings/Preferences.h"
#include "settings/UpdateChecker.h"
#include "settings/UpdatePolicy.h"

#include <QSignalSpy>
#include <QTest>

#include <memory>

#include "TestSupport.h"

using namespace std::chrono_literals;
using TestSupport::LoopbackServer;

namespace {

QByteArray feed(const char *version, const char *url = "https://vireo.app/releases/x")
{
    return QByteArray("{\"version\": \"") + version + "\", \"url\": \"" + url + "\"}";
}

// Outcome, message and what the feed named, in one line.
QString describe(const UpdateCheckResult &result)
{
    static const char *const outcomes[]
        = {"update", "up to date", "failed", "disabled", "cancelled"};
    return (QLatin1String(outcomes[int(result.outcome)]) + QLatin1String(": ") + result.errorMessage
            + result.latestVersion + QLatin1Char(' ') + result.releaseUrl.toString())
        .trimmed();
}

QString describe(const SubmitStatus &status)
{
    return status.isSuccess() ? QStringLiteral("success")
                              : QStringLiteral("failure: ") + status.message();
}

} // namespace

class TestHttp : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void transport_data();
    void transport();
    void automaticCheckDue_data();
    void automaticCheckDue();
    void automaticCheckRuns();
};

void TestHttp::init()
{
    TestSupport::clearPreferences();
}

void TestHttp::transport_data()
{
    // status 0: the server never answers; -1: nothing listens; -2: no URL in this build.
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<QString>("update"); // the check runs version 1.9.0
    QTest::addColumn<QString>("mailing"); // empty: the client cannot cancel

    const QString page = QStringLiteral(" https://vireo.app/releases/x");
    const QString invalid
        = QStringLiteral("failed: The update feed does not name a valid version and release page.");
    const auto status = [](int code) {
        return QStringLiteral("failed: The update server answered with status %1.").arg(code);
    };
    const auto retry = [](int code) {
        return QStringLiteral("failure: Server returned %1. Please try again later.").arg(code);
    };
    const QString done = QStringLiteral("success");
    const QByteArray huge = QByteArray(200 * 1024, ' ') + feed("2.0");
    const QString tooLarge
        = QStringLiteral("failed: The update feed is too large to be a release feed.");
    const auto row = [](const char *tag, int code, const QByteArray &body, const QString &update,
                        const QString &mailing, bool cancel = false) {
        QTest::newRow(tag) << code << body << cancel << update << mailing;
    };

    row("numbers, not text", 200, feed("1.10.0"), "update: 1.10.0" + page, done);
    row("leading v", 200, feed("v1.10"), "update: v1.10" + page, done);
    row("missing parts are zero, 201", 201, feed("1.9"), "up to date: 1.9" + page, done);
    row("older", 200, feed("1.8.5"), "up to date: 1.8.5" + page, done);
    row("not JSON", 200, "<html>moved</html>", invalid, done);
    row("version is a word", 200, feed("latest"), invalid, done);
    row("page is no web page", 200, feed("2.0", "file:///etc/passwd"), invalid, done);
    row("409", 409, {}, status(409), done);
    row("422", 422, {}, status(422), "failure: Please check your email address and try again.");
    row("404", 404, {}, status(404), retry(404));
    row("500", 500, {}, status(500), retry(500));
    row("too large", 200, huge, tooLarge, done);
    row("too large, 503", 503, huge, tooLarge, retry(503));
    row("refused", -1, {}, "failed: The update feed could not be fetched: Connection refused",
        "failure: Connection refused");
    row("silent", 0, {}, "failed: The update server did not answer in time.",
        "failure: The request timed out.");
    row("cancelled", 0, {}, "cancelled:", {}, true);
    row("no URL", -2, {}, "disabled: Update checks are turned off in this build of Vireo.",
        "failure: This build of Vireo cannot subscribe to the newsletter.");
}

void TestHttp::transport()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(bool, cancel);
    QFETCH(QString, update);
    QFETCH(QString, mailing);

    auto server = std::make_unique<LoopbackServer>();
    server->status = status;
    server->body = body;
    server->answers = status > 0;
    const QUrl url = status == -2 ? QUrl() : server->url();
    if (status < 0)
        server.reset(); // the port is closed now

    UpdateChecker checker;
    checker.setFeedUrl(url);
    checker.setCurrentVersion(QStringLiteral("1.9.0"));
    checker.setRequestTimeout(300ms);
    QSignalSpy canCheck(&checker, &UpdateChecker::canCheckForUpdatesChanged);
    QSignalSpy finished(&checker, &UpdateChecker::checkFinished);
    checker.checkForUpdates();
    checker.checkForUpdates(); // ignored while the first runs
    QCOMPARE(finished.size(), 0); // never from inside the call
    QCOMPARE(checker.canCheckForUpdates(), !url.isValid());
    if (cancel) {
        QTRY_COMPARE(server->requests.size(), 1);
        checker.cancel();
    }
    QVERIFY(finished.wait(20000));
    const auto result = finished.constFirst().constFirst().value<UpdateCheckResult>();
    QCOMPARE(describe(result), update);
    QVERIFY(result.userInitiated && checker.canCheckForUpdates());
    QCOMPARE(canCheck.size(), url.isValid() ? 2 : 0);
    // Only a feed that was read counts as this week's check.
    QCOMPARE(!Preferences::instance().value(PreferenceKeys::lastUpdateCheck).isEmpty(),
             update.startsWith(QLatin1String("up")));
    QTest::qWait(50);
    QCOMPARE(finished.size(), url.isValid() ? 1 : 2); // without a URL, nothing runs
    if (server)
        QCOMPARE(server->requests.size(), 1);
    Preferences::instance().setValue(PreferenceKeys::automaticallyCheckForUpdates, true);
    QCOMPARE(checker.isAutomaticCheckDue(), url.isValid() && !update.startsWith(u'u'));

    if (mailing.isEmpty())
        return;
    MailingListManager manager;
    manager.setSharedSettingsOrganization(QString());
    manager.setEndpoint(url);
    manager.setRequestTimeout(300ms);
    manager.requestPrompt(true);
    manager.submit(QStringLiteral("reader@example.org"));
    QTRY_VERIFY_WITH_TIMEOUT(!manager.status().isSubmitting(), 20000);
    QCOMPARE(describe(manager.status()), mailing);
    const bool subscribed = mailing == QLatin1String("success");
    QCOMPARE(manager.isOptedOut(), subscribed);
    QCOMPARE(manager.currentDecision(), subscribed ? Decision::subscribed : Decision::none);
    QCOMPARE(manager.isPresented(), url.isValid()); // closing is the prompt's business
}

void TestHttp::automaticCheckDue_data()
{
    QTest::addColumn<bool>("optedIn");
    QTest::addColumn<QString>("lastCheck");
    QTest::addColumn<QDateTime>("failure"); // of an automatic check, this run
    QTest::addColumn<bool>("due");

    // Now is 2025-03-10 12:00 UTC.
    const QDateTime none;
    QTest::newRow("not opted in") << false << "" << none << false;
    QTest::newRow("six days ago") << true << "2025-03-04T12:00:01.000Z" << none << false;
    QTest::newRow("a week ago") << true << "2025-03-03T12:00:00.000Z" << none << true;
    QTest::newRow("clock set back") << true << "2025-06-01T00:00:00.000Z" << none << true;
    QTest::newRow("unreadable date") << true << "yesterday" << none << true;
    QTest::newRow("failed an hour ago")
        << true << "" << QDateTime(QDate(2025, 3, 10), QTime(11, 0), Qt::UTC) << false;
    QTest::newRow("failed a day ago")
        << true << "" << QDateTime(QDate(2025, 3, 9), QTime(12, 0), Qt::UTC) << true;
}

void TestHttp::automaticCheckDue()
{
    QFETCH(bool, optedIn);
    QFETCH(QString, lastCheck);
    QFETCH(QDateTime, failure);
    QFETCH(bool, due);

    Preferences::instance().setValue(PreferenceKeys::automaticallyCheckForUpdates, optedIn);
    Preferences::instance().setValue(PreferenceKeys::lastUpdateCheck, lastCheck);
    UpdateState state = UpdatePolicy::stored();
    state.lastAutomaticFailure = failure;
    const UpdatePolicy policy([] { return QDateTime(QDate(2025, 3, 10), QTime(12, 0), Qt::UTC); });
    QCOMPARE(policy.isAutomaticCheckDue(state), due);
}

void TestHttp::automaticCheckRuns()
{
    LoopbackServer server;
    server.body = feed("0.5");
    UpdateChecker checker;
    checker.setFeedUrl(server.url());
    checker.setCurrentVersion(QStringLiteral("0.5.0"));
    checker.setClock([] { return QDateTime(QDate(2025, 3, 10), QTime(12, 0), Qt::UTC); });
    QSignalSpy finished(&checker, &UpdateChecker::checkFinished);

    // Off: the checker waits for the user's choice, then checks at once.
    checker.setAutomaticChecksActive(true);
    QTest::qWait(200);
    QCOMPARE(server.requests.size(), 0);
    Preferences::instance().setValue(PreferenceKeys::automaticallyCheckForUpdates, true);
    QVERIFY(finished.wait(5000)); // well before the start-up check, 10 s in
    const auto result = finished.constFirst().constFirst().value<UpdateCheckResult>();
    QVERIFY(!result.userInitiated);
    QCOMPARE(result.outcome, UpdateCheckResult::Outcome::upToDate);
    QCOMPARE(Preferences::instance().value(PreferenceKeys::lastUpdateCheck),
             QStringLiteral("2025-03-10T12:00:00.000Z"));
    QVERIFY(!checker.isAutomaticCheckDue());
    QCOMPARE(server.requests.size(), 1);
}

QTEST_GUILESS_MAIN(TestHttp)
#include "tst_http.moc"
