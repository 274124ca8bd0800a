// Imports 10,000 small media files in nested folders into a media set, the
// way a drop of a large library does, and measures how long the load takes
// and how much of it runs on the main thread. The files carry common media
// extensions, so classification needs no probe. Baseline: classifying the
// same files one after another on one thread.

#include "conversion/ClassificationProbe.h"
#include "model/MediaLoad.h"
#include "model/MediaSet.h"
#include "model/MediaType.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <thread>
#include <unistd.h>

#include "BenchSupport.h"

namespace {

using BenchSupport::ffmpeg;
using BenchSupport::residentKiB;
using BenchSupport::split;

constexpr int folders = 10;
constexpr int subfolders = 10;
constexpr int filesPerFolder = 100;
constexpr int probedFiles = 10000;

// Measures the time the main thread spends delivering events: everything a
// load makes it do after load() returned arrives as an event.
class TimingApplication final : public QCoreApplication {
public:
    using QCoreApplication::QCoreApplication;

    bool notify(QObject *receiver, QEvent *event) override
    {
        if (QThread::currentThread() != thread() || m_depth > 0)
            return QCoreApplication::notify(receiver, event);
        ++m_depth;
        QElapsedTimer timer;
        timer.start();
        const bool result = QCoreApplication::notify(receiver, event);
        const qint64 ns = timer.nsecsElapsed();
        --m_depth;
        busyNs += ns;
        longestNs = std::max(longestNs, ns);
        return result;
    }

    void reset()
    {
        busyNs = 0;
        longestNs = 0;
    }

    qint64 busyNs = 0;
    qint64 longestNs = 0;

private:
    int m_depth = 0;
};

bool writeText(const QString &path, const char *text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) > 0;
}

struct Measurement {
    double seconds = 0;
    double loadCallMs = 0;
    double busyMs = 0;
    double longestMs = 0;
    double latencyMs = 0;
    qsizetype added = 0;
};

// One load, from the call to finished(), with a timer that notes how late the
// main thread answers while the load runs.
Measurement measureLoad(TimingApplication &app, MediaSet &set, const QStringList &inputs)
{
    Measurement m;
    QElapsedTimer tick;
    qint64 lastTick = 0;
    qint64 worstGap = 0;
    QTimer heartbeat;
    heartbeat.setInterval(5);
    QObject::connect(&heartbeat, &QTimer::timeout, [&] {
        const qint64 now = tick.nsecsElapsed();
        worstGap = std::max(worstGap, now - lastTick);
        lastTick = now;
    });

    app.reset();
    QElapsedTimer timer;
    timer.start();
    tick.start();
    heartbeat.start();
    MediaLoad *load = set.load(inputs);
    m.loadCallMs = timer.nsecsElapsed() / 1e6;
    bool done = false;
    QObject::connect(load, &Operation::finished, [&done] { done = true; });
    while (!done)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    m.seconds = timer.nsecsElapsed() / 1e9;
    heartbeat.stop();
    m.busyMs = app.busyNs / 1e6;
    m.longestMs = app.longestNs / 1e6;
    // The heartbeat's interval is the expected gap; the rest is lateness.
    m.latencyMs = std::max<qint64>(0, worstGap - 5'000'000) / 1e6;
    m.added = load->added().size();
    delete load;
    return m;
}

void print(const char *title, const Measurement &m)
{
    std::printf("%s\n", title);
    std::printf("  items added:                 %lld\n", static_cast<long long>(m.added));
    std::printf("  load to finished:            %.3f s\n", m.seconds);
    std::printf("  main thread, load() call:    %.2f ms\n", m.loadCallMs);
    std::printf("  main thread, events (total): %.2f ms\n", m.busyMs);
    std::printf("  main thread, hand-back:      %.2f ms (longest event)\n", m.longestMs);
    std::printf("  main thread, worst lateness: %.2f ms (5 ms heartbeat)\n", m.latencyMs);
}

} // namespace

