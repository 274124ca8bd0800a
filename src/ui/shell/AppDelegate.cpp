#include "ui/shell/AppDelegate.h"

#include "conversion/ClassificationProbe.h"
#include "conversion/JobQueue.h"
#include "model/MediaSet.h"
#include "settings/MailingListManager.h"
#include "settings/UpdateChecker.h"
#include "ui/shell/DesktopNotifier.h"
#include "ui/shell/LauncherProgress.h"
#include "ui/shell/MainWindow.h"
#include "ui/shell/NewsletterPrompt.h"
#include "ui/shell/UpdateDialog.h"

#include <QApplication>
#include <QMenu>
#include <QSystemTrayIcon>

#include "vireo/BuildConfig.h"

using namespace std::chrono_literals;

namespace {

constexpr auto progressInterval = 500ms;

} // namespace

AppDelegate::AppDelegate(QObject *parent)
    : QObject(parent)
    , m_updater(std::make_unique<UpdateChecker>())
{
    const QString desktopId = QString::fromUtf8(BuildConfig::appId);
    MediaSet::shared().setProbe(&probeForClassification);
    MailingListManager &mailingList = MailingListManager::shared();
    m_window = std::make_unique<MainWindow>(MediaSet::shared(), *m_updater, mailingList);
    connect(m_window.get(), &MainWindow::checkForUpdatesRequested, this,
            &AppDelegate::checkForUpdates);

    // The prompt registers the launch when the window first shows.
    new NewsletterPrompt(mailingList, m_window.get());
    mailingList.setUpdaterBusyCheck([this] { return m_updater->sessionInProgress(); });

    connect(m_updater.get(), &UpdateChecker::checkFinished, this, &AppDelegate::showUpdateResult);

    m_notifier = new DesktopNotifier(desktopId, QDBusConnection::sessionBus(), this);
    connect(m_notifier, &DesktopNotifier::activated, m_window.get(), &MainWindow::bringToFront);
    m_launcher = new LauncherProgress(desktopId, QDBusConnection::sessionBus(), this);
    m_progressTimer.setInterval(progressInterval);
    connect(&m_progressTimer, &QTimer::timeout, this, &AppDelegate::updateLauncherProgress);
    watchQueue(m_window->queue());

    setUpTrayIcon();
}

AppDelegate::~AppDelegate()
{
    // The tray's menu belongs to the window, and the window's widgets refer
    // to the shared managers: both go before the rest.
    delete m_tray;
    m_window.reset();
    MailingListManager::shared().setUpdaterBusyCheck({});
}

void AppDelegate::launch(const QStringList &paths)
{
    m_window->show();
    if (!paths.isEmpty())
        m_window->loadMedia(paths);
    m_updater->setAutomaticChecksActive(true);
}

void AppDelegate::openMedia(const QStringList &paths)
{
    m_window->bringToFront();
    if (!paths.isEmpty())
        m_window->loadMedia(paths);
}

void AppDelegate::checkForUpdates()
{
    if (!m_updater->canCheckForUpdates())
        return;
    if (!m_updateDialog)
        m_updateDialog = new UpdateDialog(*m_updater, m_window.get());
    m_updateDialog->showChecking();
    m_updateDialog->show();
    m_updateDialog->raise();
    m_updater->checkForUpdates();
}

void AppDelegate::showUpdateResult(const UpdateCheckResult &result)
{
    // A check of its own is worth a window only when it found something; a
    // cancelled one was stopped by closing the window.
    if (result.outcome == UpdateCheckResult::Outcome::cancelled
        || (!result.userInitiated && result.outcome != UpdateCheckResult::Outcome::updateAvailable))
        return;
    if (!m_updateDialog)
        m_updateDialog = new UpdateDialog(*m_updater, m_window.get());
    m_updateDialog->showResult(result);
    m_updateDialog->show();
    m_updateDialog->raise();
}

void AppDelegate::watchQueue(JobQueue &queue)
{
    m_queue = &queue;
    connect(&queue, &JobQueue::isRunningChanged, this, [this] {
        if (m_queue && m_queue->isRunning()) {
            m_progressTimer.start();
            updateLauncherProgress();
        } else {
            m_progressTimer.stop();
            m_launcher->setProgress(std::nullopt);
        }
    });
    connect(&queue, &JobQueue::runFinished, this, &AppDelegate::batchFinished);
}

void AppDelegate::updateLauncherProgress()
{
    if (!m_queue || !m_queue->isRunning()) {
        m_launcher->setProgress(std::nullopt);
        return;
    }
    // The same reckoning as the progress sheet's, so the two never disagree.
    m_launcher->setProgress(m_queue->progress().fraction);
}

void AppDelegate::batchFinished(const Totals &totals)
{
    if (totals.total > 0 && m_window->isOutOfSight())
        m_notifier->notify(DesktopNotifier::batchSummary(totals),
                           DesktopNotifier::batchBody(totals));
}

void AppDelegate::setUpTrayIcon()
{
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return;
    m_tray = new QSystemTrayIcon(QApplication::windowIcon(), this);
    m_tray->setToolTip(QStringLiteral("Vireo"));
    auto *menu = new QMenu(m_window.get());
    menu->addAction(tr("Show Vireo"), m_window.get(), &MainWindow::bringToFront);
    menu->addSeparator();
    menu->addAction(tr("Quit"), qApp, &QCoreApplication::quit);
    m_tray->setContextMenu(menu);
    connect(m_tray, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
                    m_window->bringToFront();
            });
    m_tray->show();
}
