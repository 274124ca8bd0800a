#include "conversion/JobQueue.h"
#include "model/MediaSet.h"
#include "model/MediaTarget.h"
#include "settings/MailingListManager.h"
#include "settings/UpdateChecker.h"
#include "ui/controls/ElidedLabel.h"
#include "ui/controls/ToggleSwitch.h"
#include "ui/main/ContentView.h"
#include "ui/main/OpenPanel.h"
#include "ui/shell/AppDelegate.h"
#include "ui/shell/MainWindow.h"
#include "ui/shell/NewsletterPrompt.h"
#include "ui/shell/SingleInstance.h"
#include "ui/shell/SupportMail.h"
#include "ui/shell/UpdateDialog.h"
#include "ui/workspace/SnapshotView.h"

#include <QAbstractSpinBox>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDesktopServices>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QLocalSocket>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

#include <cmath>
#include <memory>

#include "TestSupport.h"
#include "vireo/BuildConfig.h"

using namespace std::chrono_literals;
using TestSupport::child;

namespace {

const QString appId = QString::fromUtf8(BuildConfig::appId);

QString vireoExecutable()
{
    return QDir(QCoreApplication::applicationDirPath())
        .filePath(QStringLiteral("../src/app/vireo"));
}

// A notification server and a dock on their own connection to the test's bus.
class FakeDesktop final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    explicit FakeDesktop(const QString &address)
        : m_bus(QDBusConnection::connectToBus(address, QStringLiteral("fake-desktop")))
    {
        m_bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), this,
                             QDBusConnection::ExportAllSlots);
        m_bus.registerService(QStringLiteral("org.freedesktop.Notifications"));
        m_bus.connect(QString(), QString(), QStringLiteral("com.canonical.Unity.LauncherEntry"),
                      QStringLiteral("Update"), this, SLOT(launcherUpdate(QString, QVariantMap)));
    }

    ~FakeDesktop() override
    {
        m_bus.unregisterService(QStringLiteral("org.freedesktop.Notifications"));
        QDBusConnection::disconnectFromBus(QStringLiteral("fake-desktop"));
    }

    void click(uint id)
    {
        QDBusMessage signal = QDBusMessage::createSignal(
            QStringLiteral("/org/freedesktop/Notifications"),
            QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("ActionInvoked"));
        signal << id << QStringLiteral("default");
        m_bus.send(signal);
    }

    struct Notification {
        QString app, summary, body;
        QVariantMap hints;
    };
    QList<Notification> notifications;
    QList<QVariantMap> launcherUpdates;
    QString launcherUri;

public Q_SLOTS:
    uint Notify(const QString &app, uint, const QString &, const QString &summary,
                const QString &body, const QStringList &, const QVariantMap &hints, int)
    {
        notifications.append({app, summary, body, hints});
        return 41 + uint(notifications.size());
    }

private Q_SLOTS:
    void launcherUpdate(const QString &uri, const QVariantMap &properties)
    {
        launcherUri = uri;
        launcherUpdates.append(properties);
    }

private:
    QDBusConnection m_bus;
};

// Every text 40 % longer, as German or French often are.
class LongerTexts final : public QTranslator {
public:
    bool isEmpty() const override { return false; }
    QString translate(const char *, const char *source, const char *, int) const override
    {
        const QString text = QString::fromUtf8(source);
        return text + QString(qsizetype(std::ceil(text.size() * 0.4)), u'x');
    }
};

// Controls a screen reader cannot name or read right, and texts cut short.
QStringList accessProblems(const QWidget &root)
{
    QStringList found;
    for (QWidget *widget : root.findChildren<QWidget *>()) {
        // A spin box's field is part of the spin box, which has the name.
        if (!widget->isVisible() || qobject_cast<QAbstractSpinBox *>(widget->parentWidget()))
            continue;
        const auto *button = qobject_cast<QAbstractButton *>(widget);
        const auto *label = qobject_cast<QLabel *>(widget);
        const auto *toggle = qobject_cast<ToggleSwitch *>(widget);
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
        const QString what = widget->objectName() + u'/' + widget->metaObject()->className();
        if (((button && button->text().isEmpty()) || (widget->focusPolicy() & Qt::TabFocus))
            && face->text(QAccessible::Name).isEmpty())
            found << what + QLatin1String(" has no name");
        if (toggle
            && (face->role() != QAccessible::CheckBox
                || face->state().checked != toggle->isChecked()))
            found << what + QLatin1String(" is not read as a check box");
        if (((label && !label->wordWrap() && !dynamic_cast<ElidedLabel *>(widget))
             || (button && !toggle))
            && widget->width() < widget->sizeHint().width())
            found << what + QLatin1String(" is cut: ") + face->text(QAccessible::Name);
    }
    return found;
}

} // namespace

