#include "settings/MailingListManager.h"
#include "settings/Preferences.h"
#include "ui/shell/NewsletterPrompt.h"

#include <QLabel>
#include <QLineEdit>
#include <QNetworkProxy>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include "TestSupport.h"

using TestSupport::child;
using TestSupport::LoopbackServer;

class TestNewsletterPrompt : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void formStates();
    void laterAndNever();
    void thanksCloseByThemselves();

private:
    QTemporaryDir m_config;
    std::unique_ptr<QWidget> m_window;
    std::unique_ptr<MailingListManager> m_manager;
};

void TestNewsletterPrompt::initTestCase()
{
    QVERIFY(m_config.isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
    QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
}

void TestNewsletterPrompt::init()
{
    QSettings(Preferences::instance().fileName(), QSettings::NativeFormat).clear();
    QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Vireo")).clear();
    m_manager = std::make_unique<MailingListManager>();
    m_manager->setSharedSettingsOrganization(QStringLiteral("Vireo"));
    m_window = std::make_unique<QWidget>();
    m_window->resize(640, 480);
}

void TestNewsletterPrompt::cleanup()
{
    m_window.reset();
    m_manager.reset();
}

void TestNewsletterPrompt::formStates()
{
    LoopbackServer server;
    server.answers = false;
    m_manager->setEndpoint(server.url());
    m_manager->setPromptDelay(std::chrono::milliseconds(10));
    auto *prompt = new NewsletterPrompt(*m_manager, m_window.get());
    auto *email = child<QLineEdit>(*prompt, "email");
    auto *error = child<QLabel>(*prompt, "error");
    auto *subscribe = child<QPushButton>(*prompt, "subscribeButton");
    auto *later = child<QPushButton>(*prompt, "laterButton");
    auto *busy = child<QWidget>(*prompt, "busyIndicator");

    // The third launch is the window's own.
    for (int launch = 0; launch < 2; ++launch)
        m_manager->registerLaunch();
    QTest::qWait(50);
    QVERIFY(!prompt->isVisible());
    m_window->show();
    QTRY_VERIFY(prompt->isVisible());
    QVERIFY(email->text().isEmpty());
    QVERIFY(!subscribe->isEnabled());
    QVERIFY(!error->isVisible());

    QTest::keyClicks(email, QStringLiteral("reader"));
    QVERIFY(subscribe->isEnabled());
    QTest::keyClick(email, Qt::Key_Return);
    QVERIFY(error->isVisible());

    // Escape closes the sheet without an answer; the next showing starts afresh.
    QTest::keyClick(prompt, Qt::Key_Escape);
    QVERIFY(!prompt->isVisible());
    QVERIFY(!m_manager->isPresented());
    QCOMPARE(m_manager->currentDecision(), Decision::none);
    m_manager->requestPrompt(true);
    QVERIFY(prompt->isVisible());
    QVERIFY(email->text().isEmpty());
    QVERIFY(!error->isVisible());

    QTest::keyClicks(email, QStringLiteral("reader@example.org"));
    subscribe->click();
    QVERIFY(m_manager->status().isSubmitting());
    QVERIFY(!email->isEnabled());
    QVERIFY(!later->isEnabled());
    QVERIFY(!subscribe->isEnabled());
    QVERIFY(busy->isVisible());
    QVERIFY(!error->isVisible());
}

void TestNewsletterPrompt::laterAndNever()
{
    m_window->show();
    auto *prompt = new NewsletterPrompt(*m_manager, m_window.get());
    m_manager->requestPrompt(true);
    child<QPushButton>(*prompt, "laterButton")->click();
    QVERIFY(!prompt->isVisible());
    QCOMPARE(m_manager->currentDecision(), Decision::snoozed);

    m_manager->requestPrompt(true);
    child<QPushButton>(*prompt, "declineButton")->click();
    QVERIFY(!prompt->isVisible());
    QVERIFY(m_manager->isOptedOut());
}

void TestNewsletterPrompt::thanksCloseByThemselves()
{
    LoopbackServer server;
    m_manager->setEndpoint(server.url());
    m_window->show();
    auto *prompt = new NewsletterPrompt(*m_manager, m_window.get());
    m_manager->requestPrompt(true);
    QTest::keyClicks(child<QLineEdit>(*prompt, "email"), QStringLiteral("reader@example.org"));
    QTest::keyClick(child<QLineEdit>(*prompt, "email"), Qt::Key_Return);

    auto *done = child<QPushButton>(*prompt, "doneButton");
    QTRY_VERIFY_WITH_TIMEOUT(done->isVisible(), 20000);
    QVERIFY(done->isDefault());
    QVERIFY(!child<QLineEdit>(*prompt, "email")->isVisible());

    QTRY_VERIFY_WITH_TIMEOUT(!prompt->isVisible(), 10000);
    QVERIFY(!m_manager->isPresented());
    QVERIFY(m_manager->isOptedOut());
}

QTEST_MAIN(TestNewsletterPrompt)
#include "tst_newsletterprompt.moc"