int main(int argc, char **argv)
{
    TimingApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;

    const QStringList tone = split("-f lavfi -i sine=duration=0.5");
    const QStringList video = split("-f lavfi -i testsrc=duration=0.5:size=32x32 -f lavfi -i "
                                    "sine=duration=0.5 -pix_fmt yuv420p");
    const QStringList still = split("-f lavfi -i testsrc=size=32x32 -frames:v 1");
    const QList<std::pair<const char *, QStringList>> made {
        {"mp3", tone},
        {"m4a", tone + split("-c:a aac")},
        {"flac", tone},
        {"wav", tone},
        {"ogg", tone + split("-c:a libvorbis")},
        {"opus", tone + split("-c:a libopus")},
        {"mp4", video},
        {"mkv", video},
        {"mov", video},
        {"webm", video + split("-c:v libvpx-vp9")},
        // Ambiguous by name: the MIME database reads the content.
        {"ts", video},
        {"png", still},
        {"jpg", still},
        {"webp", still},
    };
    QStringList samples;
    for (const auto &[ext, arguments] : made) {
        const QString sample = dir.filePath(QStringLiteral("sample.") + QLatin1String(ext));
        if (!ffmpeg(arguments, sample)) {
            std::fprintf(stderr, "ffmpeg could not make %s\n", qPrintable(sample));
            return 1;
        }
        samples << sample;
    }
    samples << dir.filePath(QStringLiteral("sample.srt"))
            << dir.filePath(QStringLiteral("sample.vtt"));
    if (!writeText(samples.at(samples.size() - 2), "1\n00:00:00,000 --> 00:00:01,000\nHello\n")
        || !writeText(samples.last(), "WEBVTT\n\n00:00.000 --> 00:00:01.000\nHello\n"))
        return 1;

    // Hard links: real files of real size, without writing 10,000 of them.
    const QString library = dir.filePath(QStringLiteral("library"));
    QStringList files;
    qint64 bytes = 0;
    for (int f = 0; f < folders; ++f) {
        for (int s = 0; s < subfolders; ++s) {
            const QString folder
                = QStringLiteral("%1/artist %2/album %3").arg(library).arg(f).arg(s);
            QDir().mkpath(folder);
            for (int n = 0; n < filesPerFolder; ++n) {
                const QString &sample = samples.at(files.size() % samples.size());
                const QString path = QStringLiteral("%1/track %2.%3")
                                         .arg(folder)
                                         .arg(n)
                                         .arg(QFileInfo(sample).suffix());
                if (::link(QFile::encodeName(sample).constData(),
                           QFile::encodeName(path).constData())
                    != 0)
                    return 1;
                files << path;
                bytes += QFileInfo(path).size();
            }
        }
    }

    MediaSet set;
    set.setProbe(&probeForClassification);
    const Measurement first = measureLoad(app, set, {library});
    QHash<MediaGroup, int> counts;
    for (const MediaPtr &item : set.mediaList())
        counts[item->group()] += 1;
    const Measurement again = measureLoad(app, set, {library});

    QElapsedTimer timer;
    timer.start();
    // Audio and video files are probed too, and probes never run on the main thread.
    std::thread([&] {
        for (const QString &file : std::as_const(files))
            MediaType::classify(file, &probeForClassification);
    }).join();
    const double sequential = timer.nsecsElapsed() / 1e9;

    // Files the MIME database cannot place are probed, in-process with
    // libavformat; the main thread must stay free while they are.
    const QString unplaced = dir.filePath(QStringLiteral("unplaced"));
    QDir().mkpath(unplaced);
    const QString blob = dir.filePath(QStringLiteral("sample.blob"));
    if (!ffmpeg(tone + split("-f matroska"), blob))
        return 1;
    QStringList blobs;
    for (int n = 0; n < probedFiles; ++n) {
        const QString path = QStringLiteral("%1/%2.blob").arg(unplaced).arg(n);
        if (::link(QFile::encodeName(blob).constData(), QFile::encodeName(path).constData()) != 0)
            return 1;
        blobs << path;
    }
    MediaSet probedSet;
    probedSet.setProbe(&probeForClassification);
    const Measurement probed = measureLoad(app, probedSet, {unplaced});
    timer.restart();
    int probedAudio = 0;
    // Probes never run on the main thread; one worker stands in for it.
    std::thread([&] {
        for (const QString &file : std::as_const(blobs))
            probedAudio += MediaType::classify(file, &probeForClassification).group()
                    == MediaGroup::audio
                ? 1
                : 0;
    }).join();
    const double probedSequential = timer.nsecsElapsed() / 1e9;

    std::printf("files:                         %lld in %d folders (%lld bytes, %lld samples "
                "hard-linked)\n",
                static_cast<long long>(files.size()), folders * subfolders,
                static_cast<long long>(bytes), static_cast<long long>(samples.size()));
    std::printf("threads in the pool:           %d\n", QThread::idealThreadCount());
    // The first load of the process also reads the MIME database.
    print("first load (all new):", first);
    print("second load (all known):", again);
    std::printf("baseline, classify one by one: %.3f s\n", sequential);
    std::printf("ratio first load / baseline:   %.2f\n", first.seconds / sequential);
    std::printf("groups: audio %d, video %d, image %d, subtitle %d, other %d\n",
                counts.value(MediaGroup::audio), counts.value(MediaGroup::video),
                counts.value(MediaGroup::image), counts.value(MediaGroup::subtitle),
                counts.value(MediaGroup::other));
    std::printf("grouped view: %lld groups, %lld items listed\n",
                static_cast<long long>(set.media().size()),
                static_cast<long long>(set.mediaList().size()));
    print("files that need a probe:", probed);
    std::printf("baseline, classify one by one: %.3f s (%d of %d audio)\n", probedSequential,
                probedAudio, probedFiles);
    std::printf("ratio load / baseline:         %.2f\n", probed.seconds / probedSequential);

    const bool complete = set.mediaList().size() == files.size() && again.added == 0
        && counts.value(MediaGroup::other) == 0 && probed.added == probedFiles
        && probedSet.media().value(MediaGroup::audio).size() == probedFiles;
    return complete ? 0 : 1;
}
