#pragma once

#include "model/MediaGroup.h"

#include <QWidget>

#include <optional>

class GroupListModel;
class MediaSet;
class QListView;
class QToolButton;

// The sidebar of the main window: the section "Media" with one row per group
// that holds items, and a footer with the add, remove-group and clear-list
// buttons. Files and folders can be dropped on it.
//
// The selected group is remembered while its row is gone (removed, or the
// list cleared) and shown again when the group comes back.
class GroupSidebar final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GroupSidebar)

public:
    explicit GroupSidebar(MediaSet &set, QWidget *parent = nullptr);

    std::optional<MediaGroup> selectedGroup() const { return m_selectedGroup; }
    void setSelectedGroup(std::optional<MediaGroup> group);

    QSize sizeHint() const override;

    GroupListModel *model() const { return m_model; }
    QListView *list() const { return m_list; }
    QToolButton *addButton() const { return m_addButton; }
    QToolButton *removeButton() const { return m_removeButton; }
    QToolButton *clearButton() const { return m_clearButton; }

Q_SIGNALS:
    void selectedGroupChanged();
    // The add button's menu: files, or a whole folder.
    void addFilesRequested();
    void addFolderRequested();
    void removeGroupRequested();
    void clearListRequested();
    // Files and folders dropped on the sidebar, in the drag's order; each is
    // to be imported by a load of its own.
    void filesDropped(const QStringList &files);

protected:
    void changeEvent(QEvent *event) override;

private:
    void showSelection();
    void takeSelectionFromList();
    void updateRemoveButton();
    void setTargeted(bool targeted);
    void applyColours();

    GroupListModel *m_model;
    QListView *m_list;
    QToolButton *m_addButton;
    QToolButton *m_removeButton;
    QToolButton *m_clearButton;
    std::optional<MediaGroup> m_selectedGroup;
    // Set while the sidebar itself moves the list's selection, whose changes
    // then are no choice of the user.
    bool m_showingSelection = false;
    bool m_targeted = false;
};
