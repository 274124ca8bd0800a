// Reads of preferences from a 50 MB settings file (a user's presets grown
// huge, or a file that something else filled), against the same reads from a
// small file: a conversion reads seven of them per file, 10 files here.

#include "settings/Preferences.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {

double secondsForReads(int reads)
{
    QElapsedTimer timer;
    timer.start();
    const Preferences &preferences = Preferences::instance();
    for (int i = 0; i < reads; ++i)
        (void)preferences.value(PreferenceKeys::videoQuality);
    return timer.nsecsElapsed() / 1e9;
}

bool writeStore(const QString &path, qint64 fillerBytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    file.write("[General]\nvideo%20quality=26\n");
    const QByteArray line = "filler" + QByteArray(994, 'x') + '\n';
    for (qint64 written = 0; written < fillerBytes; written += line.size())
        file.write(QByteArray("k") + QByteArray::number(written) + '=' + line);
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    QCoreApplication app(argc, argv);
    const QString path = Preferences::instance().fileName();
    QDir().mkpath(QFileInfo(path).path());
    constexpr int reads = 10 * 7;

    // Written behind the store's back: read it now rather than when the
    // watcher's notice comes round in an event loop.
    if (!writeStore(path, 0))
        return 1;
    Preferences::instance().reload();
    const double small = secondsForReads(reads);
    if (!writeStore(path, 50 * 1000 * 1000))
        return 1;
    Preferences::instance().reload();
    const double large = secondsForReads(reads);
    const double again = secondsForReads(reads);
    std::printf("%d reads, small file      : %8.4f s\n", reads, small);
    std::printf("%d reads, 50 MB file      : %8.4f s  ratio %.1f\n", reads, large, large / small);
    std::printf("%d more reads, 50 MB file : %8.4f s  ratio %.1f\n", reads, again, again / small);
    return 0;
}
