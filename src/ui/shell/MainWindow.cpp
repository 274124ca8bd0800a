#include "ui/shell/MainWindow.h"

#include "conversion/HardwareDetection.h"
#include "conversion/JobQueue.h"
#include "settings/MailingListManager.h"
#include "settings/UpdateChecker.h"
#include "ui/main/ContentView.h"
#include "ui/settings/PreferencesView.h"
#include "ui/shell/SupportMail.h"
#include "ui/workspace/SnapshotView.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTableView>
#include <QToolButton>

MainWindow::MainWindow(MediaSet &set, UpdateChecker &updater, MailingListManager &mailingList,
                       QWidget *parent)
    : QMainWindow(parent)
    , m_updater(updater)
    , m_mailingList(mailingList)
{
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(QStringLiteral("Vireo"));
    m_content = new ContentView(set, this);
    setCentralWidget(m_content);
    resize(960, 600);
    buildMenus();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildMenus()
{
    QMenu *file = menuBar()->addMenu(tr("&File"));
    QAction *add = file->addAction(tr("&Add Files…"), m_content, &ContentView::chooseFiles);
    add->setShortcut(QKeySequence::Open);
    QAction *addFolder = file->addAction(tr("Add &Folder…"), m_content, &ContentView::chooseFolder);
    addFolder->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    file->addSeparator();
    file->addAction(tr("&Close Window"), QKeySequence::Close, this, &QWidget::close);
    QAction *quit = file->addAction(tr("&Quit"), qApp, &QCoreApplication::quit);
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    quit->setMenuRole(QAction::QuitRole);

    QMenu *edit = menuBar()->addMenu(tr("&Edit"));
    buildWorkspaceCommands(edit);
    edit->addSeparator();
    QAction *preferences = edit->addAction(tr("&Preferences…"), this, &MainWindow::showPreferences);
    preferences->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Comma));
    preferences->setMenuRole(QAction::PreferencesRole);

    QMenu *view = menuBar()->addMenu(tr("&View"));
    m_sidebar = view->addAction(tr("Show &Sidebar"), m_content, &ContentView::setSidebarVisible);
    m_sidebar->setCheckable(true);
    m_sidebar->setShortcut(QKeySequence(Qt::Key_F9));
    // The sidebar belongs to the list of files; the splash screen has none.
    connect(view, &QMenu::aboutToShow, this, [this] {
        m_sidebar->setEnabled(!m_content->showsSplash());
        m_sidebar->setChecked(m_content->isSidebarVisible());
    });
    m_sidebar->setChecked(m_content->isSidebarVisible());

    QMenu *help = menuBar()->addMenu(tr("&Help"));
    m_contactSupport = help->addAction(tr("Contact Support"), this, [] { composeSupportMail(); });
    m_subscribe = help->addAction(tr("Subscribe to Newsletter…"), this,
                                  [this] { m_mailingList.requestPrompt(true); });
    help->addSeparator();
    m_checkForUpdates
        = help->addAction(tr("Check for Updates…"), this, &MainWindow::checkForUpdatesRequested);
    m_checkForUpdates->setEnabled(m_updater.canCheckForUpdates());
    connect(&m_updater, &UpdateChecker::canCheckForUpdatesChanged, m_checkForUpdates,
            &QAction::setEnabled);
    help->addSeparator();
    QAction *about = help->addAction(tr("&About Vireo"), this, &MainWindow::showAbout);
    about->setMenuRole(QAction::AboutRole);

    updateSubscribeAction();
    connect(&m_mailingList, &MailingListManager::isOptedOutChanged, this,
            &MainWindow::updateSubscribeAction);
}