class TestAppShell : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void handOver_data();
    void handOver();
    void liveLockNeverBroken();

    void supportMail_data();
    void supportMail();
    void helpMenu();
    void oneMainWindow();
    void updateDialog_data();
    void updateDialog();
    void batchEndNotifies_data();
    void batchEndNotifies();
    void mainViewsNamedAndWhole();

    void newsletterFormStates();

    void openUrl(const QUrl &url) { m_openedUrls.append(url); }

private:
    QTemporaryDir m_runtime;
    QTemporaryDir m_config;
    QTemporaryDir m_files;
    QProcess m_bus;
    QString m_busAddress;
    QList<QUrl> m_openedUrls;
    std::unique_ptr<MailingListManager> m_manager; // no answer stored
    std::unique_ptr<QWidget> m_window;
    NewsletterPrompt *m_prompt = nullptr; // shows once m_window does
};

void TestAppShell::initTestCase()
{
    QCoreApplication::setApplicationName(QStringLiteral("Vireo"));
    QVERIFY(m_runtime.isValid() && m_config.isValid() && m_files.isValid());
    // Lock, socket and settings of this run alone; the child processes
    // inherit them.
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
    qputenv("VIREO_HWACCEL", "none");
    QVERIFY(QFileInfo::exists(vireoExecutable()));

    // Mail, release pages: recorded, never handed to the desktop.
    for (const char *scheme : {"mailto", "http", "https"})
        QDesktopServices::setUrlHandler(QLatin1String(scheme), this, "openUrl");

    // A session bus of our own, before anything asks for the session bus.
    m_bus.start(QStringLiteral("dbus-daemon"),
                {QStringLiteral("--session"), QStringLiteral("--nofork"),
                 QStringLiteral("--print-address=1")});
    if (m_bus.waitForStarted(5000) && m_bus.waitForReadyRead(5000))
        m_busAddress = QString::fromUtf8(m_bus.readLine()).trimmed();
    qputenv("DBUS_SESSION_BUS_ADDRESS",
            m_busAddress.isEmpty() ? QByteArray("unix:path=/nonexistent") : m_busAddress.toUtf8());
}

void TestAppShell::cleanupTestCase()
{
    QDBusConnection::disconnectFromBus(QDBusConnection::sessionBus().name());
    m_bus.terminate();
    QVERIFY(m_bus.state() == QProcess::NotRunning || m_bus.waitForFinished(5000));
    QVERIFY(TestSupport::liveChildren().isEmpty());
}

void TestAppShell::init()
{
    m_openedUrls.clear();
    OpenPanel::setAnswersForTesting({[] { return QStringList(); }, {}});
    TestSupport::clearPreferences();
    QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Vireo")).clear();
    m_manager = std::make_unique<MailingListManager>();
    m_manager->setSharedSettingsOrganization(QStringLiteral("Vireo"));
    m_window = std::make_unique<QWidget>();
    m_window->resize(640, 480);
    m_prompt = new NewsletterPrompt(*m_manager, m_window.get());
}

void TestAppShell::cleanup()
{
    OpenPanel::setAnswersForTesting({});
    MediaSet::shared().clear();
    m_window.reset();
    m_manager.reset();
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget *widget : windows)
        widget->close();
}

void TestAppShell::handOver_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("received");
    QTest::addColumn<bool>("killedPrimary"); // its lock file and socket stay behind

    // Relative paths, file URLs and a file named like a URL; remote URLs are left out.
    const QStringList given = TestSupport::split("a.mp3 ../b.wav file:///tmp/c%20d.flac "
                                                 "file:relative.mp3 sftp://host/a.mp4 "
                                                 "https://example.org/b.mp4 https:x");
    const QStringList absolute {"@/a.mp3", "@/../b.wav", "/tmp/c d.flac", "@/relative.mp3",
                                "@/https:x"};
    QTest::newRow("files") << given << absolute << false;
    QTest::newRow("relaunch without files") << QStringList() << QStringList() << false;
    QTest::newRow("after a killed primary")
        << QStringList {"late.mp3"} << QStringList {"@/late.mp3"} << true;
}

