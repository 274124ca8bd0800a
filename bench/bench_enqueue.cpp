// How long does handing a large batch to the job queue take? The window
// waits for it on its main thread, so it must stay linear in the batch.
// Usage: bench_enqueue [items=100000]

#include "conversion/JobQueue.h"
#include "model/MediaTarget.h"
#include "settings/Preferences.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

namespace {

// Milliseconds for one enqueue of `count` items into a fresh queue.
double enqueueMilliseconds(int count, const QString &folder)
{
    QList<MediaPtr> items;
    items.reserve(count);
    for (int i = 0; i < count; ++i)
        items << MediaPtr(new Media(folder + QStringLiteral("/song%1.flac").arg(i),
                                    MediaType(MediaGroup::audio, {})),
                          &QObject::deleteLater);
    JobQueue queue;
    QElapsedTimer clock;
    clock.start();
    queue.enqueue(items, MediaTarget::audioTargets().first(), folder, {});
    const double elapsed = clock.nsecsElapsed() / 1e6;
    queue.cancelAll();
    return elapsed;
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

    // The items name no file: enqueue's stat of each fails fast, as it does
    // for imported items, which carry their identity instead.
    const double tenth = enqueueMilliseconds(count / 10, work.path());
    const double full = enqueueMilliseconds(count, work.path());
    std::printf("enqueue of %d items: %.1f ms; of %d items: %.1f ms; ratio %.1f (10 is linear)\n",
                count / 10, tenth, count, full, full / tenth);
    return 0;
}
