#pragma once

#include "model/MediaGroup.h"
#include "model/MediaTarget.h"

#include <QHash>
#include <QMenu>
#include <QTimer>

class SavePresetDialog;

// The presets menu of a group workspace: the built-in and user presets
// offered for the group, each applied with one click; the user's own can be
// deleted from their context menu; and "Save current as preset…", which asks
// for a name and saves the selected target with the current settings.
//
// The menu is rebuilt whenever it opens, when the group changes and when the
// stored presets change, so it always shows what is stored now.
class PresetsMenu final : public QMenu {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PresetsMenu)

public:
    explicit PresetsMenu(QWidget *parent = nullptr);

    MediaGroup group() const { return m_group; }
    void setGroup(MediaGroup group);

    // The target the workspace has selected, which "Save" stores.
    void setSelectedTarget(const MediaTarget &target);

    // Opens the name prompt (window-modal over the menu's window); it saves
    // when accepted and deletes itself when closed.
    SavePresetDialog *openSavePrompt();

Q_SIGNALS:
    // A preset was applied; the workspace should select this target.
    void targetChosen(const QString &targetId);

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void rebuild();

    MediaGroup m_group = MediaGroup::other;
    MediaTarget m_selectedTarget;
    // The actions of the user presets, by preset id.
    QHash<QAction *, QString> m_userPresetIds;
    QTimer m_rebuildTimer;
};
