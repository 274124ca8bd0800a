// While 16 jobs run, how late does a 10 ms timer on the main thread fire?
// Every job's progress stream, status change and bookkeeping runs on that
// thread, so its longest gap is what a window would feel.
// Usage: bench_queue_responsiveness [files=32] [seconds=20]

#include "conversion/JobQueue.h"
#include "model/MediaTarget.h"
#include "settings/Preferences.h"
#include "tools/ToolLocator.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int files = app.arguments().value(1, "32").toInt();
    const QString seconds = app.arguments().value(2, "20");

    QTemporaryDir work;
    qputenv("XDG_CONFIG_HOME", work.filePath("config").toUtf8());
    Preferences::instance().setValue(PreferenceKeys::maxConcurrentJobs, 16);
    Preferences::instance().setValue(PreferenceKeys::openDestinationOnFinish, false);

    const QString source = work.filePath("song.flac");
    if (QProcess::execute(ToolLocator::ffmpegPath(),
                          {"-y", "-v", "error", "-f", "lavfi", "-i",
                           "anoisesrc=color=pink:amplitude=0.2:duration=" + seconds, source})
        != 0)
        return 1;
    QList<MediaPtr> items;
    for (int i = 0; i < files; ++i) {
        const QString path = work.filePath(QStringLiteral("song%1.flac").arg(i));
        QFile::copy(source, path);
        items << MediaPtr(new Media(path, MediaType(MediaGroup::audio, {})), &QObject::deleteLater);
    }
    QDir().mkpath(work.filePath("out"));

    JobQueue queue;
    QElapsedTimer sinceTick;
    qint64 longestGap = 0;
    qint64 ticks = 0;
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        longestGap = std::max(longestGap, sinceTick.restart());
        ++ticks;
    });
    int progressUpdates = 0;
    for (const MediaPtr &item : items)
        QObject::connect(item.get(), &Media::progressChanged, [&] { ++progressUpdates; });

    QEventLoop loop;
    QObject::connect(&queue, &JobQueue::runFinished, &loop, &QEventLoop::quit);
    QElapsedTimer clock;
    clock.start();
    sinceTick.start();
    timer.start();
    QElapsedTimer enqueueClock;
    enqueueClock.start();
    queue.enqueue(items, MediaTarget::fromId("audio.mp3").value(), work.filePath("out"), {});
    const qint64 enqueueMs = enqueueClock.elapsed();
    loop.exec();
    timer.stop();

    std::printf("%d files, 16 jobs at a time: %.1f s, %lld ticks, %d progress updates\n", files,
                clock.elapsed() / 1000.0, ticks, progressUpdates);
    std::printf("enqueue (starting the first 16 jobs): %lld ms\n", enqueueMs);
    std::printf("longest gap between two 10 ms ticks on the main thread: %lld ms\n", longestGap);
    return 0;
}
