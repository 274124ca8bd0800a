// Peak resident memory of `vireo-cli -n` over four small MKV files that each
// hold one 16000x16000 PNG frame (two in 8 bits, two in 16 bits per channel):
// a probe that decoded such a frame would need about a gigabyte per file.
// Baseline: the same dry run over four 64x64 files. Prints both and the ratio.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "BenchSupport.h"

namespace {

using BenchSupport::ffmpeg;
using BenchSupport::split;

// Peak RSS in MiB of one vireo-cli run and its children, or -1.
double peakMiB(const QString &folder, const QString &output)
{
    const QByteArray cli(VIREO_CLI);
    const QByteArray in = QFile::encodeName(folder);
    const QByteArray out = QFile::encodeName(output);
    const pid_t child = ::fork();
    if (child == 0) {
        std::freopen("/dev/null", "w", stdout);
        ::execl(cli.constData(), cli.constData(), "-n", "-q", "-t", "video.webm", "-o",
                out.constData(), in.constData(), static_cast<char *>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    struct rusage usage { };
    if (child < 0 || ::wait4(child, &status, 0, &usage) != child || !WIFEXITED(status))
        return -1;
    return double(usage.ru_maxrss) / 1024.0;
}

bool makeFour(const QString &folder, const char *size)
{
    for (const char *depth : {"rgb24", "rgb48be"}) {
        const QString first = QStringLiteral("%1/%2-a.mkv").arg(folder, QLatin1String(depth));
        const QStringList arguments
            = split("-f lavfi -i") << QStringLiteral("color=c=gray:size=%1").arg(size)
            << split("-frames:v 1 -c:v png -pix_fmt") << QLatin1String(depth);
        if (!ffmpeg(arguments, first)
            || !QFile::copy(first, QStringLiteral("%1/%2-b.mkv").arg(folder, QLatin1String(depth))))
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString small = dir.filePath(QStringLiteral("small"));
    const QString huge = dir.filePath(QStringLiteral("huge"));
    if (!dir.isValid() || !QDir().mkpath(small) || !QDir().mkpath(huge)
        || !makeFour(small, "64x64") || !makeFour(huge, "16000x16000")) {
        std::fprintf(stderr, "could not make the samples\n");
        return 1;
    }
    const qint64 hugeBytes = QFile(huge + QStringLiteral("/rgb48be-a.mkv")).size();
    const double baseline = peakMiB(small, dir.filePath(QStringLiteral("out")));
    const double peak = peakMiB(huge, dir.filePath(QStringLiteral("out")));
    std::printf("16000x16000 PNG in MKV:     %lld bytes (16 bits)\n",
                static_cast<long long>(hugeBytes));
    std::printf("peak RSS, 4 x 64x64:        %.1f MiB\n", baseline);
    std::printf("peak RSS, 4 x 16000x16000:  %.1f MiB\n", peak);
    std::printf("ratio huge / small:         %.2f\n", peak / baseline);
    return peak > 0 && peak < 300 ? 0 : 1;
}
