#pragma once

#include "conversion/BatchProgress.h"
#include "conversion/JobOutcome.h"
#include "conversion/JobSpec.h"
#include "conversion/RunRules.h"
#include "conversion/Totals.h"
#include "model/Media.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QUuid>

#include <functional>
#include <optional>

class MediaJob;

// Converts batches of items into one target and destination folder, a few at
// a time, in list order. Main thread only. A workspace owns one.
class JobQueue final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(JobQueue)

public:
    explicit JobQueue(QObject *parent = nullptr);
    ~JobQueue() override;

    const Totals &totals() const { return m_totals; }
    bool isRunning() const { return m_isRunning; }
    const std::optional<QDateTime> &startedAt() const { return m_startedAt; }
    int maxConcurrent() const { return m_maxConcurrent; }
    qsizetype pendingCount() const { return m_pending.size(); }
    qsizetype activeCount() const { return m_active.size(); }
    // The running items, in the order they started.
    const QList<MediaPtr> &activeMedia() const { return m_activeMedia; }
    // The running items that began converting; one that still waits for its
    // output, probe or hardware keeps its earlier status and progress.
    QList<MediaPtr> convertingMedia() const;
    // The run's progress and estimate at this moment: the finished items
    // and the progress of those converting.
    BatchProgress progress() const;

    // Starts converting the items, or adds them to the run in progress; from
    // now on every job that starts uses this spec. Items already pending or
    // running are not added a second time.
    void enqueue(const QList<MediaPtr> &items, const JobSpec &spec);
    // The same under the preferences of this moment.
    void enqueue(const QList<MediaPtr> &items, const MediaTarget &target,
                 const QString &destination, const BatchSettings &batch);
    // Inputs of the run that another process converts (the other parts of a
    // sharded run): never written either. Until the run ends.
    void protectInputs(const QList<FileIdentity> &inputs);
    // Drops what is pending (back to waiting, counted nowhere) and cancels
    // what runs; the run then ends as usual.
    void cancelAll();
    // Items that left the list leave the run: pending ones are dropped,
    // running ones cancelled, and neither counts in the totals any more.
    void remove(const QSet<QUuid> &ids);
    // Whether an item is pending or running.
    bool holds(const QUuid &id) const;

    // How the destination folder is shown when a run ends and the user wants
    // it; the desktop's file manager in the window, nothing by default.
    void setDestinationOpener(std::function<void(const QString &folder)> opener);

Q_SIGNALS:
    void totalsChanged();
    void isRunningChanged();
    void startedAtChanged();
    // When an item's job is created (or the run refuses it at once).
    void itemStarted(const QUuid &id);
    // Once per started item, also when it was removed from the list meanwhile.
    void itemFinished(const QUuid &id, const JobOutcome &outcome);
    // A run ended (after the completion action), with its final totals.
    void runFinished(const Totals &totals);

private:
    void startNext();
    void startJob(const MediaPtr &item);
    void jobFinished(const QUuid &id, const JobOutcome &outcome);
    // Fails the item when an earlier item of the run writes the same output;
    // claims the output otherwise.
    bool failIfOutputTaken(const MediaPtr &item);
    void setTotals(const Totals &totals);

    Totals m_totals;
    bool m_isRunning = false;
    std::optional<QDateTime> m_startedAt;
    QList<MediaPtr> m_pending;
    QHash<QUuid, QPointer<MediaJob>> m_active;
    QList<MediaPtr> m_activeMedia; // in start order
    // Running jobs whose items were removed: they end uncounted.
    QSet<QUuid> m_removed;
    JobSpec m_spec;
    std::function<void()> m_completion;
    std::function<void(const QString &)> m_opener;
    int m_maxConcurrent = 2;
    bool m_startScheduled = false;
    // Every input of the run, and the outputs items claimed.
    RunRules m_rules;
};