void TestAppShell::handOver()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, received);
    QFETCH(bool, killedPrimary);
    received.replaceInStrings(QStringLiteral("@/.."), QFileInfo(m_files.path()).path());
    received.replaceInStrings(QStringLiteral("@"), m_files.path());

    if (killedPrimary) {
        QProcess first;
        first.start(vireoExecutable(), {});
        QVERIFY(first.waitForStarted());
        SingleInstance probe(appId);
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                QLocalSocket socket;
                socket.connectToServer(probe.serverPath());
                return socket.waitForConnected(100);
            }(),
            30000);
        first.kill();
        QVERIFY(first.waitForFinished(10000));
        QVERIFY(QFileInfo::exists(probe.lockFilePath()));
        QVERIFY(QFileInfo::exists(probe.serverPath()));
    }
    SingleInstance primary(appId);
    QCOMPARE(primary.start({}, 1s), SingleInstance::Role::primary);
    QSignalSpy activation(&primary, &SingleInstance::activationRequested);

    // A real second launch; this process answers it from its event loop.
    QVERIFY(TestSupport::writeFile(m_files.filePath(QStringLiteral("https:x")), {}));
    QProcess second;
    second.setWorkingDirectory(m_files.path());
    QSignalSpy finished(&second, &QProcess::finished);
    second.start(vireoExecutable(), arguments);
    QVERIFY(finished.wait(30000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QCOMPARE(activation.size(), 1);
    QCOMPARE(activation.constFirst().constFirst().toStringList(), received);
}

void TestAppShell::liveLockNeverBroken()
{
    // A primary that lives but does not answer (still starting, or hung).
    SingleInstance paths(appId);
    QLockFile held(paths.lockFilePath());
    QVERIFY(held.tryLock(0));

    SingleInstance late(appId);
    QCOMPARE(late.start({QStringLiteral("/tmp/x.mp3")}, 300ms), SingleInstance::Role::standalone);
    QVERIFY(QFileInfo::exists(paths.lockFilePath()));
}

void TestAppShell::supportMail_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QVariant>("subject");
    QTest::addColumn<QString>("url"); // what the mail program receives, byte for byte

    const auto mail = [](const char *subject, const char *name) {
        return QStringLiteral("mailto:help@vireo.example?subject=") + QLatin1String(subject)
            + QStringLiteral("&body=Hello%20") + QLatin1String(name)
            + QStringLiteral("%20Team%2C%0D%0A%0D%0AI%20need%20assistance%20with%20the%20"
                             "following%3A%0D%0A%0D%0A");
    };
    QTest::newRow("no name") << "" << QVariant() << mail("App%20Support%20Request", "App");
    QTest::newRow("given subject")
        << "Vireo" << QVariant("Crash on import") << mail("Crash%20on%20import", "Vireo");
    QTest::newRow("query characters in the name")
        << "Tom & Jerry=2" << QVariant()
        << mail("Tom%20%26%20Jerry%3D2%20Support%20Request", "Tom%20%26%20Jerry%3D2");
}

void TestAppShell::supportMail()
{
    QFETCH(QString, name);
    QFETCH(QVariant, subject);
    QFETCH(QString, url);

    const std::optional<QString> given
        = subject.isValid() ? std::optional(subject.toString()) : std::nullopt;
    QCOMPARE(SupportMail::url(name, given, QStringLiteral("help@vireo.example"))
                 .toString(QUrl::FullyEncoded),
             url);
}

void TestAppShell::helpMenu()
{
    UpdateChecker updater;
    m_manager->setEndpoint(QUrl(QStringLiteral("http://127.0.0.1:9")));
    MainWindow window(MediaSet::shared(), updater, *m_manager);

    // Subscribing is offered until the user answers for good.
    QVERIFY(window.subscribeAction()->isVisible());
    m_manager->requestPrompt(true);
    child<QPushButton>(*m_prompt, "declineButton")->click();
    QVERIFY(!window.subscribeAction()->isVisible());
    MailingListManager unavailable;
    unavailable.setEndpoint(QUrl());
    MainWindow distributionBuild(MediaSet::shared(), updater, unavailable);
    QVERIFY(!distributionBuild.subscribeAction()->isVisible());
}