void MainWindow::buildWorkspaceCommands(QMenu *edit)
{
    SnapshotView *workspace = m_content->workspace();
    // The workspace's parts by name: a missing one leaves its command dead,
    // never the window.
    const auto button = [workspace](const char *name) {
        return workspace->findChild<QToolButton *>(QLatin1String(name));
    };
    auto *table = workspace->findChild<QTableView *>(QStringLiteral("fileTable"));
    Q_ASSERT(table && button("processButton") && button("settingsButton") && button("trimButton"));
    if (table) {
        // Tab moves on to the next control; the arrow keys walk the rows.
        table->setTabKeyNavigation(false);
        table->setAccessibleName(tr("Files"));
    }

    // Only while the table has the focus: Backspace in the trim fields edits
    // a time and removes no file.
    m_removeRows = edit->addAction(tr("&Remove from List"), this, [workspace, table] {
        if (const std::optional<QUuid> id = workspace->selectedMediumId()) {
            if (table)
                table->clearSelection();
            Q_EMIT workspace->removeRequested({*id});
        }
    });
    m_removeRows->setShortcuts({QKeySequence::Delete, QKeySequence(Qt::Key_Backspace)});
    m_removeRows->setShortcutContext(Qt::WidgetShortcut);
    if (table)
        table->addAction(m_removeRows);
    edit->addSeparator();

    // The header's buttons do the work, so a command does nothing a disabled
    // button would refuse.
    const auto clicks = [workspace, button](const char *name) {
        return [workspace, button, name] {
            QToolButton *target = button(name);
            if (target && workspace->isVisible() && target->isVisible())
                target->click();
        };
    };
    m_process = edit->addAction(tr("&Process…"), this, clicks("processButton"));
    m_process->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)});
    m_showSettings = edit->addAction(tr("Conversion &Settings"), this, clicks("settingsButton"));
    m_showSettings->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    // The header's switch for the sheet is an icon only.
    if (QToolButton *settings = button("settingsButton"))
        settings->setAccessibleName(m_showSettings->text().remove(u'&'));
    m_trim = edit->addAction(tr("&Trim…"), this, clicks("trimButton"));
    m_trim->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    connect(edit, &QMenu::aboutToShow, this, [this, workspace, button] {
        const bool shown = !m_content->showsSplash();
        m_removeRows->setEnabled(shown && workspace->selectedMediumId());
        for (auto [action, name] :
             {std::pair {m_process, "processButton"}, std::pair {m_showSettings, "settingsButton"},
              std::pair {m_trim, "trimButton"}}) {
            QToolButton *target = button(name);
            action->setEnabled(shown && target && target->isVisible() && target->isEnabled());
        }
    });
    // A shortcut works whatever the menu showed when it last opened.
    connect(edit, &QMenu::aboutToHide, this, [this] {
        for (QAction *action : {m_removeRows, m_process, m_showSettings, m_trim})
            action->setEnabled(true);
    });
}

void MainWindow::updateSubscribeAction()
{
    m_subscribe->setVisible(m_mailingList.isAvailable() && !m_mailingList.isOptedOut());
}

void MainWindow::bringToFront()
{
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}

bool MainWindow::isOutOfSight() const
{
    return isHidden() || isMinimized();
}

void MainWindow::loadMedia(const QStringList &paths)
{
    m_content->loadMedia(paths);
}

JobQueue &MainWindow::queue()
{
    return m_content->workspace()->queue();
}

void MainWindow::showPreferences()
{
    if (!m_preferences) {
        m_preferences = new PreferencesView(this);
        m_preferences->setWindowFlag(Qt::Window);
        m_preferences->setWindowTitle(tr("Preferences"));
        HardwareDetection *detection = detectHardwareProfile(m_preferences);
        connect(detection, &Operation::finished, m_preferences, [this, detection] {
            m_preferences->setHardwareLabel(detection->profile().label());
            detection->deleteLater();
        });
    }
    m_preferences->show();
    m_preferences->raise();
    m_preferences->activateWindow();
}

void MainWindow::showAbout()
{
    QMessageBox::about(
        this, tr("About Vireo"),
        tr("<h3>Vireo %1</h3><p>Converts batches of audio, video, image and subtitle files with "
           "FFmpeg.</p>")
            .arg(QCoreApplication::applicationVersion().toHtmlEscaped()));
}
