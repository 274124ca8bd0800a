// A tool's output stream in arbitrary chunks. The first byte chooses the
// chunk size, the second the tail cap, the third how often the rest repeats
// (so that short inputs still make lines longer than the kept head and tail).
#include "tools/LineBuffer.h"

#include <QString>
#include <QTextBoundaryFinder>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 3)
        return 0;
    const qsizetype chunkSize = 1 + data[0] % 97;
    const qsizetype tailCap = 1 + data[1] % 200;
    const int repeats = 1 + data[2] % 48;
    const QByteArray body(reinterpret_cast<const char *>(data) + 3, qsizetype(size) - 3);

    LineBuffer buffer(
        [](const QString &line) {
            if (line.isEmpty() || line.contains(u'\n') || line.front().isSpace()
                || line.back().isSpace())
                std::abort();
            const qsizetype limit = (LineBuffer::lineHeadBytes + LineBuffer::lineTailBytes) + 1;
            if (line.size() > limit)
                std::abort();
        },
        tailCap);
    for (int r = 0; r < repeats; ++r) {
        for (qsizetype at = 0; at < body.size(); at += chunkSize)
            buffer.append(body.mid(at, chunkSize));
    }
    buffer.flush();
    const QString tail = buffer.tail();
    if (!tail.isEmpty() && !tail.endsWith(u'\n'))
        std::abort();
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, tail);
    qsizetype count = 0;
    while (graphemes.toNextBoundary() != -1)
        ++count;
    if (count > tailCap)
        std::abort();
    return 0;
}
