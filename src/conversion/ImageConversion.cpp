#include "conversion/ImageConversion.h"

#include "conversion/ImagePath.h"
#include "model/WorkPool.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QMutex>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

#include <vips/vips.h>

// Shared with the pool thread, which may outlive the conversion.
struct ImageConversion::Worker {
    QMutex mutex;
    bool running = true;
    bool abandoned = false;
};

ImageConversion::ImageConversion(QObject *parent)
    : Operation(parent)
{
}

ImageConversion::~ImageConversion()
{
    // A running worker removes what it writes itself once it is done.
    if (m_worker) {
        QMutexLocker lock(&m_worker->mutex);
        m_worker->abandoned = true;
    }
}

void ImageConversion::start(const QString &sourcePath, const QString &written,
                            const QString &writtenExt)
{
    m_worker = std::make_shared<Worker>();
    using Result = std::optional<FFmpegError>;
    auto *watcher = new QFutureWatcher<Result>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher] {
        const Result result = watcher->result();
        watcher->deleteLater();
        onImageWritten(result);
    });
    watcher->setFuture(QtConcurrent::run(
        WorkPool::instance(), [worker = m_worker, sourcePath, written, writtenExt] {
            const Result result = writeImage(sourcePath, written, writtenExt);
            // Pool threads are not libvips' own: free its per-thread buffers.
            vips_thread_shutdown();
            QMutexLocker lock(&worker->mutex);
            worker->running = false;
            // Nobody is left to take the file: an output that its owner (a job
            // being torn down) will never commit.
            if (worker->abandoned)
                QFile::remove(written);
            return result;
        }));
}

void ImageConversion::onCancel()
{
    // libvips cannot be interrupted: the worker finishes on its own and,
    // abandoned, removes what it wrote; the conversion ends now.
    if (m_worker) {
        QMutexLocker lock(&m_worker->mutex);
        if (!m_worker->running)
            return;
        m_worker->abandoned = true;
    }
    fail(FFmpegError::cancelled());
}

void ImageConversion::onImageWritten(const std::optional<FFmpegError> &error)
{
    if (isFinished())
        return;
    // Written after a cancel: the result is not wanted.
    if (isCancelled()) {
        QFile::remove(m_outputPath);
        fail(FFmpegError::cancelled());
        return;
    }
    if (error)
        return fail(*error);
    finish();
}

void ImageConversion::fail(const FFmpegFailure &failure)
{
    m_failure = failure;
    finish();
}

ImageConversion *convertImage(const QString &sourcePath, const QString &outputPath,
                              const QString &targetExt, bool overwrite, QObject *parent)
{
    auto *conversion = new ImageConversion(parent);
    if (!overwrite && QFileInfo::exists(outputPath)) {
        conversion->fail(FFmpegError::nonZeroExit(
            1,
            QCoreApplication::translate("ImageConversion", "File '%1' already exists")
                .arg(QFileInfo(outputPath).fileName())));
        return conversion;
    }
    conversion->m_outputPath = outputPath;
    conversion->start(sourcePath, outputPath, targetExt.toLower());
    return conversion;
}
