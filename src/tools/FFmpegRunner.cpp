#include "tools/FFmpegRunner.h"

#include "tools/ProcessRunner.h"
#include "tools/ToolLocator.h"

QStringList ffmpegArguments(const QString &source, const QString &destination, const FFArgs &args,
                            bool overwrite)
{
    QStringList arguments {QStringLiteral("-nostdin"), QStringLiteral("-hide_banner"),
                           QStringLiteral("-nostats"), QStringLiteral("-loglevel"),
                           QStringLiteral("warning"),  QStringLiteral("-progress"),
                           QStringLiteral("pipe:1")};
    arguments += args.inputOptions;
    arguments << (overwrite ? QStringLiteral("-y") : QStringLiteral("-n"));
    arguments << QStringLiteral("-i") << source;
    arguments += args.outputOptions;
    arguments << destination;
    return arguments;
}

FFmpegRun::FFmpegRun(QObject *parent)
    : Operation(parent)
{
}

FFmpegRun::~FFmpegRun() = default;

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
    else if (m_process->result().exitCode != 0)
        m_failure = FFmpegError::nonZeroExit(m_process->result().exitCode,
                                             m_process->result().stderrTail);
    m_process->deleteLater();
    finish();
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
    auto onStderr = [run](const QString &line) {
        if (run->m_onEvent)
            run->m_onEvent(FFEvent::makeLog(line));
    };
    run->m_process = runProcess(ffmpeg, ffmpegArguments(source, destination, args, overwrite),
                                onStdout, onStderr, run);
    QObject::connect(run->m_process, &Operation::finished, run, &FFmpegRun::onProcessFinished);
    return run;
}

FFmpegRun *runFFmpeg(const QString &source, const QString &destination, const FFArgs &args,
                     bool overwrite, FFEventHandler onEvent, QObject *parent)
{
    return runFFmpegWith(ToolLocator::ffmpegPath(), source, destination, args, overwrite,
                         std::move(onEvent), parent);
}
