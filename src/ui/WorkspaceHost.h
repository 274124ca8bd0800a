#pragma once

#include "model/Media.h"
#include "model/MediaGroup.h"

#include <QList>
#include <QSet>
#include <QUuid>
#include <QWidget>

#include <optional>

class JobQueue;
class QLabel;
class QListWidget;
class SnapshotView;

// The detail column's workspace. One view for every group: switching groups
// hands it the new group and list, and whatever the user set up in it (the
// job queue too) carries over. Hosts the group workspace where the build has
// it, and a plain list of the group's files where it has not yet.
class WorkspaceHost final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WorkspaceHost)

public:
    explicit WorkspaceHost(QWidget *parent = nullptr);
    ~WorkspaceHost() override;

    std::optional<MediaGroup> group() const { return m_group; }
    const QList<MediaPtr> &media() const { return m_media; }
    void setGroup(MediaGroup group, const QList<MediaPtr> &media);

    JobQueue &queue();

Q_SIGNALS:
    // The user removed these items from the list.
    void removeRequested(const QSet<QUuid> &ids);

private:
    std::optional<MediaGroup> m_group;
    QList<MediaPtr> m_media;
    SnapshotView *m_view = nullptr;
    JobQueue *m_queue = nullptr;
    QLabel *m_header = nullptr;
    QListWidget *m_files = nullptr;
};
