#include "tools/TextEncoding.h"

#include <QFile>
#include <QStringDecoder>

#include <algorithm>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <uchardet.h>
#include <unistd.h>

namespace {

// Subtitles are small; a file past this is no subtitle file worth reading.
constexpr qsizetype readLimit = 64 * 1024 * 1024;

QByteArray readText(const QString &path)
{
    // O_NONBLOCK: a FIFO named like a subtitle file must not wait for a writer.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return {};
    QByteArray bytes;
    struct stat info { };
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        bytes.resize(qMin(qsizetype(info.st_size), readLimit));
        qsizetype filled = 0;
        while (filled < bytes.size()) {
            const ssize_t count = ::read(fd, bytes.data() + filled, size_t(bytes.size() - filled));
            if (count < 0 && errno == EINTR)
                continue;
            if (count <= 0)
                break;
            filled += count;
        }
        bytes.truncate(filled);
        // A read that stopped at the limit may end inside a character.
        if (filled == readLimit)
            bytes.truncate(bytes.lastIndexOf('\n') + 1);
    }
    ::close(fd);
    return bytes;
}

bool isUtf8(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder(bytes);
    Q_UNUSED(text);
    return !decoder.hasError();
}

bool isAscii(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; });
}

std::optional<QString> guessLegacy(const QByteArray &bytes)
{
    const std::unique_ptr<std::remove_pointer_t<uchardet_t>, decltype(&uchardet_delete)> detector(
        uchardet_new(), &uchardet_delete);
    if (!detector || uchardet_handle_data(detector.get(), bytes.constData(), size_t(bytes.size())))
        return std::nullopt;
    uchardet_data_end(detector.get());
    const QString charset = QString::fromLatin1(uchardet_get_charset(detector.get())).toUpper();
    // A guess of UTF-8 for bytes that are not is no guess.
    if (charset.isEmpty() || charset == u"UTF-8" || charset == u"ASCII")
        return std::nullopt;
    return charset;
}

template<typename Visit> void forEachLine(const QByteArray &bytes, Visit visit)
{
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        end = end < 0 ? bytes.size() : end + 1;
        visit(QByteArrayView(bytes).sliced(start, end - start));
        start = end;
    }
}

} // namespace

TextEncodingGuess guessTextEncoding(const QByteArray &bytes)
{
    if (bytes.isEmpty() || bytes.startsWith("\xEF\xBB\xBF") || bytes.startsWith("\xFF\xFE")
        || bytes.startsWith("\xFE\xFF") || isUtf8(bytes))
        return {};
    // The guess is made from the lines that are not UTF-8 alone: in a file
    // of UTF-8 with some Latin-1 lines, the UTF-8 would mislead it.
    QByteArray foreign;
    bool utf8Beyond = false;
    forEachLine(bytes, [&](QByteArrayView line) {
        if (isAscii(line))
            return;
        if (isUtf8(line))
            utf8Beyond = true;
        else
            foreign += line;
    });
    return {guessLegacy(foreign), utf8Beyond};
}

std::optional<QString> legacyTextEncoding(const QString &path)
{
    const TextEncodingGuess guess = guessTextEncoding(readText(path));
    return guess.mixed ? std::nullopt : guess.legacy;
}
