#include "conversion/JobQueue.h"

#include "conversion/ConversionPlan.h"
#include "conversion/MediaJob.h"
#include "conversion/ProgressMath.h"
#include "settings/Preferences.h"
#include "tools/ResourceLimits.h"

#include <QDir>
#include <QFileInfo>

JobQueue::JobQueue(QObject *parent)
    : QObject(parent)
    , m_spec {MediaTarget::imageTargets().first(), {}, {}, {}}
{
}

JobQueue::~JobQueue()
{
    // Jobs are children: deleting them stops their tools and removes their
    // temporary files. Their finished() no longer reaches this queue.
    for (const QPointer<MediaJob> &job : std::as_const(m_active))
        delete job.data();
}

void JobQueue::setDestinationOpener(std::function<void(const QString &)> opener)
{
    m_opener = std::move(opener);
}

void JobQueue::enqueue(const QList<MediaPtr> &items, const MediaTarget &target,
                       const QString &destination, const BatchSettings &batch)
{
    enqueue(items, JobSpec::current(target, destination, batch));
}

void JobQueue::protectInputs(const QList<FileIdentity> &inputs)
{
    for (const FileIdentity &identity : inputs)
        m_rules.addInput(identity);
}

void JobQueue::enqueue(const QList<MediaPtr> &items, const JobSpec &spec)
{
    m_spec = spec;
    const Preferences &preferences = Preferences::instance();
    const int preferred = preferences.value(PreferenceKeys::maxConcurrentJobs);
    // Never more than the descriptors allow: a job that cannot get its pipes
    // would fail, one that waits for a slot does not.
    m_maxConcurrent = std::min(preferred >= 2 ? preferred : 1,
                               int(m_active.size()) + ResourceLimits::concurrentRuns());
    const bool open = preferences.value(PreferenceKeys::openDestinationOnFinish);
    QString destination = spec.destination;
    if (spec.nextToSource()) {
        // Outputs spread over several folders have no one folder to show.
        QSet<QString> folders;
        for (const MediaPtr &item : items)
            if (item)
                folders.insert(QFileInfo(item->pathString()).absolutePath());
        destination = folders.size() == 1 ? *folders.cbegin() : QString();
    }
    m_completion = [this, open, destination] {
        if (m_opener && open && !destination.isEmpty())
            m_opener(destination);
    };

    // A set of what is pending keeps a large batch linear.
    QSet<QUuid> queued;
    queued.reserve(m_pending.size() + items.size());
    for (const MediaPtr &item : std::as_const(m_pending))
        queued.insert(item->id());
    int added = 0;
    for (const MediaPtr &item : items) {
        if (!item)
            continue;
        if (m_active.contains(item->id()) || queued.contains(item->id()))
            continue;
        m_pending.append(item);
        queued.insert(item->id());
        // Imported items carry their identity; only items made some other
        // way cost a stat here.
        if (const auto identity = item->identityOrCurrent())
            m_rules.addInput(*identity);
        ++added;
    }
    Totals totals = m_totals;
    totals.total += added;
    setTotals(totals);
    if (!m_isRunning) {
        m_startedAt = QDateTime::currentDateTime();
        Q_EMIT startedAtChanged();
    }
    if (!m_isRunning) {
        m_isRunning = true;
        Q_EMIT isRunningChanged();
    }
    startNext();
}

void JobQueue::cancelAll()
{
    if (!m_pending.isEmpty()) {
        Totals totals = m_totals;
        totals.total -= int(m_pending.size());
        m_pending.clear();
        setTotals(totals);
    }
    for (const QPointer<MediaJob> &job : std::as_const(m_active)) {
        if (job)
            job->cancel();
    }
    if (m_active.isEmpty())
        startNext();
}

void JobQueue::remove(const QSet<QUuid> &ids)
{
    const qsizetype dropped
        = m_pending.removeIf([&ids](const MediaPtr &item) { return ids.contains(item->id()); });
    int uncounted = int(dropped);
    for (const QUuid &id : ids) {
        const QPointer<MediaJob> job = m_active.value(id);
        if (!job || m_removed.contains(id))
            continue;
        m_removed.insert(id);
        ++uncounted;
        // The queue lets go of the item now; the job holds it only weakly.
        m_activeMedia.removeIf([&id](const MediaPtr &item) { return item->id() == id; });
        job->cancel();
    }
    if (uncounted == 0)
        return;
    Totals totals = m_totals;
    totals.total -= uncounted;
    setTotals(totals);
    if (m_active.isEmpty())
        startNext();
}

