// The in-process media probe over any bytes. The first byte picks the file
// name's extension, which lends its weight to format detection; the rest is
// the file.

#include "tools/MediaProbe.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>

#include <array>
#include <cstddef>
#include <cstdint>
#include <unistd.h>

namespace {

constexpr std::array<const char *, 16> extensions {
    "mp4", "mkv", "webm", "flv", "ogg", "ts",  "avi", "mov",
    "mp3", "wav", "flac", "m4a", "png", "srt", "nfo", "bin",
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    static const QByteArray folder = qgetenv("TMPDIR").isEmpty() ? "/tmp" : qgetenv("TMPDIR");
    const QString path = QStringLiteral("%1/vireo-fuzz-probe-%2.%3")
                             .arg(QFile::decodeName(folder))
                             .arg(::getpid())
                             .arg(QLatin1String(extensions[data[0] % extensions.size()]));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    file.write(reinterpret_cast<const char *>(data + 1), qint64(size - 1));
    file.close();
    (void)probeMedia(path);
    QFile::remove(path);
    return 0;
}
