#pragma once

#include "conversion/BatchSettings.h"
#include "conversion/JobQueue.h"
#include "conversion/Workspace.h"
#include "model/Media.h"
#include "model/MediaGroup.h"
#include "model/MediaTarget.h"

#include <QHash>
#include <QSet>
#include <QTimer>
#include <QUuid>
#include <QWidget>

#include <memory>
#include <optional>

class BatchPopover;
class HeaderBar;
class MediaSortProxy;
class MediaTableModel;
class ProgressSheet;
class QTableView;
class ResultBar;
class RunRecord;
class SettingsView;
class SideSheet;

// The face of a Workspace: the group's files in a table with their status,
// the output target, the settings side sheet, presets, the trim range and
// scale of the batch, and "Process", which converts the group's files into a
// folder the user chooses while a progress sheet shows the run. What
// converts, and with what, is the workspace's to decide.
//
// The main window shows every group in the same workspace: the selected
// target, the batch settings, the side sheet and the queue carry over from
// one group to the next.
class SnapshotView final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SnapshotView)

public:
    // Presents a workspace of its own.
    explicit SnapshotView(QWidget *parent = nullptr);
    // Presents `workspace`, which outlives the view.
    explicit SnapshotView(Workspace &workspace, QWidget *parent = nullptr);
    ~SnapshotView() override;

    Workspace &workspace() { return m_workspace; }

    // Shows a group's items; called when the selected group or its item list
    // changes. For other there is no target to pick and no settings.
    void setGroup(MediaGroup group, const QList<MediaPtr> &media);
    MediaGroup group() const { return m_workspace.group(); }
    const QList<MediaPtr> &media() const;

    JobQueue &queue() { return m_workspace.queue(); }

    MediaTarget selectedTarget() const { return m_workspace.selectedTarget(); }
    void setSelectedTarget(const MediaTarget &target);

    const BatchSettings &batch() const { return m_workspace.batch(); }
    void setBatch(const BatchSettings &batch);

    // The item selected in the table, if any.
    std::optional<QUuid> selectedMediumId() const { return m_selectedId; }

    bool showsSettings() const { return m_showSettings; }
    void setShowsSettings(bool shows);

    // The header's text: the selected file's path, or the number of files.
    QString headerText() const;

    // The start flow: asks for a destination folder and converts the
    // group's items into it.
    void process();

Q_SIGNALS:
    // "Remove from list": the window takes these items out of the media set
    // and hands the workspace the shorter list.
    void removeRequested(const QSet<QUuid> &ids);

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showTarget();
    void showGroup();
    void updateHeader();
    void updateProcessEnabled();
    void fitColumns();
    void updateSideSheet();
    void selectionChanged();
    void restoreSelection();
    void contextMenuRequested(const QPoint &pos);
    void showInFileManager(const QSet<QUuid> &ids);
    void removeFromList(const QSet<QUuid> &ids);
    void revealStarted(const QUuid &id);

    // Set only when the view made its workspace itself.
    std::unique_ptr<Workspace> m_ownWorkspace;
    Workspace &m_workspace;
    std::optional<QUuid> m_selectedId;
    bool m_showSettings = false;
    bool m_hardwareLabelRequested = false;

    MediaTableModel *m_model = nullptr;
    MediaSortProxy *m_proxy = nullptr;
    QTableView *m_table = nullptr;
    HeaderBar *m_header = nullptr;
    BatchPopover *m_batchPopover = nullptr;
    SideSheet *m_sideSheet = nullptr;
    SettingsView *m_settingsView = nullptr;
    ProgressSheet *m_progressSheet = nullptr;
    ResultBar *m_resultBar = nullptr;
    RunRecord *m_record = nullptr;
    QTimer m_spinTimer;
};
