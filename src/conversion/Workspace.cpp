#include "conversion/Workspace.h"

#include "conversion/SuccessSignature.h"
#include "model/MediaSet.h"
#include "settings/ConversionSettings.h"

namespace {

bool offers(MediaGroup group, const MediaTarget &target)
{
    return MediaTarget::targets(group).contains(target)
        || MediaTarget::extras(group).contains(target);
}

} // namespace

Workspace::Workspace(MediaSet *set, QObject *parent)
    : QObject(parent)
    , m_target(MediaTarget::initialTarget(MediaGroup::other))
{
    // Settings may have been changed from the preferences window while the
    // run went on; what it converted with the old ones is stale now.
    connect(&m_queue, &JobQueue::runFinished, this, &Workspace::resetStaleItems);
    ConversionSettings::onChanged(this, [this] { resetStaleItems(); });
    if (set)
        connect(set, &MediaSet::removed, &m_queue, &JobQueue::remove);
}

Workspace::~Workspace() = default;

void Workspace::setGroup(MediaGroup group, const QList<MediaPtr> &media)
{
    const bool groupChanged = group != m_group;
    m_group = group;
    if (groupChanged && group != MediaGroup::other && !offers(group, m_target)) {
        m_target = m_targetPerGroup.value(group, MediaTarget::initialTarget(group));
        Q_EMIT selectedTargetChanged();
    }
    m_media = media;
    if (groupChanged)
        Q_EMIT this->groupChanged();
    Q_EMIT mediaChanged();
    resetStaleItems();
}

void Workspace::setSelectedTarget(const MediaTarget &target)
{
    const bool changed = target.id != m_target.id;
    m_target = target;
    m_targetPerGroup.insert(target.group, target);
    Q_EMIT selectedTargetChanged();
    if (changed)
        resetStaleItems();
}

void Workspace::setBatch(const BatchSettings &batch)
{
    if (batch == m_batch)
        return;
    m_batch = batch;
    Q_EMIT batchChanged();
    resetStaleItems();
}

bool Workspace::canProcess() const
{
    // "Other" holds files of no known type: there is nothing to convert.
    return m_group != MediaGroup::other && !m_queue.isRunning() && !m_media.isEmpty();
}

void Workspace::process(const QString &folder, const QList<MediaPtr> &order)
{
    if (!canProcess())
        return;
    m_queue.enqueue(order.isEmpty() ? m_media : order, m_target, folder, m_batch);
}

void Workspace::resetStaleItems()
{
    const QString signature = successSignature(m_target, m_batch);
    for (const MediaPtr &item : std::as_const(m_media))
        item->resetIfStale(signature);
}
