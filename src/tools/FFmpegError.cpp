#include "tools/FFmpegError.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <algorithm>
#include <iterator>

namespace {

// "[libmp3lame @ 0x55d0c…] too many channels" → "too many channels"
QString withoutContext(const QString &line)
{
    static const QRegularExpression context(QStringLiteral(R"(^\[[^\]]* @ 0x[0-9a-fA-F]+\]\s*)"));
    return QString(line).remove(context);
}

// How well a line of ffmpeg's error output states why a conversion failed.
// ffmpeg closes most failures with a summary that names no cause, a broken
// input makes the filter graph fail after it, and encoders add warnings
// while they close; the cause is on another line.
enum class Rank { noise, lastResort, summary, filterConsequence, inputError, cause };

Rank rankOf(const QString &line)
{
    static const QLatin1String noise[] = {QLatin1String("frames left in the queue"),
                                          QLatin1String("Last message repeated"),
                                          QLatin1String("deprecated"),
                                          QLatin1String("Guessed Channel Layout"),
                                          QLatin1String("x265 [info]"),
                                          QLatin1String("x265 [warning]"),
                                          QLatin1String("misdetection possible"),
                                          QLatin1String("Consider increasing the value for the"),
                                          QLatin1String("add a trailing '?' to the map"),
                                          QLatin1String("nvalid SAR")};
    static const QLatin1String summaries[]
        = {QLatin1String("Error initializing output stream"),
           QLatin1String("Error while"),
           QLatin1String("Could not write header for output file"),
           QLatin1String("Output file is empty, nothing was encoded")};
    static const QLatin1String filterConsequences[]
        = {QLatin1String("Error applying options to the filter"),
           QLatin1String("Error marking filters as finished"),
           QLatin1String("Error reinitializing filters"),
           QLatin1String("Failed to inject frame into filter network"),
           QLatin1String("Error configuring filter graph"),
           QLatin1String("Error initializing complex filters"),
           QLatin1String("Error initializing a simple filtergraph"),
           QLatin1String("Error while filtering"),
           QLatin1String("Error while processing the decoded data")};
    const QString text = withoutContext(line);
    const auto contains = [&text](QLatin1String pattern) {
        return text.contains(pattern);
    };
    const auto startsWith = [&text](QLatin1String pattern) {
        return text.startsWith(pattern);
    };
    if (std::any_of(std::begin(noise), std::end(noise), contains))
        return Rank::noise;
    if (text == u"Conversion failed!")
        return Rank::lastResort;
    if (std::any_of(std::begin(filterConsequences), std::end(filterConsequences), startsWith))
        return Rank::filterConsequence;
    if (text.startsWith(u"Error while decoding")
        || text.contains(u"Invalid data found when processing input"))
        return Rank::inputError;
    if (std::any_of(std::begin(summaries), std::end(summaries), startsWith))
        return Rank::summary;
    return Rank::cause;
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
    // "Error while decoding stream #0:0: Invalid data found…" says which
    // stream; the user has one file and wants the reason.
    static const QRegularExpression decoding(QStringLiteral(R"(^Error while decoding stream [^:]*:\d+: )"));
    QString chosen = lines.at(best);
    if (best != lines.size() - 1)
        chosen = withoutContext(chosen);
    chosen.remove(decoding);
    return chosen.isEmpty() ? lines.at(best) : chosen;
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
