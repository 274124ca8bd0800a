// How long does handing a large batch to the job queue take? The window
// waits for it on its main thread, so it must stay linear in the batch.
// Usage: bench_enqueue [items=100000]

#include "conversion/JobQueue.h"
#include "model/MediaTarget.h"
#include "settings/Preferences.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <ctime>

namespace {

double threadCpuMilliseconds()
{
    timespec now {};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// CPU milliseconds for one enqueue of `count` items into a fresh queue.
double enqueueMilliseconds(int count, const QString &folder)
{
    QList<MediaPtr> items;
    items.reserve(count);
    // Made as an import makes them, so they carry their file identity; one
    // file serves for all.
    const QString path = folder + QStringLiteral("/song.flac");
    for (int i = 0; i < count; ++i)
        items << Media::create(path);
    JobQueue queue;
    QElapsedTimer clock;
    clock.start();
    const double cpuStart = threadCpuMilliseconds();
    queue.enqueue(items, MediaTarget::audioTargets().first(), folder, {});
    const double cpu = threadCpuMilliseconds() - cpuStart;
    std::printf("enqueue of %d items: %.1f ms (%.1f ms on this thread's CPU)\n", count,
                clock.nsecsElapsed() / 1e6, cpu);
    queue.cancelAll();
    return cpu;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int count = app.arguments().value(1, "100000").toInt();
    QTemporaryDir work;
    qputenv("XDG_CONFIG_HOME", work.filePath("config").toUtf8());
    Preferences::instance().setSessionOverride(PreferenceKeys::maxConcurrentJobs, 1);
    Preferences::instance().setSessionOverride(PreferenceKeys::openDestinationOnFinish, false);

    QFile song(work.filePath("song.flac"));
    if (!song.open(QIODevice::WriteOnly))
        return 1;
    const double tenth = enqueueMilliseconds(count / 10, work.path());
    const double full = enqueueMilliseconds(count, work.path());
    std::printf("CPU ratio %.1f for ten times the items (10 is linear)\n", full / tenth);
    return 0;
}
