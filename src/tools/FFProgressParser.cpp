#include "tools/FFProgressParser.h"

#include "tools/NumberSyntax.h"

namespace {

std::optional<double> microsecondsAsSeconds(const QHash<QString, QString> &pending,
                                            const QString &key)
{
    const auto it = pending.constFind(key);
    if (it == pending.cend())
        return std::nullopt;
    if (const auto value = parseInteger(*it))
        return double(*value) / 1000000.0;
    return std::nullopt;
}

} // namespace

std::optional<FFProgress> FFProgressParser::parseProgressLine(const QString &line)
{
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0)
        return std::nullopt;
    const QString key = line.left(equals);
    const QString value = line.mid(equals + 1);
    m_pending.insert(key, value);
    if (key != u"progress")
        return std::nullopt;

    FFProgress progress;
    // ffmpeg writes microseconds under both keys; out_time_ms is the older name.
    progress.outTimeSeconds = microsecondsAsSeconds(m_pending, QStringLiteral("out_time_us"));
    if (!progress.outTimeSeconds)
        progress.outTimeSeconds = microsecondsAsSeconds(m_pending, QStringLiteral("out_time_ms"));
    if (const auto it = m_pending.constFind(QStringLiteral("speed")); it != m_pending.cend()) {
        QString speed = *it;
        speed.remove(u'x');
        qsizetype begin = 0, end = speed.size();
        while (begin < end && (speed[begin] == u' ' || speed[begin] == u'\t'))
            ++begin;
        while (end > begin && (speed[end - 1] == u' ' || speed[end - 1] == u'\t'))
            --end;
        progress.speed = parseDouble(QStringView(speed).sliced(begin, end - begin));
    }
    if (const auto it = m_pending.constFind(QStringLiteral("frame")); it != m_pending.cend())
        progress.frame = parseInteger(*it);
    if (const auto it = m_pending.constFind(QStringLiteral("fps")); it != m_pending.cend())
        progress.fps = parseDouble(*it);
    if (const auto it = m_pending.constFind(QStringLiteral("bitrate")); it != m_pending.cend())
        progress.bitrate = *it;
    progress.isEnd = value == u"end";
    m_pending.clear();
    return progress;
}
