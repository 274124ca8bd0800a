#pragma once

#include <QByteArray>
#include <QString>

#include <deque>
#include <functional>

// Cuts one output stream of a child into trimmed, non-empty UTF-8 lines and
// keeps a bounded tail of the most recent ones. Memory stays bounded however
// much the child prints, also without a line feed: a line longer than
// lineHeadBytes + lineTailBytes keeps only its start and its end, joined by
// "…". Not thread-safe: one stream feeds one buffer, in order.
class LineBuffer final {
    Q_DISABLE_COPY_MOVE(LineBuffer)

public:
    using LineHandler = std::function<void(const QString &)>;

    static constexpr qsizetype defaultTailCap = 16384;
    static constexpr qsizetype lineHeadBytes = 64 * 1024;
    static constexpr qsizetype lineTailBytes = 64 * 1024;

    explicit LineBuffer(LineHandler onLine = {}, qsizetype tailCap = defaultTailCap);

    void append(const QByteArray &chunk);
    // Treats the unterminated remainder as a final line.
    void flush();

    // The most recent lines, each followed by "\n", cut from the front to at
    // most tailCap user-perceived characters.
    QString tail() const;
    qsizetype tailCap() const { return m_tailCap; }

private:
    void keep(QByteArrayView part);
    void acceptKept();
    void acceptLine(QByteArrayView bytes);

    struct Piece {
        QString text;
        qsizetype graphemes;
    };

    LineHandler m_onLine;
    qsizetype m_tailCap;
    QByteArray m_buffer; // the unterminated remainder, or the end of an over-long line
    QByteArray m_head; // the start of an over-long line, once it is one
    std::deque<Piece> m_tail;
    qsizetype m_tailGraphemes = 0;
};
