#include "model/MediaSet.h"

#include "model/MediaLoad.h"
#include "model/WorkPool.h"

#include <QCoreApplication>
#include <QFutureWatcher>
#include <QPointer>
#include <QThread>
#include <QThreadPool>
#include <QtConcurrent>

MediaSet::MediaSet(QObject *parent)
    : QObject(parent)
{
}

MediaSet::~MediaSet() = default;

MediaSet &MediaSet::shared()
{
    Q_ASSERT(QCoreApplication::instance());
    Q_ASSERT(QThread::currentThread() == QCoreApplication::instance()->thread());
    static QPointer<MediaSet> instance;
    if (!instance)
        instance = new MediaSet(QCoreApplication::instance());
    return *instance;
}

void MediaSet::setProbe(MediaType::ProbeFunction probe)
{
    m_probe = std::move(probe);
}

void MediaSet::setSkippedFolder(const QString &folder)
{
    m_skippedFolder = folder;
}

MediaLoad *MediaSet::load(const QStringList &pathsOrFileUrls)
{
    setImporting(true);

    // Overlapping loads each compare with the list as it was when they began:
    // an implicitly shared copy of the listed paths.
    const QSet<QString> known = m_knownPaths;

    auto *load = new MediaLoad(this);
    // A cancelled load ends at once, before its work returns.
    connect(load, &Operation::finished, this, [this] { setImporting(false); });
    const QPointer<MediaLoad> guard(load);
    const std::shared_ptr<std::atomic_bool> stop = load->m_stop;
    QThread *home = thread();

    // The watcher, not the load, receives the result: the caller may delete
    // the load, and the import must land all the same. The task itself holds
    // no pointer to the set, which may be gone when it ends.
    using Watcher = QFutureWatcher<MediaLoad::Found>;
    auto *watcher = new Watcher(this);
    connect(watcher, &Watcher::finished, this, [this, watcher, guard, stop] {
        // Moved out, not copied: the result store, which the pool's task may
        // still share for a moment, must not keep removed items alive.
        const MediaLoad::Found found = watcher->future().takeResult();
        watcher->deleteLater();
        finishLoad(guard, *stop, found.items, found.skipped);
    });
    watcher->setFuture(QtConcurrent::run(
        WorkPool::instance(),
        [inputs = pathsOrFileUrls, known, home, probe = m_probe, skip = m_skippedFolder, stop] {
            return MediaLoad::collect(inputs, known, home, probe, skip, *stop);
        }));
    return load;
}

void MediaSet::finishLoad(MediaLoad *load, bool cancelled, const QList<MediaPtr> &items,
                          const QList<SkippedPath> &skipped)
{
    const QList<MediaPtr> added = cancelled ? QList<MediaPtr>() : items;
    if (!added.isEmpty()) {
        // New items go to the end of the list, so appending them to their
        // groups gives what a full rebuild would, without walking every item.
        m_mediaList += added;
        for (const MediaPtr &item : added) {
            m_media[item->group()].append(item);
            m_knownPaths.insert(item->pathString());
        }
        Q_EMIT mediaChanged();
    }
    if (!skipped.isEmpty()) {
        m_skippedPaths += skipped;
        Q_EMIT skippedPathsChanged();
    }
    setImporting(false);
    if (load)
        load->complete(added, skipped);
}

void MediaSet::removeGroup(MediaGroup group)
{
    removeWhere([group](const Media &item) { return item.group() == group; });
}

void MediaSet::remove(const QSet<QUuid> &ids)
{
    removeWhere([&ids](const Media &item) { return ids.contains(item.id()); });
}

void MediaSet::removeWhere(const std::function<bool(const Media &)> &matches)
{
    QSet<QUuid> gone;
    m_mediaList.removeIf([&matches, &gone](const MediaPtr &item) {
        if (!matches(*item))
            return false;
        gone.insert(item->id());
        return true;
    });
    if (gone.isEmpty())
        return;
    rebuildGroups();
    Q_EMIT removed(gone);
}

void MediaSet::clear()
{
    if (m_mediaList.isEmpty())
        return;
    QSet<QUuid> gone;
    for (const MediaPtr &item : std::as_const(m_mediaList))
        gone.insert(item->id());
    m_mediaList.clear();
    m_media.clear();
    m_knownPaths.clear();
    Q_EMIT mediaChanged();
    Q_EMIT removed(gone);
}

void MediaSet::clearSkippedPaths()
{
    if (m_skippedPaths.isEmpty())
        return;
    m_skippedPaths.clear();
    Q_EMIT skippedPathsChanged();
}

void MediaSet::rebuildGroups()
{
    // QMap orders its keys like the enumeration, which is the group order.
    QMap<MediaGroup, QList<MediaPtr>> grouped;
    QSet<QString> paths;
    paths.reserve(m_mediaList.size());
    for (const MediaPtr &item : std::as_const(m_mediaList)) {
        grouped[item->group()].append(item);
        paths.insert(item->pathString());
    }
    m_media = std::move(grouped);
    m_knownPaths = std::move(paths);
    Q_EMIT mediaChanged();
}

void MediaSet::setImporting(bool importing)
{
    if (m_importing == importing)
        return;
    m_importing = importing;
    Q_EMIT isImportingChanged();
}
