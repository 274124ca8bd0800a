#pragma once

#include "model/Operation.h"
#include "tools/FFmpegError.h"

#include <QString>

#include <memory>
#include <optional>

// One still image converted on the image path: libvips does the work on a
// thread of the global pool (see writeImage), and the result comes back to
// the thread that started the conversion. libvips writes no WebP here: a
// job's WebP route has it write a PNG that ffmpeg then encodes.
//
// Cancellation does not interrupt libvips: a conversion cancelled while
// libvips works ends at once as cancelled, and the worker removes what it
// wrote once it is done; one cancelled later completes and succeeds.
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

    friend ImageConversion *convertImage(const QString &, const QString &, const QString &, bool,
                                         QObject *);
    explicit ImageConversion(QObject *parent);
    void start(const QString &sourcePath, const QString &outputPath, const QString &ext);
    void onCancel() override;
    void onImageWritten(const std::optional<FFmpegError> &error);
    void fail(const FFmpegFailure &failure);

    QString m_outputPath;
    std::shared_ptr<Worker> m_worker;
    std::optional<FFmpegFailure> m_failure;
};

// Converts the source image into outputPath in the format of targetExt (any
// case). With overwrite off, an existing output fails the conversion with
// "File '<name>' already exists" before anything is read. Failures are
// FFmpegError::nonZeroExit(1, message) from writeImage.
ImageConversion *convertImage(const QString &sourcePath, const QString &outputPath,
                              const QString &targetExt, bool overwrite, QObject *parent = nullptr);
