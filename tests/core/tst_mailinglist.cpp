#include "settings/MailingListManager.h"
#include "settings/NewsletterPolicy.h"
#include "settings/Preferences.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <ctime>
#include <memory>

#include "TestSupport.h"

using namespace std::chrono_literals;
using TestSupport::LoopbackServer;
using TestSupport::ReceivedRequest;

Q_DECLARE_METATYPE(Decision)

namespace {

QDateTime at(int month, int day, int hour, int minute = 0)
{
    return QDateTime(QDate(2024, month, day), QTime(hour, minute));
}

QString isoText(const QDateTime &date)
{
    return date.toUTC().toString(Qt::ISODateWithMs);
}

QString programKey(const char *name)
{
    return QStringLiteral("mailingList.%1.%2")
        .arg(MailingListManager::bundleIdentifier(), QLatin1String(name));
}

// The maker's store, shared by its programs, and Vireo's own.
std::unique_ptr<QSettings> sharedStore()
{
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("Vireo"));
}

std::unique_ptr<QSettings> programStore()
{
    return std::make_unique<QSettings>(Preferences::instance().fileName(), QSettings::NativeFormat);
}

} // namespace

class TestMailingList : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();

    void automaticPrompt_data();
    void automaticPrompt();
    void delayedEvaluation();
    void answers();
    void stores();

    void request_data();
    void request();

private:
    std::unique_ptr<MailingListManager> makeManager();

    QTemporaryDir m_config;
    QDateTime m_now;
    bool m_berlin = false;
};

