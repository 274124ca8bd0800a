#pragma once

#include "model/Media.h"
#include "model/Operation.h"
#include "model/SkippedPath.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QWeakPointer>

#include <atomic>
#include <memory>

class QThread;

// One import into the media set: running when MediaSet::load() hands it out,
// finished once its items were added to the set. The set owns it; a caller
// may delete it after finished(), and deleting it earlier does not stop the
// import. A cancelled load adds nothing and finishes at once; its work
// stops before the next file.
class MediaLoad final : public Operation {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MediaLoad)

public:
    ~MediaLoad() override;

    // The items this load added, in list order, as far as they still exist
    // (the set may have removed them since). Valid once finished().
    QList<MediaPtr> added() const;
    // Files and folders this load could not import. Valid once finished().
    const QList<SkippedPath> &skipped() const { return m_skipped; }

private:
    friend class MediaSet;

    // What the background work hands back to the main thread.
    struct Found {
        QList<MediaPtr> items;
        QList<SkippedPath> skipped;
    };

    explicit MediaLoad(QObject *parent);
    void onCancel() override;

    // Expands folders (never entering skippedFolder) and creates an item for
    // every file whose path is not in known, in the order the inputs and
    // folder listings give. Blocks: runs on a pool thread. The items are
    // handed to the thread home.
    static Found collect(const QStringList &inputs, const QSet<QString> &known, QThread *home,
                         const MediaType::ProbeFunction &probe, const QString &skippedFolder,
                         const std::atomic_bool &stop);

    // Records what the load added and reported, then finishes.
    void complete(const QList<MediaPtr> &added, const QList<SkippedPath> &skipped);

    // Shared with the background work, which may outlive this object.
    std::shared_ptr<std::atomic_bool> m_stop;
    QList<QWeakPointer<Media>> m_added;
    QList<SkippedPath> m_skipped;
};
