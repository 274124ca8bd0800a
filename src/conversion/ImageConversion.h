#pragma once

#include "model/Operation.h"
#include "tools/FFmpegError.h"

#include <QPointer>
#include <QString>

#include <memory>
#include <optional>

class FFmpegRun;

// One still image converted on the image path: libvips does the work on a
// thread of the global pool (see writeImage), and the result comes back to
// the thread that started the conversion. WebP goes through a temporary PNG
// that ffmpeg then encodes; that PNG is removed on every path, also when the
// conversion is deleted while it runs.
//
// Cancellation does not interrupt libvips: a cancelled conversion to any
// other format completes and succeeds. A cancelled WebP conversion stops its
// ffmpeg step (or never starts it) and fails as cancelled.
class ImageConversion final : public Operation {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ImageConversion)

public:
    ~ImageConversion() override;

    bool succeeded() const { return isFinished() && !m_failure; }
    // Valid once finished(); nothing on success.
    const std::optional<FFmpegFailure> &failure() const { return m_failure; }

private:
    struct Worker;

    friend ImageConversion *convertImageWith(const QString &, const QString &, const QString &,
                                             const QString &, bool, QObject *);
    explicit ImageConversion(QObject *parent);
    void start(const QString &sourcePath, const QString &outputPath, const QString &ext);
    void onCancel() override;
    void onImageWritten(const std::optional<FFmpegError> &error);
    void onFFmpegFinished();
    void removeTemporaryPng();
    void fail(const FFmpegFailure &failure);

    QString m_ffmpeg;
    QString m_outputPath;
    bool m_overwrite = false;
    QString m_temporaryPng;
    std::shared_ptr<Worker> m_worker;
    QPointer<FFmpegRun> m_ffmpegRun;
    std::optional<FFmpegFailure> m_failure;
};

// Converts the source image into outputPath in the format of targetExt (any
// case). With overwrite off, an existing output fails the conversion with
// "File '<name>' already exists" before anything is read. Failures are
// FFmpegError::nonZeroExit(1, message) from writeImage, or what the ffmpeg
// step of a WebP conversion reports.
ImageConversion *convertImage(const QString &sourcePath, const QString &outputPath,
                              const QString &targetExt, bool overwrite, QObject *parent = nullptr);

// The same with an explicit ffmpeg for the WebP step, for tests.
ImageConversion *convertImageWith(const QString &ffmpeg, const QString &sourcePath,
                                  const QString &outputPath, const QString &targetExt,
                                  bool overwrite, QObject *parent = nullptr);
