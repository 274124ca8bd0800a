#include "ui/workspace/ThumbnailCache.h"

#include "conversion/ImagePath.h"
#include "tools/ToolLocator.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QPainter>
#include <QProcess>
#include <QThread>
#include <QtConcurrent>

#include <vips/vips.h>

namespace {

// Two workers: thumbnails must not take the cores a batch converts with.
constexpr int workers = 2;
// Requests beyond these are rows scrolled out of sight long ago.
constexpr qsizetype queuedAtMost = 256;
constexpr int frameTimeoutMs = 10000;

QByteArray firstFramePng(const QString &path)
{
    const QString ffmpeg = ToolLocator::ffmpegPath();
    if (ffmpeg.isEmpty())
        return {};
    QProcess process;
    process.setProgram(ffmpeg);
    // One decoding thread: a thumbnail is one frame, and batches and imports
    // need the cores more.
    process.setArguments({QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-nostdin"),
                          QStringLiteral("-threads"), QStringLiteral("1"), QStringLiteral("-i"),
                          path, QStringLiteral("-map"), QStringLiteral("0:v:0"),
                          QStringLiteral("-frames:v"), QStringLiteral("1"), QStringLiteral("-vf"),
                          QStringLiteral("scale=%1:%2:force_original_aspect_ratio=decrease")
                              .arg(ThumbnailCache::width * 2)
                              .arg(ThumbnailCache::height * 2),
                          QStringLiteral("-f"), QStringLiteral("image2pipe"),
                          QStringLiteral("-c:v"), QStringLiteral("png"), QStringLiteral("-")});
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start();
    if (!process.waitForFinished(frameTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return process.exitCode() == 0 ? process.readAllStandardOutput() : QByteArray();
}

} // namespace

std::atomic<int> ThumbnailCache::s_madeOnMainThread {0};

ThumbnailCache::ThumbnailCache(QObject *parent)
    : QObject(parent)
{
    m_pool.setMaxThreadCount(workers);
}

ThumbnailCache::~ThumbnailCache()
{
    m_queue.clear();
    m_pool.waitForDone();
}

QImage ThumbnailCache::thumbnail(const QString &path, MediaGroup group)
{
    const auto found = m_entries.constFind(path);
    if (found != m_entries.constEnd())
        return found->thumbnail;
    request(path, group);
    return {};
}

std::optional<qint64> ThumbnailCache::size(const QString &path, MediaGroup group)
{
    const auto found = m_entries.constFind(path);
    if (found != m_entries.constEnd())
        return found->size >= 0 ? std::optional(found->size) : std::nullopt;
    request(path, group);
    return std::nullopt;
}

void ThumbnailCache::forget(const QString &path)
{
    m_entries.remove(path);
}

void ThumbnailCache::request(const QString &path, MediaGroup group)
{
    if (m_requested.contains(path))
        return;
    m_requested.insert(path);
    m_queue.append({path, group});
    if (m_queue.size() > queuedAtMost)
        m_requested.remove(m_queue.takeFirst().path);
    startNext();
}

void ThumbnailCache::startNext()
{
    while (m_running < workers && !m_queue.isEmpty()) {
        const Request next = m_queue.takeLast();
        ++m_running;
        auto *watcher = new QFutureWatcher<Entry>(this);
        connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, path = next.path] {
            watcher->deleteLater();
            --m_running;
            m_requested.remove(path);
            m_entries.insert(path, watcher->result());
            Q_EMIT ready(path);
            startNext();
        });
        watcher->setFuture(
            QtConcurrent::run(&m_pool, &ThumbnailCache::make, next.path, next.group));
    }
}

ThumbnailCache::Entry ThumbnailCache::make(const QString &path, MediaGroup group)
{
    if (QThread::currentThread() == QCoreApplication::instance()->thread())
        ++s_madeOnMainThread;
    Entry entry;
    const QFileInfo info(path);
    entry.size = info.exists() ? info.size() : -1;
    QByteArray png;
    if (group == MediaGroup::image) {
        png = thumbnailPng(path, height * 2);
        // Pool threads are not libvips' own: free its per-thread buffers.
        vips_thread_shutdown();
    } else if (group == MediaGroup::video || group == MediaGroup::audio) {
        // A song's cover art is its video stream; a song without one has none.
        png = firstFramePng(path);
    }
    QImage image;
    if (!png.isEmpty() && image.loadFromData(png, "PNG")) {
        entry.thumbnail = emptySlot();
        QImage scaled
            = image.scaled(entry.thumbnail.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
        scaled.setDevicePixelRatio(slotPixelRatio);
        QPainter painter(&entry.thumbnail);
        painter.drawImage(
            QPointF((entry.thumbnail.width() - scaled.width()) / 2.0 / slotPixelRatio,
                    (entry.thumbnail.height() - scaled.height()) / 2.0 / slotPixelRatio),
            scaled);
    }
    return entry;
}

QImage ThumbnailCache::emptySlot()
{
    // Drawn at twice the size so it stays sharp on a screen of that ratio;
    // every row's name starts after the same slot, picture or not.
    QImage slot(width * slotPixelRatio, height * slotPixelRatio,
                QImage::Format_ARGB32_Premultiplied);
    slot.fill(Qt::transparent);
    slot.setDevicePixelRatio(slotPixelRatio);
    return slot;
}
