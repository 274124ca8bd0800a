#include "tools/LineBuffer.h"

#include <QStringDecoder>
#include <QTextBoundaryFinder>

namespace {

// Below U+0300 every code unit is a grapheme of its own (CR LF pairs cannot
// occur: lines are cut at LF and trimmed), which covers what the tools print.
bool isSimpleText(const QString &text)
{
    for (QChar c : text) {
        if (c.unicode() >= 0x0300)
            return false;
    }
    return true;
}

qsizetype graphemeCount(const QString &text)
{
    if (isSimpleText(text))
        return text.size();
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype count = 0;
    while (finder.toNextBoundary() != -1)
        ++count;
    return count;
}

// Position (in code units) after the first `graphemes` graphemes of `text`.
qsizetype graphemeOffset(const QString &text, qsizetype graphemes)
{
    if (isSimpleText(text))
        return graphemes;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype position = 0;
    for (qsizetype i = 0; i < graphemes; ++i) {
        position = finder.toNextBoundary();
        if (position == -1)
            return text.size();
    }
    return position;
}

bool continuesCharacter(char byte)
{
    return (quint8(byte) & 0xC0) == 0x80;
}

// Where to cut `bytes` to at most `limit` bytes without splitting a UTF-8 sequence.
qsizetype headEnd(QByteArrayView bytes, qsizetype limit)
{
    qsizetype end = std::min(limit, bytes.size());
    while (end > 0 && end < bytes.size() && continuesCharacter(bytes[end]))
        --end;
    return end;
}

// The first byte of `bytes` that begins a UTF-8 sequence.
qsizetype tailStart(QByteArrayView bytes)
{
    qsizetype start = 0;
    while (start < bytes.size() && continuesCharacter(bytes[start]))
        ++start;
    return start;
}

bool isTrimmable(QChar c)
{
    // QChar::isSpace covers the Unicode separators, tab, LF, VT, FF, CR and U+0085.
    return c.isSpace();
}

} // namespace

LineBuffer::LineBuffer(LineHandler onLine, qsizetype tailCap)
    : m_onLine(std::move(onLine))
    , m_tailCap(tailCap)
{
}

void LineBuffer::append(const QByteArray &chunk)
{
    qsizetype start = 0;
    qsizetype newline;
    while ((newline = chunk.indexOf('\n', start)) != -1) {
        const QByteArrayView line = QByteArrayView(chunk).sliced(start, newline - start);
        if (m_buffer.isEmpty() && m_head.isEmpty()) {
            acceptLine(line);
        } else {
            keep(line);
            acceptKept();
        }
        start = newline + 1;
    }
    if (start < chunk.size())
        keep(QByteArrayView(chunk).sliced(start));
}

void LineBuffer::flush()
{
    if (!m_buffer.isEmpty() || !m_head.isEmpty())
        acceptKept();
}

void LineBuffer::keep(QByteArrayView part)
{
    m_buffer.append(part);
    if (m_head.isEmpty() && m_buffer.size() > lineHeadBytes + lineTailBytes) {
        const qsizetype cut = headEnd(m_buffer, lineHeadBytes);
        m_head = m_buffer.first(cut > 0 ? cut : lineHeadBytes); // 0: not UTF-8 anyway
        m_buffer.remove(0, m_head.size());
    }
    // Dropping the front only now and then keeps the cost per byte constant.
    if (!m_head.isEmpty() && m_buffer.size() > 2 * lineTailBytes)
        m_buffer.remove(0, m_buffer.size() - lineTailBytes);
}

void LineBuffer::acceptKept()
{
    QByteArray line = std::exchange(m_buffer, {});
    if (!m_head.isEmpty()) {
        QByteArrayView end(line);
        if (end.size() > lineTailBytes)
            end = end.sliced(end.size() - lineTailBytes);
        end = end.sliced(tailStart(end));
        QByteArray joined = std::exchange(m_head, {});
        joined += "\xE2\x80\xA6"; // "…"
        joined += end;
        line = std::move(joined);
    }
    acceptLine(line);
}

void LineBuffer::acceptLine(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString line = decoder.decode(bytes);
    if (decoder.hasError())
        return;

    qsizetype begin = 0;
    qsizetype end = line.size();
    while (begin < end && isTrimmable(line.at(begin)))
        ++begin;
    while (end > begin && isTrimmable(line.at(end - 1)))
        --end;
    if (begin == end)
        return;
    if (begin > 0 || end < line.size())
        line = line.sliced(begin, end - begin);

    QString entry = line + u'\n';
    const qsizetype graphemes = graphemeCount(entry);
    m_tail.push_back({std::move(entry), graphemes});
    m_tailGraphemes += graphemes;
    while (m_tailGraphemes > m_tailCap && !m_tail.empty()) {
        const qsizetype excess = m_tailGraphemes - m_tailCap;
        Piece &front = m_tail.front();
        if (front.graphemes <= excess) {
            m_tailGraphemes -= front.graphemes;
            m_tail.pop_front();
        } else {
            front.text.remove(0, graphemeOffset(front.text, excess));
            front.graphemes -= excess;
            m_tailGraphemes -= excess;
        }
    }

    if (m_onLine)
        m_onLine(line);
}

QString LineBuffer::tail() const
{
    QString text;
    qsizetype size = 0;
    for (const Piece &piece : m_tail)
        size += piece.text.size();
    text.reserve(size);
    for (const Piece &piece : m_tail)
        text += piece.text;
    return text;
}
