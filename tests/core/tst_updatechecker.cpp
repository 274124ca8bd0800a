#include "settings/Preferences.h"
#include "settings/UpdateChecker.h"

#include <QNetworkProxy>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <memory>

using namespace std::chrono_literals;

namespace {

// Serves one fixed answer to every GET on 127.0.0.1, or never answers.
class FeedServer final : public QObject {
public:
    FeedServer()
    {
        if (!m_server.listen(QHostAddress::LocalHost))
            qFatal("cannot listen on 127.0.0.1");
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(socket); });
            }
        });
    }

    QUrl url() const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1/latest.json").arg(m_server.serverPort()));
    }

    int status = 200;
    QByteArray body;
    bool answers = true;
    int requests = 0;

private:
    void read(QTcpSocket *socket)
    {
        m_buffers[socket] += socket->readAll();
        if (!m_buffers[socket].contains("\r\n\r\n"))
            return;
        ++requests;
        if (!answers)
            return;
        socket->write("HTTP/1.1 " + QByteArray::number(status)
                      + " Answer\r\nContent-Type: application/json\r\nContent-Length: "
                      + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
        socket->disconnectFromHost();
    }

    QTcpServer m_server;
    QHash<QTcpSocket *, QByteArray> m_buffers;
};

QByteArray feed(const char *version, const char *url = "https://vireo.app/releases/x")
{
    return QByteArray("{\"version\": \"") + version + "\", \"url\": \"" + url + "\"}";
}

UpdateCheckResult runCheck(UpdateChecker &checker)
{
    QSignalSpy finished(&checker, &UpdateChecker::checkFinished);
    checker.checkForUpdates();
    if (!finished.wait(20000))
        return {};
    return finished.constFirst().constFirst().value<UpdateCheckResult>();
}

} // namespace

class TestUpdateChecker : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();

    void compareVersions_data();
    void compareVersions();
    void check_data();
    void check();
    void transportFailure_data();
    void transportFailure();
    void oneCheckAtATime();
    void offInThisBuild();
    void automaticCheckDue_data();
    void automaticCheckDue();
    void automaticCheckRuns();
};

void TestUpdateChecker::initTestCase()
{
    // Only ever the loopback server, never a proxy from the environment.
    QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
}

void TestUpdateChecker::init()
{
    Preferences::instance().setValue(PreferenceKeys::automaticallyCheckForUpdates, false);
    Preferences::instance().setValue(PreferenceKeys::lastUpdateCheck, QString());
}

void TestUpdateChecker::compareVersions_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<int>("order");

    QTest::newRow("numbers, not text") << "1.10"
                                       << "1.9.7" << 1;
    QTest::newRow("missing parts are zero") << "1.2"
                                            << "1.2.0" << 0;
    QTest::newRow("leading v") << "v2.0"
                               << "1.99.99" << 1;
}

void TestUpdateChecker::compareVersions()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(int, order);
    QCOMPARE(UpdateChecker::compareVersions(a, b), order);
    QCOMPARE(UpdateChecker::compareVersions(b, a), -order);
}

void TestUpdateChecker::check_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QString>("latest");
    QTest::addColumn<QString>("message");

    using Outcome = UpdateCheckResult::Outcome;
    const int newer = int(Outcome::updateAvailable);
    const int same = int(Outcome::upToDate);
    const int failed = int(Outcome::failed);

    // The running version is 1.9.0.
    QTest::newRow("newer") << 200 << feed("1.10.0") << newer << "1.10.0"
                           << "";
    QTest::newRow("same") << 200 << feed("1.9") << same << "1.9"
                          << "";
    QTest::newRow("older") << 200 << feed("1.8.5") << same << "1.8.5"
                           << "";
    QTest::newRow("not JSON") << 200 << QByteArray("<html>moved</html>") << failed << ""
                              << "valid version";
    QTest::newRow("version is a word") << 200 << feed("latest") << failed << ""
                                       << "valid version";
    QTest::newRow("page is no web page") << 200 << feed("2.0", "file:///etc/passwd") << failed << ""
                                         << "valid version";
    QTest::newRow("feed not found") << 404 << QByteArray() << failed << ""
                                    << "status 404";
    QTest::newRow("too large") << 200 << QByteArray(200 * 1024, ' ') + feed("2.0") << failed << ""
                               << "too large";
}

void TestUpdateChecker::check()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(int, outcome);
    QFETCH(QString, latest);
    QFETCH(QString, message);

    FeedServer server;
    server.status = status;
    server.body = body;
    UpdateChecker checker;
    checker.setFeedUrl(server.url());
    checker.setCurrentVersion(QStringLiteral("1.9.0"));

    const UpdateCheckResult result = runCheck(checker);
    QCOMPARE(int(result.outcome), outcome);
    QCOMPARE(result.latestVersion, latest);
    QVERIFY(result.userInitiated);
    QVERIFY2(result.errorMessage.contains(message, Qt::CaseInsensitive),
             qPrintable(result.errorMessage));
    if (result.outcome == UpdateCheckResult::Outcome::updateAvailable)
        QCOMPARE(result.releaseUrl, QUrl(QStringLiteral("https://vireo.app/releases/x")));
    // Only a feed that was read counts as this week's check.
    QCOMPARE(Preferences::instance().value(PreferenceKeys::lastUpdateCheck).isEmpty(),
             result.outcome == UpdateCheckResult::Outcome::failed);
    QVERIFY(checker.canCheckForUpdates());
}

