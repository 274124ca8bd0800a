#pragma once

#include "ui/settings/PreferencesView.h"

#include <QMainWindow>
#include <QPointer>

class ContentView;
class JobQueue;
class MailingListManager;
class MediaSet;
class QAction;
class QMenu;
class UpdateChecker;

// The one main window of the program, titled "Vireo", with its menus.
//
// Closing it only hides it: the file list and a running batch live on, and a
// relaunch (or the tray icon) brings the same window back. Quit is File >
// Quit. No menu item opens a second main window.
class MainWindow final : public QMainWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MainWindow)

public:
    MainWindow(MediaSet &set, UpdateChecker &updater, MailingListManager &mailingList,
               QWidget *parent = nullptr);
    ~MainWindow() override;

    // Shows the window where the user is, restored if minimized, in front.
    void bringToFront();
    // Hidden or minimized: the user cannot see it.
    bool isOutOfSight() const;

    // Imports the files and folders in one load.
    void loadMedia(const QStringList &paths);

    ContentView *content() const { return m_content; }
    // The queue of the window's workspace.
    JobQueue &queue();

    // The preferences window, one for the whole run.
    void showPreferences();
    PreferencesView *preferencesView() const { return m_preferences; }

    QAction *checkForUpdatesAction() const { return m_checkForUpdates; }
    QAction *subscribeAction() const { return m_subscribe; }
    QAction *contactSupportAction() const { return m_contactSupport; }
    QAction *sidebarAction() const { return m_sidebar; }
    // Edit menu: the selected file out of the list, Process, the settings
    // sheet and the trim popover.
    QAction *removeRowsAction() const { return m_removeRows; }
    QAction *processAction() const { return m_process; }
    QAction *showSettingsAction() const { return m_showSettings; }
    QAction *trimAction() const { return m_trim; }

Q_SIGNALS:
    // "Check for Updates…": the shell checks and shows the outcome.
    void checkForUpdatesRequested();

private:
    void buildMenus();
    void buildWorkspaceCommands(QMenu *edit);
    void updateSubscribeAction();
    void showAbout();

    UpdateChecker &m_updater;
    MailingListManager &m_mailingList;
    ContentView *m_content = nullptr;
    QPointer<PreferencesView> m_preferences;

    QAction *m_checkForUpdates = nullptr;
    QAction *m_subscribe = nullptr;
    QAction *m_contactSupport = nullptr;
    QAction *m_sidebar = nullptr;
    QAction *m_removeRows = nullptr;
    QAction *m_process = nullptr;
    QAction *m_showSettings = nullptr;
    QAction *m_trim = nullptr;
};