void TestMailingList::initTestCase()
{
    // Both stores go to a folder of our own, whatever the environment says,
    // and the calendar rules are checked in a zone with daylight-saving time.
    QVERIFY(m_config.isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
    qputenv("TZ", "Europe/Berlin");
    tzset();
    m_berlin = at(3, 31, 12).offsetFromUtc() == 7200 && at(3, 30, 12).offsetFromUtc() == 3600;
}

void TestMailingList::init()
{
    // stores() puts a folder where the shared file belongs.
    if (const QString sharedFile = sharedStore()->fileName(); QFileInfo(sharedFile).isDir())
        QDir(sharedFile).removeRecursively();
    for (const auto &store : {sharedStore(), programStore()}) {
        store->clear();
        store->sync();
    }
    QLocale::setDefault(QLocale::c());
    m_now = at(3, 4, 10);
}

std::unique_ptr<MailingListManager> TestMailingList::makeManager()
{
    auto manager = std::make_unique<MailingListManager>();
    manager->setClock([this] { return m_now; });
    manager->setSharedSettingsOrganization(QStringLiteral("Vireo"));
    manager->setPromptDelay(1h);
    return manager;
}

void TestMailingList::automaticPrompt_data()
{
    QTest::addColumn<QList<QDateTime>>("launches");
    QTest::addColumn<Decision>("decision");
    QTest::addColumn<QDateTime>("snoozeUntil");
    QTest::addColumn<bool>("shown");

    const QList<QDateTime> third {at(3, 4, 10), at(3, 4, 11), at(3, 4, 12)};
    const auto row = [](const char *tag, const QList<QDateTime> &launches, bool shown,
                        Decision decision = Decision::none, const QDateTime &until = {}) {
        QTest::newRow(tag) << launches << decision << until << shown;
    };
    row("first launch", {at(3, 4, 10)}, false);
    row("third launch the same day", third, true);
    row("second launch two days later", {at(3, 4, 10), at(3, 6, 10)}, true);
    row("second launch a minute short of two days", {at(3, 4, 10), at(3, 6, 9, 59)}, false);
    // 47 hours, but two days by the calendar; then 48.5 hours, but not yet two days.
    row("two days across the spring change", {at(3, 30, 10), at(4, 1, 10)}, true);
    row("short of two days across the autumn change", {at(10, 26, 10), at(10, 28, 9, 30)}, false);
    row("declined", third, false, Decision::declined);
    row("subscribed", third, false, Decision::subscribed);
    row("snoozed until tomorrow", third, false, Decision::snoozed, at(3, 5, 12));
    row("snooze ended", third, true, Decision::snoozed, at(3, 4, 11, 59));
    row("snoozed without an end", third, true, Decision::snoozed);
}

void TestMailingList::automaticPrompt()
{
    QFETCH(QList<QDateTime>, launches);
    QFETCH(Decision, decision);
    QFETCH(QDateTime, snoozeUntil);
    QFETCH(bool, shown);
    if (QByteArray(QTest::currentDataTag()).contains("change") && !m_berlin)
        QSKIP("The Europe/Berlin time zone is not available");

    NewsletterState state {decision, snoozeUntil, 0, {}};
    for (const QDateTime &launch : launches) {
        const NewsletterPolicy policy([launch] { return launch; });
        state = policy.launched(state);
        QCOMPARE(policy.mayPromptAutomatically(state), shown && launch == launches.last());
    }
}

void TestMailingList::delayedEvaluation()
{
    const auto manager = makeManager();
    manager->setPromptDelay(20ms);
    {
        QObject view;
        for (int launch = 0; launch < 3; ++launch)
            manager->registerLaunch(&view);
    }
    // The view that asked went away: no prompt for it.
    QTest::qWait(200);
    QVERIFY(!manager->isPresented());

    // Not while the updater is busy; an answer another program stored that
    // this one does not know counts as none.
    manager->setUpdaterBusyCheck([] { return true; });
    manager->evaluatePrompt();
    QVERIFY(!manager->isPresented());
    manager->setUpdaterBusyCheck({});
    sharedStore()->setValue(QStringLiteral("mailingList.shared.decision"), QStringLiteral("maybe"));
    QObject view;
    manager->registerLaunch(&view);
    QVERIFY(!manager->isPresented());
    QTRY_VERIFY(manager->isPresented());
}

void TestMailingList::answers()
{
    m_now = at(3, 5, 10);
    auto manager = makeManager();
    manager->requestPrompt(true);
    manager->submit(QStringLiteral("no address"));
    QVERIFY(manager->status().isFailure());

    QSignalSpy optedOut(manager.get(), &MailingListManager::isOptedOutChanged);
    manager->snooze();
    QVERIFY(!manager->isPresented());
    QCOMPARE(manager->currentDecision(), Decision::snoozed);
    if (m_berlin) // 14 days by the wall clock, across the change to summer time
        QCOMPARE(sharedStore()->value(QStringLiteral("mailingList.shared.snoozeUntil")).toString(),
                 isoText(at(3, 19, 10)));

    // The menu ignores the snooze, and each showing starts afresh.
    m_now = at(3, 6, 10);
    manager->requestPrompt(true);
    QVERIFY(manager->isPresented());
    QCOMPARE(manager->status(), SubmitStatus::idle());
    manager->dismiss();
    QCOMPARE(manager->currentDecision(), Decision::snoozed);
    QCOMPARE(optedOut.size(), 0);

    manager->decline();
    QVERIFY(!manager->isPresented());
    QVERIFY(manager->isOptedOut());
    QCOMPARE(optedOut.size(), 1);
    manager->requestPrompt(true);
    QVERIFY(!manager->isPresented());
    QVERIFY(makeManager()->isOptedOut());
}

void TestMailingList::stores()
{
    // A value of the wrong type reads as absent.
    programStore()->setValue(programKey("launchCount"), QStringLiteral("many"));
    programStore()->setValue(programKey("installDate"), QStringLiteral("last spring"));
    const QString decisionKey = QStringLiteral("mailingList.shared.decision");

    auto manager = makeManager();
    manager->registerLaunch();
    manager->decline();
    QCOMPARE(programStore()->value(programKey("launchCount")).toInt(), 1);
    QCOMPARE(programStore()->value(programKey("installDate")).toString(), isoText(m_now));
    QCOMPARE(sharedStore()->value(decisionKey).toString(), QStringLiteral("declined"));
    QVERIFY(!programStore()->contains(decisionKey));
    QVERIFY(!sharedStore()->contains(programKey("launchCount")));

    // Without a shared store the answer stays with the program.
    sharedStore()->clear();
    manager->setSharedSettingsOrganization(QString());
    QVERIFY(!manager->isOptedOut());
    manager->snooze();
    QCOMPARE(programStore()->value(decisionKey).toString(), QStringLiteral("snoozed"));
    QVERIFY(!sharedStore()->contains(decisionKey));

    // So it does when the shared store cannot be opened.
    programStore()->clear();
    const QString sharedFile = sharedStore()->fileName();
    QFile::remove(sharedFile);
    QVERIFY(QDir().mkpath(sharedFile));
    manager->setSharedSettingsOrganization(QStringLiteral("Vireo"));
    manager->decline();
    QCOMPARE(programStore()->value(decisionKey).toString(), QStringLiteral("declined"));
    QCOMPARE(makeManager()->currentDecision(), Decision::declined);
}

void TestMailingList::request_data()
{
    QTest::addColumn<QString>("email");
    QTest::addColumn<QString>("token");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("country"); // empty: none sent

    QTest::newRow("token and region")
        << " \t reader@example.org\n "
        << "abcdefghijklm" << QLocale(QLocale::German, QLocale::Germany) << "Germany";
    // What is plainly no address is never sent.
    for (const char *email : {"reader@example.org", "", " \t\n ", "reader.example.org"})
        QTest::addRow("address '%s'", email) << email << "" << QLocale::c() << "";
}

void TestMailingList::request()
{
    QFETCH(QString, email);
    QFETCH(QString, token);
    QFETCH(QLocale, locale);
    QFETCH(QString, country);

    LoopbackServer server;
    QLocale::setDefault(locale);
    const auto manager = makeManager();
    manager->setEndpoint(server.url());
    manager->setAppToken(token);
    manager->submit(email);
    if (!email.contains(u'@')) {
        QCOMPARE(manager->status(),
                 SubmitStatus::failure(QStringLiteral("Please enter a valid email address.")));
        QTest::qWait(100);
        QCOMPARE(server.connections, 0);
        return;
    }
    manager->submit(QStringLiteral("second@example.org")); // ignored while the first is in flight
    QTRY_COMPARE_WITH_TIMEOUT(manager->status(), SubmitStatus::success(), 20000);

    QCOMPARE(server.requests.size(), 1);
    const ReceivedRequest &request = server.requests.first();
    QCOMPARE(request.method, "POST");
    QCOMPARE(request.path, "/mailinglist.php");
    QCOMPARE(request.headers.value("content-type"), "application/json");
    QCOMPARE(request.headers.contains("x-app-token"), !token.isEmpty());
    QCOMPARE(request.headers.value("x-app-token"), token.toUtf8());

    QJsonObject expected {{QStringLiteral("email"), QStringLiteral("reader@example.org")},
                          {QStringLiteral("app"), MailingListManager::bundleIdentifier()},
                          {QStringLiteral("tz"), QStringLiteral("Europe/Berlin")}};
    if (!country.isEmpty())
        expected.insert(QStringLiteral("country"), country);
    QCOMPARE(QJsonDocument::fromJson(request.body).object(), expected);
}

QTEST_GUILESS_MAIN(TestMailingList)
#include "tst_mailinglist.moc"
