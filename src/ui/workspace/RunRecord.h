#pragma once

#include "conversion/JobOutcome.h"
#include "model/Media.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QUuid>

#include <optional>

class JobQueue;

// What one run of the workspace's queue did: which of its items started and
// what became of each. The result bar, the progress sheet and the opening of
// the destination all count from it, so they agree with each other and with
// the rows, whose status the same outcomes set.
class RunRecord final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RunRecord)

public:
    explicit RunRecord(JobQueue &queue, QObject *parent = nullptr);

    // A run begins with these items; what an earlier run did is forgotten.
    void begin(const QList<MediaPtr> &items);
    // The run ended. Its items that never started (a cancel dropped them)
    // show no outcome of an earlier run: they are waiting again.
    void end();

    const QList<MediaPtr> &items() const { return m_items; }
    bool wasStarted(const QUuid &id) const { return m_started.contains(id); }
    std::optional<JobOutcome> outcome(const QUuid &id) const;
    int count(JobOutcomeKind kind) const;
    // Items that started and have an outcome.
    int finishedCount() const { return int(m_outcomes.size()); }

Q_SIGNALS:
    void changed();

private:
    QList<MediaPtr> m_items;
    QSet<QUuid> m_started;
    QHash<QUuid, JobOutcome> m_outcomes;
};
