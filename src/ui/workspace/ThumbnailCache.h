#pragma once

#include "model/MediaGroup.h"

#include <QHash>
#include <QImage>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QThreadPool>

#include <atomic>
#include <optional>

// Thumbnails and file sizes of the rows the table shows, made on worker
// threads when a row is first painted and kept while Vireo runs. Stills are
// read with libvips; videos and songs with cover art give their first frame
// through ffmpeg. The main thread never decodes, probes or stats a file here.
class ThumbnailCache final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ThumbnailCache)

public:
    // The box a thumbnail fits in, in pixels.
    static constexpr int width = 40;
    static constexpr int height = 24;
    static constexpr int slotPixelRatio = 2;
    // A transparent thumbnail: the slot of a file that has no picture.
    static QImage emptySlot();

    explicit ThumbnailCache(QObject *parent = nullptr);
    ~ThumbnailCache() override;

    // What is known of the file; asks for it the first time.
    QImage thumbnail(const QString &path, MediaGroup group);
    std::optional<qint64> size(const QString &path, MediaGroup group);

    // Forgets and reads again, e.g. after a conversion wrote the file.
    void forget(const QString &path);

    // How many thumbnails were made on the main thread (none, ever).
    static int madeOnMainThread() { return s_madeOnMainThread; }

Q_SIGNALS:
    // The thumbnail and size of the file are known now.
    void ready(const QString &path);

private:
    struct Entry {
        QImage thumbnail;
        qint64 size = -1;
    };
    struct Request {
        QString path;
        MediaGroup group;
    };

    void request(const QString &path, MediaGroup group);
    void startNext();
    static Entry make(const QString &path, MediaGroup group);

    QHash<QString, Entry> m_entries;
    QSet<QString> m_requested;
    // Newest last: the rows shown now are made first, rows scrolled past
    // long ago are dropped and asked for again if they return.
    QList<Request> m_queue;
    int m_running = 0;
    QThreadPool m_pool;
    static std::atomic<int> s_madeOnMainThread;
};