void TestAppShell::oneMainWindow()
{
    QStringList files;
    for (const char *name : {"one.wav", "two.wav", "three.wav"}) {
        files.append(m_files.filePath(QLatin1String(name)));
        QVERIFY(TestSupport::makeTone(files.constLast(), 0.2));
    }
    TestSupport::LoopbackServer server;
    server.body = R"({"version": "0.0.1", "url": "https://vireo.app/r"})";
    AppDelegate delegate;
    delegate.updater().setFeedUrl(server.url().resolved(QUrl("/feed")));
    delegate.launch({});
    QPointer<MainWindow> window = delegate.window();
    QVERIFY(QTest::qWaitForWindowActive(window));

    // Ctrl+, opens the one preferences window; a second time shows the same.
    QTest::keyClick(window, Qt::Key_Comma, Qt::ControlModifier);
    QPointer<PreferencesView> preferences = window->preferencesView();
    QVERIFY(preferences && preferences->isVisible());
    preferences->close();
    QTest::keyClick(window, Qt::Key_Comma, Qt::ControlModifier);
    QCOMPARE(window->preferencesView(), preferences.data());

    // Closing only hides the window; files opened later bring it back.
    window->close();
    QVERIFY(window && window->isHidden());
    QSignalSpy changes(&MediaSet::shared(), &MediaSet::mediaChanged);
    delegate.openMedia(files);
    QVERIFY(window->isVisible());
    QTRY_COMPARE_WITH_TIMEOUT(MediaSet::shared().mediaList().size(), 3, 30000);
    QTRY_VERIFY(!MediaSet::shared().isImporting());
    QCOMPARE(changes.size(), 1); // one load
    // A relaunch without files only brings the window back.
    window->showMinimized();
    delegate.openMedia({});
    QVERIFY(!window->isMinimized());
    QCOMPARE(MediaSet::shared().mediaList().size(), 3);

    // The keyboard: Delete and Backspace take the selected file out of the
    // list, and nothing without a selection; Tab leaves the table.
    auto *table = child<QTableView>(*window->content(), "fileTable");
    for (auto [key, left] : {std::pair {Qt::Key_Delete, 2}, std::pair {Qt::Key_Backspace, 1}}) {
        table->setFocus();
        table->selectRow(0);
        QTest::keyClick(table, key);
        QTRY_COMPARE(table->model()->rowCount(), left);
        QCOMPARE(MediaSet::shared().mediaList().size(), left);
    }
    QTest::keyClick(table, Qt::Key_Delete);
    QCOMPARE(MediaSet::shared().mediaList().size(), 1);
    QTest::keyClick(table, Qt::Key_Tab);
    QVERIFY(!table->hasFocus());
    // Back into it, the keyboard's row is shown selected.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QVERIFY(table->hasFocus());
    QCOMPARE(table->selectionModel()->selectedRows().size(), 1);
    // Backspace in a trim field edits the time.
    QTest::keyClick(window, Qt::Key_T, Qt::ControlModifier);
    child<ToggleSwitch>(*window->content(), "trimOutput")->setChecked(true);
    auto *field = child<QLineEdit>(*window->content(), "trimStart");
    QTRY_VERIFY(field->isVisible());
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClick(field, Qt::Key_Escape);
    QCOMPARE(MediaSet::shared().mediaList().size(), 1);
    // Ctrl+Return asks for a destination as Process does, each time;
    // Ctrl+I opens and closes the settings sheet.
    int asked = 0;
    OpenPanel::setAnswersForTesting({{}, [&asked] {
                                         return ++asked, std::optional<QString>();
                                     }});
    for (int times : {1, 2}) {
        QTest::keyClick(window, Qt::Key_Return, Qt::ControlModifier);
        QTRY_COMPARE(asked, times);
        QTest::keyClick(window, Qt::Key_I, Qt::ControlModifier);
        QCOMPARE(window->content()->workspace()->showsSettings(), times == 1);
    }

    // Every command of the menus; modal boxes are closed as they come.
    QTimer closer;
    connect(&closer, &QTimer::timeout, this, [] {
        if (QWidget *modal = QApplication::activeModalWidget())
            modal->close();
    });
    closer.start(50);
    const auto actions = window->menuBar()->findChildren<QAction *>();
    for (QAction *action : actions) {
        if (action->menu() || action->isSeparator()
            || action->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_Q))
            continue;
        action->trigger();
        QTest::qWait(20);
    }
    int mainWindows = 0;
    for (QWidget *widget : QApplication::topLevelWidgets())
        mainWindows += qobject_cast<MainWindow *>(widget) != nullptr;
    QCOMPARE(mainWindows, 1);
    QVERIFY(m_openedUrls.contains(SupportMail::url(QCoreApplication::applicationName(), {},
                                                   QString::fromUtf8(BuildConfig::supportEmail))));
}

