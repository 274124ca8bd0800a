#pragma once

#include <functional>

#include "model/Media.h"
#include "model/MediaGroup.h"
#include "model/SkippedPath.h"

#include <QList>
#include <QMap>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <QUuid>

class MediaLoad;

// The list of input files: one flat list in import order and the same items
// grouped by MediaGroup. Lives on the main thread and is only touched there;
// imports do their file system and classification work on pool threads.
class MediaSet final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MediaSet)

public:
    explicit MediaSet(QObject *parent = nullptr);
    ~MediaSet() override;

    // The one set of the process, created on first use as a child of the
    // application object. Main thread only.
    static MediaSet &shared();

    // Every item, in the order the loads added them.
    const QList<MediaPtr> &mediaList() const { return m_mediaList; }
    // The grouped view: only groups that hold items, each in mediaList order.
    const QMap<MediaGroup, QList<MediaPtr>> &media() const { return m_media; }
    // True from the start of a load until the first running load ends.
    bool isImporting() const { return m_importing; }
    // What loads could not import, oldest first.
    const QList<SkippedPath> &skippedPaths() const { return m_skippedPaths; }

    // Adds every file that the paths or file: URLs name, expanding folders.
    // Files already listed when the call is made are not added again. The
    // returned operation belongs to this set and finishes after the items
    // were added.
    MediaLoad *load(const QStringList &pathsOrFileUrls);

    void removeGroup(MediaGroup group);
    void remove(const QSet<QUuid> &ids);
    void clear();
    void clearSkippedPaths();

    // How loads started from now on place files that the MIME database
    // cannot: the program installs its media probe. Without one, such files
    // are other.
    void setProbe(MediaType::ProbeFunction probe);
    // A folder that loads started from now on do not enter while expanding
    // the folders they were given: the destination of a run inside its input
    // tree holds outputs, not inputs. Empty for none.
    void setSkippedFolder(const QString &folder);

Q_SIGNALS:
    void mediaChanged();
    // Items that left the list (removal of items or a group, clearing),
    // after mediaChanged().
    void removed(const QSet<QUuid> &ids);
    void isImportingChanged();
    void skippedPathsChanged();

private:
    // Drops the matching items, keeping the order of the others.
    void removeWhere(const std::function<bool(const Media &)> &matches);
    void finishLoad(MediaLoad *load, bool cancelled, const QList<MediaPtr> &items,
                    const QList<SkippedPath> &skipped);
    void rebuildGroups();
    void setImporting(bool importing);

    QList<MediaPtr> m_mediaList;
    QMap<MediaGroup, QList<MediaPtr>> m_media;
    QSet<QString> m_knownPaths; // the paths of m_mediaList
    bool m_importing = false;
    QList<SkippedPath> m_skippedPaths;
    MediaType::ProbeFunction m_probe;
    QString m_skippedFolder;
};
