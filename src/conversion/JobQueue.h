#pragma once

#include "conversion/BatchProgress.h"
#include "conversion/BatchSettings.h"
#include "conversion/JobOutcome.h"
#include "conversion/Totals.h"
#include "model/Media.h"
#include "model/MediaTarget.h"

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
    // now on every job that starts uses this target, folder and batch. Items
    // already pending or running are not added a second time.
    void enqueue(const QList<MediaPtr> &items, const MediaTarget &target,
                 const QString &destination, const BatchSettings &batch);
    // Drops what is pending and cancels what runs; the run then ends as usual.
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
    // A run ended (after the completion action), with its final totals.
    void runFinished(const Totals &totals);
    // An item of the run began, and what became of it; every start has one
    // finish. Items dropped from the pending list never start.
    void itemStarted(const QUuid &id);
    void itemFinished(const QUuid &id, const JobOutcome &outcome);

private:
    void startNext();
    void startJob(const MediaPtr &item);
    void jobFinished(const QUuid &id, const JobOutcome &outcome);
    bool isInputOfRun(const QString &path) const;
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
    MediaTarget m_target;
    QString m_destination;
    BatchSettings m_batch;
    std::function<void()> m_completion;
    std::function<void(const QString &)> m_opener;
    int m_maxConcurrent = 2;
    bool m_startScheduled = false;
    // Every input of the run by device and inode: never to be overwritten.
    QSet<FileIdentity> m_runInputs;
    // The output of every item of the run, to the input that claimed it
    // first: a later item with the same output fails instead of replacing it.
    QHash<QString, QString> m_runOutputs;
};
