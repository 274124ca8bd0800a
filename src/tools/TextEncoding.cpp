#include "tools/TextEncoding.h"

#include <QByteArray>
#include <QFile>
#include <QStringDecoder>

#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <uchardet.h>
#include <unistd.h>

namespace {

// Subtitles are small; a guess needs far less than this.
constexpr qsizetype readLimit = 4 * 1024 * 1024;

QByteArray readStart(const QString &path)
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
    }
    ::close(fd);
    return bytes;
}

bool isUtf8(QByteArray bytes, bool cut)
{
    // A read that stopped at the limit may end inside a character.
    if (cut)
        bytes.truncate(bytes.lastIndexOf('\n') + 1);
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder(bytes);
    Q_UNUSED(text);
    return !decoder.hasError();
}

} // namespace

std::optional<QString> legacyTextEncoding(const QString &path)
{
    const QByteArray bytes = readStart(path);
    if (bytes.isEmpty() || bytes.startsWith("\xEF\xBB\xBF") || bytes.startsWith("\xFF\xFE")
        || bytes.startsWith("\xFE\xFF") || isUtf8(bytes, bytes.size() == readLimit))
        return std::nullopt;
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
