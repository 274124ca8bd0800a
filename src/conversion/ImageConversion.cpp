#include "conversion/ImageConversion.h"

#include "conversion/ImagePath.h"
#include "tools/FFmpegRunner.h"
#include "tools/ToolLocator.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QMutex>
#include <QThreadPool>
#include <QUuid>
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
    // Stop ffmpeg before its input goes away.
    delete m_ffmpegRun;
    bool workerRunning = false;
    if (m_worker) {
        QMutexLocker lock(&m_worker->mutex);
        m_worker->abandoned = true;
        workerRunning = m_worker->running;
    }
    // A running worker removes what it writes itself once it is done.
    if (!workerRunning)
        removeTemporaryPng();
}

void ImageConversion::start(const QString &sourcePath, const QString &outputPath,
                            const QString &ext)
{
    QString written = outputPath;
    QString writtenExt = ext;
    if (ext == u"webp") {
        m_temporaryPng = QDir(QDir::tempPath())
                             .filePath(QUuid::createUuid().toString(QUuid::WithoutBraces)
                                       + QStringLiteral(".png"));
        written = m_temporaryPng;
        writtenExt = QStringLiteral("png");
    }

    m_worker = std::make_shared<Worker>();
    using Result = std::optional<FFmpegError>;
    auto *watcher = new QFutureWatcher<Result>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher] {
        const Result result = watcher->result();
        watcher->deleteLater();
        onImageWritten(result);
    });
    watcher->setFuture(QtConcurrent::run(
        QThreadPool::globalInstance(), [worker = m_worker, sourcePath, written, writtenExt] {
            const Result result = writeImage(sourcePath, written, writtenExt);
            // Pool threads are not libvips' own: free its per-thread buffers.
            vips_thread_shutdown();
            QMutexLocker lock(&worker->mutex);
            worker->running = false;
            // Nobody is left to take the file: the temporary PNG, or an output
            // that its owner (a job being torn down) will never commit.
            if (worker->abandoned)
                QFile::remove(written);
            return result;
        }));
}

void ImageConversion::onCancel()
{
    if (m_ffmpegRun)
        return m_ffmpegRun->cancel();
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
        QFile::remove(m_temporaryPng.isEmpty() ? m_outputPath : m_temporaryPng);
        m_temporaryPng.clear();
        fail(FFmpegError::cancelled());
        return;
    }
    if (error) {
        removeTemporaryPng();
        fail(*error);
        return;
    }
    if (m_temporaryPng.isEmpty()) {
        finish();
        return;
    }
    m_ffmpegRun = runFFmpegWith(m_ffmpeg, m_temporaryPng, m_outputPath, FFArgs {}, m_overwrite,
                                FFEventHandler {}, this);
    connect(m_ffmpegRun, &Operation::finished, this, &ImageConversion::onFFmpegFinished);
}

void ImageConversion::onFFmpegFinished()
{
    removeTemporaryPng();
    const std::optional<FFmpegFailure> failure = m_ffmpegRun->failure();
    m_ffmpegRun->deleteLater();
    if (failure)
        fail(*failure);
    else
        finish();
}

void ImageConversion::removeTemporaryPng()
{
    if (!m_temporaryPng.isEmpty())
        QFile::remove(m_temporaryPng);
    m_temporaryPng.clear();
}

void ImageConversion::fail(const FFmpegFailure &failure)
{
    m_failure = failure;
    finish();
}

ImageConversion *convertImageWith(const QString &ffmpeg, const QString &sourcePath,
                                  const QString &outputPath, const QString &targetExt,
                                  bool overwrite, QObject *parent)
{
    auto *conversion = new ImageConversion(parent);
    if (!overwrite && QFileInfo::exists(outputPath)) {
        conversion->fail(FFmpegError::nonZeroExit(
            1,
            QCoreApplication::translate("ImageConversion", "File '%1' already exists")
                .arg(QFileInfo(outputPath).fileName())));
        return conversion;
    }
    conversion->m_ffmpeg = ffmpeg;
    conversion->m_outputPath = outputPath;
    conversion->m_overwrite = overwrite;
    conversion->start(sourcePath, outputPath, targetExt.toLower());
    return conversion;
}

ImageConversion *convertImage(const QString &sourcePath, const QString &outputPath,
                              const QString &targetExt, bool overwrite, QObject *parent)
{
    return convertImageWith(ToolLocator::ffmpegPath(), sourcePath, outputPath, targetExt, overwrite,
                            parent);
}
