#include "ui/workspace/RunRecord.h"

#include "conversion/JobQueue.h"

RunRecord::RunRecord(JobQueue &queue, QObject *parent)
    : QObject(parent)
{
    connect(&queue, &JobQueue::itemStarted, this, [this](const QUuid &id) {
        m_started.insert(id);
        m_outcomes.remove(id);
        Q_EMIT changed();
    });
    connect(&queue, &JobQueue::itemFinished, this,
            [this](const QUuid &id, const JobOutcome &outcome) {
                if (!m_started.contains(id))
                    return;
                m_outcomes.insert(id, outcome);
                Q_EMIT changed();
            });
}

void RunRecord::begin(const QList<MediaPtr> &items)
{
    m_items = items;
    m_started.clear();
    m_outcomes.clear();
    Q_EMIT changed();
}

void RunRecord::end()
{
    for (const MediaPtr &item : std::as_const(m_items)) {
        if (m_started.contains(item->id()))
            continue;
        // A check mark still tells the truth: that output exists.
        if (item->status() == MediaStatus::failed || item->status() == MediaStatus::cancelled) {
            item->setErrorMessage(std::nullopt);
            item->setProgress(0.0);
            item->setStatus(MediaStatus::unprocessed);
        }
    }
}

std::optional<JobOutcome> RunRecord::outcome(const QUuid &id) const
{
    const auto found = m_outcomes.constFind(id);
    if (found == m_outcomes.cend())
        return std::nullopt;
    return *found;
}

int RunRecord::count(JobOutcomeKind kind) const
{
    return int(std::count_if(m_outcomes.cbegin(), m_outcomes.cend(),
                             [kind](const JobOutcome &outcome) { return outcome.kind == kind; }));
}
