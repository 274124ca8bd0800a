#pragma once

#include "ui/shell/UpdateDialog.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <memory>

class DesktopNotifier;
class JobQueue;
class LauncherProgress;
class MainWindow;
class QSystemTrayIcon;
class UpdateChecker;
struct Totals;

// The program around its window: creates the main window, the update checker
// and the newsletter prompt, takes the files the desktop hands over, and
// tells the desktop about a batch (taskbar progress while it runs, a
// notification when it ends out of sight). Lives for the whole run.
class AppDelegate final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AppDelegate)

public:
    explicit AppDelegate(QObject *parent = nullptr);
    ~AppDelegate() override;

    MainWindow *window() const { return m_window.get(); }
    UpdateChecker &updater() { return *m_updater; }

    // Shows the window for the first time, with the files of the command line.
    void launch(const QStringList &paths);
    // Files from the desktop (a relaunch, the file manager): the window comes
    // to the front and all of them are imported in one load.
    void openMedia(const QStringList &paths);

    // "Check for Updates…": a dialog that follows the check.
    void checkForUpdates();
    UpdateDialog *updateDialog() const { return m_updateDialog; }

private:
    void showUpdateResult(const UpdateCheckResult &result);
    void watchQueue(JobQueue &queue);
    void updateLauncherProgress();
    void batchFinished(const Totals &totals);
    void setUpTrayIcon();

    std::unique_ptr<UpdateChecker> m_updater;
    std::unique_ptr<MainWindow> m_window;
    QPointer<UpdateDialog> m_updateDialog;
    DesktopNotifier *m_notifier = nullptr;
    LauncherProgress *m_launcher = nullptr;
    QSystemTrayIcon *m_tray = nullptr;
    QPointer<JobQueue> m_queue;
    QTimer m_progressTimer;
};
