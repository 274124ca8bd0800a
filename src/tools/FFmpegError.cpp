#include "tools/FFmpegError.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace {

// How well a line of ffmpeg's error output states why a conversion failed.
// ffmpeg closes most failures with a summary that names no cause, and
// encoders add warnings while they close; the cause is on another line.
enum class Rank { noise, lastResort, summary, cause };

Rank rankOf(const QString &line)
{
    static const char *const noise[] = {"frames left in the queue",
                                        "Last message repeated",
                                        "deprecated",
                                        "Guessed Channel Layout",
                                        "x265 [info]",
                                        "x265 [warning]",
                                        "misdetection possible",
                                        "Consider increasing the value for the"};
    for (const char *pattern : noise) {
        if (line.contains(QLatin1String(pattern)))
            return Rank::noise;
    }
    if (line == u"Conversion failed!")
        return Rank::lastResort;
    static const char *const summaries[] = {"Error initializing output stream",
                                            "Error while",
                                            "Could not write header for output file",
                                            "Error marking filters as finished",
                                            "Error reinitializing filters",
                                            "Failed to inject frame into filter network",
                                            "Error configuring filter graph",
                                            "Error initializing complex filters",
                                            "Error initializing a simple filtergraph",
                                            "Output file is empty, nothing was encoded"};
    for (const char *summary : summaries) {
        if (line.startsWith(QLatin1String(summary)))
            return Rank::summary;
    }
    return Rank::cause;
}

// "[libmp3lame @ 0x55d0c…] too many channels" → "too many channels"
QString withoutContext(const QString &line)
{
    static const QRegularExpression context(QStringLiteral(R"(^\[[^\]]* @ 0x[0-9a-fA-F]+\]\s*)"));
    return QString(line).remove(context);
}

} // namespace

QString FFmpegError::errorDescription() const
{
    if (kind == Kind::cancelled)
        return QCoreApplication::translate("FFmpegError", "Cancelled");
    if (kind == Kind::writeFailed)
        return stderrTail;

    QStringList lines = stderrTail.trimmed().split(u'\n', Qt::SkipEmptyParts);
    for (QString &line : lines)
        line = line.trimmed();
    lines.removeAll(QString());
    if (lines.isEmpty())
        return QCoreApplication::translate("FFmpegError", "ffmpeg failed");
    // The best-ranked line; of equals the last, which is nearest the failure.
    qsizetype best = lines.size() - 1;
    for (qsizetype i = best - 1; i >= 0; --i) {
        if (rankOf(lines.at(i)) > rankOf(lines.at(best)))
            best = i;
    }
    if (best == lines.size() - 1)
        return lines.at(best);
    const QString cause = withoutContext(lines.at(best));
    return cause.isEmpty() ? lines.at(best) : cause;
}

QString errorDescription(const FFmpegFailure &failure)
{
    return std::visit([](const auto &error) { return error.errorDescription(); }, failure);
}

bool isCancellation(const FFmpegFailure &failure)
{
    if (const auto *error = std::get_if<FFmpegError>(&failure))
        return error->kind == FFmpegError::Kind::cancelled;
    return std::get<ProcessError>(failure).kind == ProcessError::Kind::cancelled;
}

bool isWriteErrorLine(const QString &line)
{
    static const char *const patterns[]
        = {"No space left on device", "Error writing trailer", "Input/output error",
           "Disk quota exceeded",     "File too large",        "Read-only file system"};
    for (const char *pattern : patterns) {
        if (line.contains(QLatin1String(pattern)))
            return true;
    }
    return false;
}