void TestAppShell::updateDialog_data()
{
    QTest::addColumn<QByteArray>("feed"); // none: checks are off in this build
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("releasePage");

    QTest::newRow("newer") << QByteArray(R"({"version": "9.1", "url": "https://vireo.app/9.1"})")
                           << "Vireo 9.1 is available" << QString("https://vireo.app/9.1");
    QTest::newRow("same") << QByteArray(R"({"version": ")" VIREO_VERSION
                                        R"(", "url": "https://vireo.app/x"})")
                          << "You're up to date" << QString();
    QTest::newRow("malformed") << QByteArray("{\"version\": ")
                               << "Vireo could not check for updates" << QString();
    QTest::newRow("off in this build") << QByteArray() << "Update checks are off" << QString();
}

void TestAppShell::updateDialog()
{
    QFETCH(QByteArray, feed);
    QFETCH(QString, title);
    QFETCH(QString, releasePage);
    const bool enabled = !feed.isEmpty();

    TestSupport::LoopbackServer server;
    server.body = feed;
    AppDelegate delegate;
    QCoreApplication::setApplicationVersion(QStringLiteral(VIREO_VERSION));
    delegate.updater().setFeedUrl(enabled ? server.url().resolved(QUrl("/feed")) : QUrl());
    delegate.launch({});

    delegate.window()->checkForUpdatesAction()->trigger();
    UpdateDialog *dialog = delegate.updateDialog();
    QVERIFY(dialog && dialog->isVisible());
    QVERIFY(dialog->isChecking());
    // Off in this build, nothing runs and the menu stays as it was.
    QCOMPARE(delegate.window()->checkForUpdatesAction()->isEnabled(), !enabled);
    QTRY_VERIFY_WITH_TIMEOUT(!dialog->isChecking(), 20000);
    QCOMPARE(dialog->title(), title);
    QVERIFY(delegate.window()->checkForUpdatesAction()->isEnabled());

    QCOMPARE(dialog->releaseUrl().toString(), releasePage);
    if (!releasePage.isEmpty()) {
        dialog->openReleasePage();
        QCOMPARE(m_openedUrls, QList<QUrl> {QUrl(releasePage)});
        QVERIFY(!dialog->isVisible());
    }
}

void TestAppShell::batchEndNotifies_data()
{
    QTest::addColumn<bool>("hidden");
    QTest::newRow("window hidden") << true;
    QTest::newRow("window shown") << false;
}

void TestAppShell::batchEndNotifies()
{
    QFETCH(bool, hidden);
    if (m_busAddress.isEmpty())
        QSKIP("dbus-daemon is not installed");

    FakeDesktop desktop(m_busAddress);
    const QString tone = m_files.filePath(QStringLiteral("batch.wav"));
    QVERIFY(TestSupport::makeTone(tone, 0.5));
    QTemporaryDir destination;

    AppDelegate delegate;
    delegate.launch({});
    MainWindow *window = delegate.window();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    if (hidden)
        window->close();

    JobQueue &queue = window->queue();
    QSignalSpy finished(&queue, &JobQueue::runFinished);
    queue.enqueue({Media::create(tone)}, *MediaTarget::fromId(QStringLiteral("audio.mp3")),
                  destination.path(), {});
    QVERIFY(finished.wait(60000));

    // The dock saw the bar come and go.
    QTRY_VERIFY(
        !desktop.launcherUpdates.isEmpty()
        && !desktop.launcherUpdates.constLast().value(QStringLiteral("progress-visible")).toBool());
    QCOMPARE(desktop.launcherUri, QStringLiteral("application://%1.desktop").arg(appId));
    QVERIFY(
        desktop.launcherUpdates.constFirst().value(QStringLiteral("progress-visible")).toBool());

    if (!hidden) {
        QTest::qWait(300);
        QVERIFY(desktop.notifications.isEmpty());
        return;
    }
    QTRY_COMPARE(desktop.notifications.size(), 1);
    const FakeDesktop::Notification &note = desktop.notifications.constFirst();
    QCOMPARE(note.app, QStringLiteral("Vireo"));
    QCOMPARE(note.summary, QStringLiteral("Conversion finished"));
    QCOMPARE(note.body, QStringLiteral("1 file converted."));
    QCOMPARE(note.hints.value(QStringLiteral("desktop-entry")).toString(), appId);

    // Clicking it brings the window back.
    QTest::qWait(100); // the notification id reaches the notifier
    desktop.click(42);
    QTRY_VERIFY(window->isVisible());
}

