// Cost of loudness normalisation: the same batch of FLAC songs converted to
// MP3 by JobQueue with 2 jobs, without and with normalisation (a measuring
// pass, then the conversion with its gain). Runs alternate so that a busy
// machine weighs on both alike; prints wall times and their ratio.
// Usage: bench_loudness [songs=12] [seconds=180] [rounds=1]

#include "conversion/JobQueue.h"
#include "model/MediaTarget.h"
#include "settings/Preferences.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>

#include <cstdio>

#include "BenchSupport.h"

namespace {

// Seconds to convert the songs into `out`; reports any file that failed.
double convert(const QStringList &songs, const QString &out, bool normalize)
{
    Preferences::instance().setValue(PreferenceKeys::normalizeLoudness, normalize);
    QDir(out).removeRecursively();
    QDir().mkpath(out);
    QList<MediaPtr> items;
    for (const QString &song : songs)
        items << MediaPtr(new Media(song, MediaType(MediaGroup::audio, {})), &QObject::deleteLater);
    JobQueue jobs;
    QEventLoop loop;
    QObject::connect(&jobs, &JobQueue::runFinished, &loop, &QEventLoop::quit);
    QElapsedTimer clock;
    clock.start();
    jobs.enqueue(items, MediaTarget::fromId("audio.mp3").value(), out, {});
    loop.exec();
    const double seconds = clock.elapsed() / 1000.0;
    for (const MediaPtr &item : items) {
        if (item->status() != MediaStatus::successful)
            std::printf("  failed: %s: %s\n", qPrintable(item->filename()),
                        qPrintable(item->errorMessage().value_or("")));
    }
    return seconds;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int count = args.value(1, "12").toInt();
    const double length = args.value(2, "180").toDouble();
    const int rounds = std::max(1, args.value(3, "1").toInt());

    QTemporaryDir work;
    qputenv("XDG_CONFIG_HOME", work.filePath("config").toUtf8());
    Preferences &preferences = Preferences::instance();
    preferences.setValue(PreferenceKeys::maxConcurrentJobs, 2);
    preferences.setValue(PreferenceKeys::openDestinationOnFinish, false);
    preferences.setValue(PreferenceKeys::ignoreAlreadyProcessedFiles, false);

    // One song copied, since every copy costs the same.
    QStringList songs;
    for (int i = 0; i < count; ++i) {
        songs << work.filePath(QStringLiteral("song%1.flac").arg(i, 2, 10, QLatin1Char('0')));
        const bool made = i == 0 ? BenchSupport::makeSong(songs.last(), length)
                                 : QFile::copy(songs.first(), songs.last());
        if (!made)
            return 1;
    }

    double plain = 0;
    double normalized = 0;
    for (int round = 0; round < rounds; ++round) {
        plain += convert(songs, work.filePath("plain"), false);
        normalized += convert(songs, work.filePath("normalized"), true);
    }
    std::printf("%d x %.0f-second FLAC to MP3 192k, 2 jobs, %d round(s)\n", count, length, rounds);
    std::printf("  without normalisation : %8.2f s\n", plain / rounds);
    std::printf("  with normalisation    : %8.2f s  ratio %.3f\n", normalized / rounds,
                normalized / plain);
    return 0;
}