QList<MediaPtr> JobQueue::convertingMedia() const
{
    QList<MediaPtr> items;
    for (const MediaPtr &item : m_activeMedia) {
        if (item->status() == MediaStatus::processing)
            items.append(item);
    }
    return items;
}

BatchProgress JobQueue::progress() const
{
    double inFlight = 0.0;
    for (const MediaPtr &item : convertingMedia())
        inFlight += std::clamp(item->progress(), 0.0, 1.0);
    BatchProgress progress;
    progress.fraction = ProgressMath::overallProgress(m_totals, inFlight);
    if (m_startedAt) {
        progress.elapsedSeconds
            = std::max<qint64>(0, m_startedAt->msecsTo(QDateTime::currentDateTime())) / 1000.0;
        progress.estimate
            = ProgressMath::estimateRemaining(progress.elapsedSeconds, progress.fraction);
    }
    return progress;
}

bool JobQueue::holds(const QUuid &id) const
{
    return m_active.contains(id)
        || std::any_of(m_pending.cbegin(), m_pending.cend(),
                       [&id](const MediaPtr &item) { return item->id() == id; });
}

void JobQueue::startNext()
{
    m_startScheduled = false;
    if (m_active.size() < m_maxConcurrent && !m_pending.isEmpty()) {
        // Items whose output an earlier item of the run claimed fail at once
        // and take no slot. Each leaves the list before it fails, whatever
        // its status change sets off.
        MediaPtr next = m_pending.takeFirst();
        while (next && failIfOutputTaken(next))
            next = m_pending.isEmpty() ? MediaPtr() : m_pending.takeFirst();
        if (next)
            startJob(next);
        // Starting a child process takes a few milliseconds of this thread;
        // one start per pass of the event loop keeps the window responsive
        // while a batch fills many slots at once.
        if (m_active.size() < m_maxConcurrent && !m_pending.isEmpty() && !m_startScheduled) {
            m_startScheduled = true;
            QMetaObject::invokeMethod(this, &JobQueue::startNext, Qt::QueuedConnection);
        }
    }
    if (!m_active.isEmpty() || !m_pending.isEmpty() || !m_isRunning)
        return;

    const Totals finalTotals = m_totals;
    m_isRunning = false;
    m_startedAt.reset();
    m_rules.clear();
    Q_EMIT isRunningChanged();
    Q_EMIT startedAtChanged();
    if (auto completion = std::exchange(m_completion, {}))
        completion();
    setTotals({});
    Q_EMIT runFinished(finalTotals);
}

void JobQueue::startJob(const MediaPtr &item)
{
    const QUuid id = item->id();
    m_activeMedia.append(item);
    MediaJob *job = processMedia(item, m_spec, &m_rules, this);
    m_active.insert(id, job);
    Q_EMIT itemStarted(id);
    connect(job, &Operation::finished, this, [this, job, id] {
        const JobOutcome outcome = job->outcome();
        job->deleteLater();
        jobFinished(id, outcome);
    });
}

void JobQueue::jobFinished(const QUuid &id, const JobOutcome &outcome)
{
    m_active.remove(id);
    m_activeMedia.removeIf([&id](const MediaPtr &item) { return item->id() == id; });
    if (!m_removed.remove(id)) {
        Totals totals = m_totals;
        switch (outcome.kind) {
        case JobOutcomeKind::converted:
        case JobOutcomeKind::skipped:
            ++totals.completed;
            break;
        case JobOutcomeKind::failed:
            ++totals.failed;
            break;
        case JobOutcomeKind::cancelled:
            ++totals.cancelled;
            break;
        }
        setTotals(totals);
    }
    Q_EMIT itemFinished(id, outcome);
    startNext();
}

bool JobQueue::failIfOutputTaken(const MediaPtr &item)
{
    // The path is not resolved: the items of a run share the destination's
    // spelling, and no disk is touched per item.
    const QString output = plannedOutputPath(PlanSource::of(*item), m_spec.target,
                                             m_spec.destination, m_spec.settings);
    const std::optional<QString> message
        = m_rules.claim(item->pathString(), output, m_spec.keepStructure());
    if (!message)
        return false;
    // Refused before a job exists, yet started and ended like any other item.
    const QUuid id = item->id();
    Q_EMIT itemStarted(id);
    item->setErrorMessage(*message);
    item->setStatus(MediaStatus::failed);
    Totals totals = m_totals;
    ++totals.failed;
    setTotals(totals);
    Q_EMIT itemFinished(id, {JobOutcomeKind::failed, *message, output});
    return true;
}

void JobQueue::setTotals(const Totals &totals)
{
    if (m_totals == totals)
        return;
    m_totals = totals;
    Q_EMIT totalsChanged();
}