void TestUpdateChecker::transportFailure_data()
{
    QTest::addColumn<bool>("listening");
    QTest::addColumn<QString>("message");

    QTest::newRow("unreachable") << false << "could not be fetched";
    QTest::newRow("silent server") << true << "did not answer in time";
}

void TestUpdateChecker::transportFailure()
{
    QFETCH(bool, listening);
    QFETCH(QString, message);

    auto server = std::make_unique<FeedServer>();
    server->answers = false;
    UpdateChecker checker;
    checker.setFeedUrl(server->url());
    checker.setRequestTimeout(300ms);
    if (!listening)
        server.reset(); // the port is closed now

    const UpdateCheckResult result = runCheck(checker);
    QCOMPARE(result.outcome, UpdateCheckResult::Outcome::failed);
    QVERIFY2(result.errorMessage.contains(message, Qt::CaseInsensitive),
             qPrintable(result.errorMessage));
    QVERIFY(checker.canCheckForUpdates());
}

void TestUpdateChecker::oneCheckAtATime()
{
    FeedServer server;
    server.answers = false;
    UpdateChecker checker;
    checker.setFeedUrl(server.url());
    QSignalSpy canCheck(&checker, &UpdateChecker::canCheckForUpdatesChanged);
    QSignalSpy finished(&checker, &UpdateChecker::checkFinished);

    checker.checkForUpdates();
    QVERIFY(!checker.canCheckForUpdates());
    QVERIFY(checker.sessionInProgress());
    QCOMPARE(canCheck.size(), 1);
    QCOMPARE(canCheck.constFirst().constFirst().toBool(), false);
    checker.checkForUpdates();
    QTRY_COMPARE(server.requests, 1);

    // A cancelled check ends quietly and frees the way for the next.
    checker.cancel();
    QVERIFY(checker.canCheckForUpdates());
    QCOMPARE(canCheck.size(), 2);
    QTest::qWait(100);
    QCOMPARE(server.requests, 1);
    QCOMPARE(finished.size(), 0);
}

void TestUpdateChecker::offInThisBuild()
{
    UpdateChecker checker;
    checker.setFeedUrl(QUrl());
    QVERIFY(!checker.isEnabled());
    QSignalSpy finished(&checker, &UpdateChecker::checkFinished);

    checker.checkForUpdates();
    QCOMPARE(finished.size(), 0); // never from inside the call
    QVERIFY(finished.wait(5000));
    const auto result = finished.constFirst().constFirst().value<UpdateCheckResult>();
    QCOMPARE(result.outcome, UpdateCheckResult::Outcome::disabled);
    QVERIFY(result.errorMessage.contains(QLatin1String("turned off")));

    Preferences::instance().setValue(PreferenceKeys::automaticallyCheckForUpdates, true);
    QVERIFY(!checker.isAutomaticCheckDue());
}

void TestUpdateChecker::automaticCheckDue_data()
{
    QTest::addColumn<bool>("optedIn");
    QTest::addColumn<QString>("lastCheck");
    QTest::addColumn<bool>("due");

    // Now is 2025-03-10 12:00 UTC.
    QTest::newRow("not opted in") << false << "" << false;
    QTest::newRow("never checked") << true << "" << true;
    QTest::newRow("six days ago") << true << "2025-03-04T12:00:01.000Z" << false;
    QTest::newRow("a week ago") << true << "2025-03-03T12:00:00.000Z" << true;
    QTest::newRow("clock set back") << true << "2025-06-01T00:00:00.000Z" << true;
    QTest::newRow("unreadable date") << true << "yesterday" << true;
}

void TestUpdateChecker::automaticCheckDue()
{
    QFETCH(bool, optedIn);
    QFETCH(QString, lastCheck);
    QFETCH(bool, due);

    Preferences::instance().setValue(PreferenceKeys::automaticallyCheckForUpdates, optedIn);
    Preferences::instance().setValue(PreferenceKeys::lastUpdateCheck, lastCheck);
    UpdateChecker checker;
    checker.setFeedUrl(QUrl(QStringLiteral("http://127.0.0.1:9/latest.json")));
    checker.setClock([] { return QDateTime(QDate(2025, 3, 10), QTime(12, 0), Qt::UTC); });
    QCOMPARE(checker.isAutomaticCheckDue(), due);
}

void TestUpdateChecker::automaticCheckRuns()
{
    FeedServer server;
    server.body = feed("0.5");
    UpdateChecker checker;
    checker.setFeedUrl(server.url());
    checker.setCurrentVersion(QStringLiteral("0.5.0"));
    const QDateTime now(QDate(2025, 3, 10), QTime(12, 0), Qt::UTC);
    checker.setClock([now] { return now; });
    QSignalSpy finished(&checker, &UpdateChecker::checkFinished);

    // Off: the checker waits for the user's choice, then checks at once.
    checker.setAutomaticChecksActive(true);
    QTest::qWait(200);
    QCOMPARE(server.requests, 0);
    Preferences::instance().setValue(PreferenceKeys::automaticallyCheckForUpdates, true);
    QVERIFY(finished.wait(20000));
    const auto result = finished.constFirst().constFirst().value<UpdateCheckResult>();
    QVERIFY(!result.userInitiated);
    QCOMPARE(result.outcome, UpdateCheckResult::Outcome::upToDate);
    QCOMPARE(Preferences::instance().value(PreferenceKeys::lastUpdateCheck),
             QStringLiteral("2025-03-10T12:00:00.000Z"));
    QVERIFY(!checker.isAutomaticCheckDue());
    QCOMPARE(server.requests, 1);
}

QTEST_GUILESS_MAIN(TestUpdateChecker)
#include "tst_updatechecker.moc"
