#include "tools/FFmpegRunner.h"

#include "model/WorkPool.h"
#include "tools/ProcessRunner.h"
#include "tools/ToolLocator.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QtConcurrent>

namespace {

// ffmpeg reads a path as a URL when it starts with a protocol name
// ("concat:", "http:"); with "file:" in front it is always the file.
QString fileUrl(const QString &path)
{
    return QStringLiteral("file:") + QFileInfo(path).absoluteFilePath();
}

// Extensions that ffmpeg reads and writes with its image sequence format,
// which takes a "%d" in a name for a frame number.
bool isImageSequenceName(const QString &path)
{
    static const QStringList extensions {
        QStringLiteral("png"),  QStringLiteral("jpg"), QStringLiteral("jpeg"),
        QStringLiteral("bmp"),  QStringLiteral("tif"), QStringLiteral("tiff"),
        QStringLiteral("webp"), QStringLiteral("tga"), QStringLiteral("ppm"),
        QStringLiteral("pgm"),  QStringLiteral("pbm"), QStringLiteral("pam"),
        QStringLiteral("dpx"),  QStringLiteral("exr"), QStringLiteral("jp2"),
        QStringLiteral("jxl"),  QStringLiteral("sgi"), QStringLiteral("pcx")};
    const QString name = QFileInfo(path).fileName();
    return name.contains(u'%') && extensions.contains(QFileInfo(name).suffix().toLower());
}

} // namespace

QStringList ffmpegArguments(const QString &source, const QString &destination, const FFArgs &args,
                            bool overwrite)
{
    QStringList arguments {QStringLiteral("-nostdin"), QStringLiteral("-hide_banner"),
                           QStringLiteral("-nostats"), QStringLiteral("-loglevel"),
                           QStringLiteral("warning"),  QStringLiteral("-progress"),
                           QStringLiteral("pipe:1")};
    arguments += args.inputOptions;
    arguments << (overwrite ? QStringLiteral("-y") : QStringLiteral("-n"));
    // A "%" in an image's name is part of the name, not a frame number: the
    // input is read and the output written as exactly the file named.
    if (isImageSequenceName(source))
        arguments << QStringLiteral("-f") << QStringLiteral("image2")
                  << QStringLiteral("-pattern_type") << QStringLiteral("none");
    arguments << QStringLiteral("-i") << fileUrl(source);
    if (!args.metadataInput.isEmpty())
        arguments << QStringLiteral("-f") << QStringLiteral("ffmetadata") << QStringLiteral("-i")
                  << fileUrl(ffmetadataPathFor(destination));
    arguments += args.outputOptions;
    if (isImageSequenceName(destination))
        arguments << QStringLiteral("-update") << QStringLiteral("1");
    arguments << fileUrl(destination);
    return arguments;
}

QString ffmetadataPathFor(const QString &destination)
{
    const QFileInfo info(destination);
    const QString stem = info.suffix().isEmpty() ? info.fileName() : info.completeBaseName();
    return info.dir().filePath(stem + QStringLiteral(".ffmeta"));
}

FFmpegRun::FFmpegRun(QObject *parent)
    : Operation(parent)
{
}

FFmpegRun::~FFmpegRun()
{
    removeMetadataInput();
}

QString FFmpegRun::withPaths(QString text) const
{
    for (const auto &[url, path] : m_urls)
        text.replace(url, path);
    return text;
}

void FFmpegRun::onCancel()
{
    if (m_process)
        m_process->cancel();
}

void FFmpegRun::onProcessFinished()
{
    if (const auto &error = m_process->error())
        m_failure = *error;
    else if (isCancelled())
        m_failure = FFmpegError::cancelled();
    // A write error explains a failure better than the summary after it.
    else if (!m_writeError.isEmpty())
        m_failure = FFmpegError::writeFailed(m_process->result().exitCode, m_writeError);
    else if (m_process->result().exitCode != 0) {
        // The failed file is named beside its reason: "/music/a.mp3: Invalid
        // argument" would say it twice.
        QString tail = m_process->result().stderrTail;
        tail.replace(m_urls.first().first + QStringLiteral(": "), QString());
        m_failure = FFmpegError::nonZeroExit(m_process->result().exitCode, withPaths(tail));
    }
    m_process->deleteLater();
    removeMetadataInput();
    finish();
}

void FFmpegRun::removeMetadataInput()
{
    if (!m_metadataPath.isEmpty())
        QFile::remove(std::exchange(m_metadataPath, QString()));
}

FFmpegRun *runFFmpegWith(const QString &ffmpeg, const QString &source, const QString &destination,
                         const FFArgs &args, bool overwrite, FFEventHandler onEvent,
                         QObject *parent)
{
    auto *run = new FFmpegRun(parent);
    if (ffmpeg.isEmpty()) {
        run->m_failure = ProcessError::failedToLaunch(
            ToolLocator::missingToolMessage(QStringLiteral("ffmpeg")));
        run->finish();
        return run;
    }
    run->m_onEvent = std::move(onEvent);
    auto onStdout = [run](const QString &line) {
        if (auto progress = run->m_parser.parseProgressLine(line); progress && run->m_onEvent)
            run->m_onEvent(FFEvent::makeProgress(*progress));
    };
    run->m_urls = {{fileUrl(source), QFileInfo(source).absoluteFilePath()},
                   {fileUrl(destination), QFileInfo(destination).absoluteFilePath()}};
    auto onStderr = [run](const QString &line) {
        if (run->m_writeError.isEmpty() && isWriteErrorLine(line))
            run->m_writeError = run->withPaths(line);
        if (run->m_onEvent)
            run->m_onEvent(FFEvent::makeLog(run->withPaths(line)));
    };
    const QStringList arguments = ffmpegArguments(source, destination, args, overwrite);
    const auto start = [run, ffmpeg, arguments, onStdout, onStderr] {
        run->m_process = runProcess(ffmpeg, arguments, onStdout, onStderr, run);
        QObject::connect(run->m_process, &Operation::finished, run, &FFmpegRun::onProcessFinished);
    };
    if (args.metadataInput.isEmpty()) {
        start();
        return run;
    }
    // Written beside the output, under its temporary name, off this thread.
    run->m_metadataPath = ffmetadataPathFor(destination);
    auto *writing = new QFutureWatcher<bool>(run);
    QObject::connect(writing, &QFutureWatcherBase::finished, run, [run, writing, start] {
        writing->deleteLater();
        if (run->isCancelled() || !writing->result()) {
            run->m_failure = run->isCancelled()
                ? FFmpegFailure(FFmpegError::cancelled())
                : FFmpegFailure(FFmpegError::nonZeroExit(
                    0,
                    QCoreApplication::translate("FFmpegRun", "Could not write %1")
                        .arg(run->m_metadataPath)));
            run->removeMetadataInput();
            return run->finish();
        }
        start();
    });
    writing->setFuture(QtConcurrent::run(
        WorkPool::instance(), [path = run->m_metadataPath, data = args.metadataInput] {
            QFile file(path);
            return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
                && file.write(data) == data.size() && file.flush();
        }));
    return run;
}

FFmpegRun *runFFmpeg(const QString &source, const QString &destination, const FFArgs &args,
                     bool overwrite, FFEventHandler onEvent, QObject *parent)
{
    return runFFmpegWith(ToolLocator::ffmpegPath(), source, destination, args, overwrite,
                         std::move(onEvent), parent);
}
