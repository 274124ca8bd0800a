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
    if (chunk.isEmpty())
        return;
    m_buffer.append(chunk);
    qsizetype start = 0;
    qsizetype newline;
    while ((newline = m_buffer.indexOf('\n', std::max(start, m_scanFrom))) != -1) {
        acceptLine(QByteArrayView(m_buffer).sliced(start, newline - start));
        start = newline + 1;
    }
    if (start > 0)
        m_buffer.remove(0, start);
    m_scanFrom = m_buffer.size();
}

void LineBuffer::flush()
{
    if (m_buffer.isEmpty())
        return;
    const QByteArray rest = std::exchange(m_buffer, {});
    m_scanFrom = 0;
    acceptLine(rest);
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
