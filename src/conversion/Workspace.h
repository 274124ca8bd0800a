#pragma once

#include "conversion/BatchProgress.h"
#include "conversion/BatchSettings.h"
#include "conversion/JobQueue.h"
#include "model/Media.h"
#include "model/MediaGroup.h"
#include "model/MediaTarget.h"

#include <QHash>
#include <QList>
#include <QObject>

class MediaSet;

// The state of the group workspace, which carries over from one group to
// the next: the shown group and its items, the selected target (one per
// group, since a target belongs to one group), the batch's trim range and
// scale, and the job queue. It decides what converts and when an item's
// earlier success no longer counts; the window only presents it.
class Workspace final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Workspace)

public:
    // Items that leave `set` also leave the queue's run; without a set the
    // run keeps what it was given.
    explicit Workspace(MediaSet *set = nullptr, QObject *parent = nullptr);
    ~Workspace() override;

    // Shows a group's items; called when the selected group or its item
    // list changes. For other there is nothing to convert.
    void setGroup(MediaGroup group, const QList<MediaPtr> &media);
    MediaGroup group() const { return m_group; }
    const QList<MediaPtr> &media() const { return m_media; }

    const MediaTarget &selectedTarget() const { return m_target; }
    void setSelectedTarget(const MediaTarget &target);

    const BatchSettings &batch() const { return m_batch; }
    void setBatch(const BatchSettings &batch);

    JobQueue &queue() { return m_queue; }
    const JobQueue &queue() const { return m_queue; }

    // True when a run can start: files listed and no run going.
    bool canProcess() const;
    // Converts the group's items into the folder (an empty one: each beside
    // its original), starting them in the order
    // of `order` (the order the user sees) when given, else in list order.
    void process(const QString &folder, const QList<MediaPtr> &order = {});
    // The run's progress, the same wherever it is shown.
    BatchProgress progress() const { return m_queue.progress(); }

Q_SIGNALS:
    void groupChanged();
    void mediaChanged();
    void selectedTargetChanged();
    void batchChanged();

private:
    // Items converted with other settings than those now in force lose
    // their check mark.
    void resetStaleItems();

    MediaGroup m_group = MediaGroup::other;
    QList<MediaPtr> m_media;
    MediaTarget m_target;
    QHash<MediaGroup, MediaTarget> m_targetPerGroup;
    BatchSettings m_batch;
    JobQueue m_queue;
};
