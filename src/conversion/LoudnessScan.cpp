#include "conversion/LoudnessScan.h"

#include "conversion/BatchSettings.h"
#include "tools/ProcessRunner.h"
#include "tools/ToolLocator.h"

namespace {

// The report is a dozen lines; the margin covers warnings printed after it.
constexpr qsizetype tailLines = 48;
// The input's description ends long before this unless something floods it.
constexpr qsizetype headLines = 200;

} // namespace

LoudnessScan::LoudnessScan(QObject *parent)
    : Operation(parent)
{
}

LoudnessScan::~LoudnessScan() = default;

QStringList LoudnessScan::arguments(const QString &source, const BatchSettings &batch,
                                    const std::optional<QString> &channels)
{
    QStringList arguments {QStringLiteral("-nostdin"), QStringLiteral("-hide_banner"),
                           QStringLiteral("-nostats"), QStringLiteral("-loglevel"),
                           QStringLiteral("info"),     QStringLiteral("-progress"),
                           QStringLiteral("pipe:1")};
    arguments << batch.trimStartArguments() << batch.trimEndArguments();
    // The measured audio ends in a sink inside the graph: ffmpeg 5.1 cannot
    // pick a layout for an output from an aformat list once it downmixes.
    // The copied stream only drives the run.
    const QString filter = loudnessMeasuringFilter();
    arguments << QStringLiteral("-i") << source << QStringLiteral("-filter_complex")
              << QStringLiteral("[0:a:0]%1,anullsink")
                     .arg(channels ? *channels + u',' + filter : filter)
              << QStringLiteral("-map") << QStringLiteral("0:a:0") << QStringLiteral("-c:a")
              << QStringLiteral("copy") << QStringLiteral("-f") << QStringLiteral("null")
              << QStringLiteral("-");
    return arguments;
}

void LoudnessScan::onCancel()
{
    if (m_process)
        m_process->cancel();
}

void LoudnessScan::onStderr(const QString &line)
{
    if (!m_headDone) {
        m_headDone = line.startsWith(u"Stream mapping:") || m_head.size() >= headLines;
        m_head << line;
    }
    m_tail << line;
    if (m_tail.size() > tailLines)
        m_tail.removeFirst();
}

void LoudnessScan::onProcessFinished()
{
    const ProcessResult &result = m_process->result();
    if (const auto &error = m_process->error())
        m_failure = *error;
    else if (isCancelled())
        m_failure = FFmpegError::cancelled();
    else if (result.exitCode != 0)
        // The file is named beside the reason already.
        m_failure = FFmpegError::nonZeroExit(
            result.exitCode, m_tail.join(u'\n').replace(m_source + QStringLiteral(": "), QString()));
    else
        m_measurement = LoudnessMeasurement::fromReport(m_head + m_tail);
    m_process->deleteLater();
    finish();
}

LoudnessScan *scanLoudnessWith(const QString &ffmpeg, const QString &source,
                               const BatchSettings &batch, const std::optional<QString> &channels,
                               LoudnessScan::ProgressHandler onProgress, QObject *parent)
{
    auto *scan = new LoudnessScan(parent);
    if (ffmpeg.isEmpty()) {
        scan->m_failure = ProcessError::failedToLaunch(
            ToolLocator::missingToolMessage(QStringLiteral("ffmpeg")));
        scan->finish();
        return scan;
    }
    scan->m_onProgress = std::move(onProgress);
    scan->m_source = source;
    auto onStdout = [scan](const QString &line) {
        const std::optional<FFProgress> progress = scan->m_parser.parseProgressLine(line);
        if (progress && progress->outTimeSeconds && scan->m_onProgress)
            scan->m_onProgress(*progress->outTimeSeconds);
    };
    scan->m_process = runProcess(
        ffmpeg, LoudnessScan::arguments(source, batch, channels), onStdout,
        [scan](const QString &line) { scan->onStderr(line); }, scan);
    QObject::connect(scan->m_process, &Operation::finished, scan, &LoudnessScan::onProcessFinished);
    return scan;
}

LoudnessScan *scanLoudness(const QString &source, const BatchSettings &batch,
                           const std::optional<QString> &channels,
                           LoudnessScan::ProgressHandler onProgress, QObject *parent)
{
    return scanLoudnessWith(ToolLocator::ffmpegPath(), source, batch, channels,
                            std::move(onProgress), parent);
}
