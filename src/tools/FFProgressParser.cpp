#include "tools/FFProgressParser.h"

#include "tools/NumberSyntax.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace {

// Only these keys are kept: a tool that prints endless other keys without
// closing a block must not grow the parser.
const QStringList readKeys {QStringLiteral("out_time_us"), QStringLiteral("out_time_ms"),
                            QStringLiteral("speed"),       QStringLiteral("frame"),
                            QStringLiteral("fps"),         QStringLiteral("bitrate")};

// A rate below zero or not finite is no measurement.
std::optional<double> measurement(std::optional<double> value)
{
    if (value && std::isfinite(*value) && *value >= 0)
        return value;
    return std::nullopt;
}

std::optional<double> microsecondsAsSeconds(const QHash<QString, QString> &pending,
                                            const QString &key)
{
    const auto it = pending.constFind(key);
    if (it == pending.cend())
        return std::nullopt;
    if (const auto value = parseInteger(*it))
        return std::max(0.0, double(*value) / 1000000.0); // before the start is the start
    return std::nullopt;
}

} // namespace

std::optional<FFProgress> FFProgressParser::parseProgressLine(const QString &line)
{
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0)
        return std::nullopt;
    const QStringView key = QStringView(line).first(equals);
    const QStringView value = QStringView(line).sliced(equals + 1);
    if (key != u"progress") {
        if (readKeys.contains(key))
            m_pending.insert(key.toString(), value.toString());
        return std::nullopt;
    }

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
        progress.speed = measurement(parseDouble(QStringView(speed).sliced(begin, end - begin)));
    }
    if (const auto it = m_pending.constFind(QStringLiteral("frame")); it != m_pending.cend()) {
        if (const auto frame = parseInteger(*it); frame && *frame >= 0)
            progress.frame = frame;
    }
    if (const auto it = m_pending.constFind(QStringLiteral("fps")); it != m_pending.cend())
        progress.fps = measurement(parseDouble(*it));
    if (const auto it = m_pending.constFind(QStringLiteral("bitrate")); it != m_pending.cend())
        progress.bitrate = *it;
    progress.isEnd = value == u"end";
    m_pending.clear();
    return progress;
}
