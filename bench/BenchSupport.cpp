#include "BenchSupport.h"

#include "tools/ToolLocator.h"

#include <QFile>
#include <QProcess>

namespace BenchSupport {

QStringList split(const char *text)
{
    return QString::fromLatin1(text).split(u' ');
}

bool ffmpeg(const QStringList &arguments, const QString &output)
{
    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(ToolLocator::ffmpegPath(),
                  split("-y -hide_banner -loglevel error") + arguments + QStringList {output});
    return process.waitForFinished(-1) && process.exitStatus() == QProcess::NormalExit
        && process.exitCode() == 0;
}

bool makeSong(const QString &output, double seconds)
{
    return ffmpeg(
        {"-f", "lavfi", "-i",
         QStringLiteral("anoisesrc=color=pink:amplitude=0.2:sample_rate=44100:duration=%1[n];"
                        "sine=frequency=440:sample_rate=44100:duration=%1[s];"
                        "[n][s]amix=inputs=2,aformat=channel_layouts=stereo")
             .arg(seconds)},
        output);
}

qint64 residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

} // namespace BenchSupport