void TestAppShell::mainViewsNamedAndWhole()
{
    // Whole in a language 40 % longer than English is whole in English.
    LongerTexts translator;
    QCoreApplication::installTranslator(&translator);
    const QString tone = m_files.filePath(QStringLiteral("tone.wav"));
    QVERIFY(TestSupport::makeTone(tone, 0.2));
    UpdateChecker updater;
    MainWindow window(MediaSet::shared(), updater, *m_manager);
    window.resize(1280, 800);
    window.show();
    window.loadMedia({tone});
    QTRY_VERIFY(!window.content()->showsSplash() && !MediaSet::shared().isImporting());
    window.showSettingsAction()->trigger();
    QTest::qWait(400); // the side sheet slides in
    QStringList found = accessProblems(window);
    window.showPreferences();
    for (int tab = 0; tab < window.preferencesView()->count(); ++tab) {
        window.preferencesView()->setCurrentIndex(tab);
        found += accessProblems(*window.preferencesView());
    }
    QCoreApplication::removeTranslator(&translator);
    QVERIFY2(found.isEmpty(), qPrintable(found.join(u'\n')));
}

void TestAppShell::newsletterFormStates()
{
    TestSupport::LoopbackServer server;
    m_manager->setEndpoint(server.url());
    m_manager->setPromptDelay(std::chrono::milliseconds(10));
    auto *email = child<QLineEdit>(*m_prompt, "email");
    auto *error = child<QLabel>(*m_prompt, "error");
    auto *subscribe = child<QPushButton>(*m_prompt, "subscribeButton");
    auto *later = child<QPushButton>(*m_prompt, "laterButton");
    auto *busy = child<QWidget>(*m_prompt, "busyIndicator");

    // The third launch is the window's own.
    for (int launch = 0; launch < 2; ++launch)
        m_manager->registerLaunch();
    m_window->show();
    QTRY_VERIFY(m_prompt->isVisible());
    QVERIFY(!subscribe->isEnabled());

    QTest::keyClicks(email, QStringLiteral("reader"));
    QVERIFY(subscribe->isEnabled());
    subscribe->click();
    QVERIFY(error->isVisible());

    // Escape closes the sheet without an answer, Later snoozes; the next
    // showing starts afresh.
    QTest::keyClick(m_prompt, Qt::Key_Escape);
    QVERIFY(!m_prompt->isVisible());
    QVERIFY(!m_manager->isPresented());
    QCOMPARE(m_manager->currentDecision(), Decision::none);
    m_manager->requestPrompt(true);
    later->click();
    QCOMPARE(m_manager->currentDecision(), Decision::snoozed);
    m_manager->requestPrompt(true);
    QVERIFY(m_prompt->isVisible());
    QVERIFY(email->text().isEmpty());
    QVERIFY(!error->isVisible());

    // Return sends; until the answer is in, nothing can be changed.
    QTest::keyClicks(email, QStringLiteral("reader@example.org"));
    QTest::keyClick(email, Qt::Key_Return);
    QVERIFY(!email->isEnabled());
    QVERIFY(!later->isEnabled());
    QVERIFY(!subscribe->isEnabled());
    QVERIFY(busy->isVisible());

    // The thanks, which closes by itself.
    auto *done = child<QPushButton>(*m_prompt, "doneButton");
    QTRY_VERIFY_WITH_TIMEOUT(done->isVisible(), 20000);
    QVERIFY(done->isDefault());
    QVERIFY(!email->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!m_prompt->isVisible(), 10000);
    QVERIFY(!m_manager->isPresented());
}

QTEST_MAIN(TestAppShell)
#include "tst_appshell.moc"
