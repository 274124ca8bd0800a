#include "tools/FFmpegError.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace {

// ffmpeg closes most failures with a summary that names no cause; the cause
// is on an earlier line.
bool isGenericSummary(const QString &line)
{
    return line == u"Conversion failed!" || line.startsWith(u"Error initializing output stream")
        || line.startsWith(u"Error while");
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

    const QStringList lines = stderrTail.trimmed().split(u'\n', Qt::SkipEmptyParts);
    if (lines.isEmpty())
        return QCoreApplication::translate("FFmpegError", "ffmpeg failed");
    const QString &last = lines.last();
    if (!isGenericSummary(last))
        return last;
    for (qsizetype i = lines.size() - 2; i >= 0; --i) {
        if (!isGenericSummary(lines.at(i))) {
            const QString cause = withoutContext(lines.at(i).trimmed());
            if (!cause.isEmpty())
                return cause;
        }
    }
    return last;
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
