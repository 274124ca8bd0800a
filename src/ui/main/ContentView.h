#pragma once

#include "model/MediaGroup.h"

#include <QTimer>
#include <QWidget>

#include <functional>
#include <optional>

class GroupSidebar;
class ImportQueue;
class MediaSet;
class Workspace;
class QLabel;
class QSplitter;
class QStackedWidget;
class SkippedPathsBanner;
class SnapshotView;
class SplashScreen;

// The main window's content. While the media set is empty it shows the
// splash screen; once it holds files, a sidebar of the groups present and the
// workspace of the selected group. Files enter through drops on the splash or
// the sidebar (one load per dropped item), the open panel, or loadMedia().
// A bar above both reports files that could not be imported.
class ContentView final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ContentView)

public:
    explicit ContentView(MediaSet &set, QWidget *parent = nullptr);
    ~ContentView() override;

    // The sidebar's selection. It is kept while its group has no files, and
    // shows again when files of that group return.
    std::optional<MediaGroup> selectedGroup() const;
    void setSelectedGroup(std::optional<MediaGroup> group);

    // Imports the files and folders (paths or file: URLs) in one load.
    void loadMedia(const QStringList &pathsOrUrls);
    // Imports each file or folder by a load of its own, in order, as drops
    // do. Thousands of them are started a few at a time, between which the
    // window goes on answering.
    void loadEach(const QStringList &pathsOrUrls);
    // True while a load that the window started or the media set reports
    // runs, or loads wait to start.
    bool isImporting() const;
    // Asks for files and imports the chosen ones in one load.
    void chooseFiles();
    // Asks for a folder and imports it as a dropped one.
    void chooseFolder();
    // Ask first, in a dialog over the window, then remove or clear.
    void confirmRemoveGroup();
    void confirmClearList();
    bool isConfirmingRemoveGroup() const { return m_confirming == Confirming::removeGroup; }
    bool isConfirmingClearList() const { return m_confirming == Confirming::clearList; }

    bool showsSplash() const;
    bool isSidebarVisible() const;
    void setSidebarVisible(bool visible);

    SplashScreen *splash() const { return m_splash; }
    GroupSidebar *sidebar() const { return m_sidebar; }
    SnapshotView *workspace() const { return m_workspace; }
    SkippedPathsBanner *banner() const { return m_banner; }
    QSplitter *splitView() const { return m_splitView; }
    // The detail column as it shows now: the workspace or the placeholder.
    QWidget *detail() const;

Q_SIGNALS:
    void selectedGroupChanged();

private:
    void updateImporting();
    void updateFace();
    void updateDetail();
    void refreshWorkspace();
    enum class Confirming { nothing, removeGroup, clearList };

    void confirm(const QString &message, const QString &action,
                 const std::function<void()> &onConfirmed);

    MediaSet &m_set;
    ImportQueue *m_imports;
    Workspace *m_workspaceState;
    SkippedPathsBanner *m_banner;
    QStackedWidget *m_faces;
    SplashScreen *m_splash;
    QSplitter *m_splitView;
    GroupSidebar *m_sidebar;
    QStackedWidget *m_detail;
    SnapshotView *m_workspace;
    // The group last handed to the workspace.
    std::optional<MediaGroup> m_workspaceGroup;
    QLabel *m_placeholder;
    // Hands the workspace its grown or shrunk list once, however many loads
    // landed meanwhile.
    QTimer m_workspaceTimer;
    // The one confirmation shown at a time.
    Confirming m_confirming = Confirming::nothing;
};
