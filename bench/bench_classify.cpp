// Classifies 10,000 files with common media extensions in nested folders, the
// way an import of a large library does (one file after another, off the main
// thread), and counts the probes: audio and video files are probed for their
// play length, stills and subtitles never. Baseline: one stat() per file.

#include "conversion/ClassificationProbe.h"
#include "model/MediaType.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>
#include <thread>

#include "BenchSupport.h"

namespace {

using BenchSupport::ffmpeg;
using BenchSupport::residentKiB;
using BenchSupport::split;

constexpr int folders = 10;
constexpr int subfolders = 10;
constexpr int filesPerFolder = 100;
// The MIME database reads at most the first few KiB (and only for names it
// cannot place by extension), so the head of a real file is enough.
constexpr qint64 headBytes = 4096;

struct Source {
    const char *ext;
    MediaGroup group;
    QStringList ffmpegArgs; // empty: a text file
    const char *text = nullptr;
};

QByteArray head(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.read(headBytes);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;

    const QStringList tone = split("-f lavfi -i sine=duration=0.5");
    const QStringList video = split("-f lavfi -i testsrc=duration=0.5:size=32x32 -f lavfi -i "
                                    "sine=duration=0.5 -pix_fmt yuv420p");
    const QStringList still = split("-f lavfi -i testsrc=size=32x32 -frames:v 1");
    const QList<Source> sources {
        {"mp3", MediaGroup::audio, tone},
        {"m4a", MediaGroup::audio, tone + split("-c:a aac")},
        {"flac", MediaGroup::audio, tone},
        {"wav", MediaGroup::audio, tone},
        {"ogg", MediaGroup::audio, tone + split("-c:a libvorbis")},
        {"opus", MediaGroup::audio, tone + split("-c:a libopus")},
        {"mp4", MediaGroup::video, video},
        {"mkv", MediaGroup::video, video},
        {"mov", MediaGroup::video, video},
        {"webm", MediaGroup::video, video + split("-c:v libvpx-vp9")},
        // Ambiguous by name: the MIME database reads the content.
        {"ts", MediaGroup::video, video},
        {"png", MediaGroup::image, still},
        {"jpg", MediaGroup::image, still},
        {"webp", MediaGroup::image, still},
        {"srt", MediaGroup::subtitle, {}, "1\n00:00:00,000 --> 00:00:01,000\nHello\n"},
        {"vtt", MediaGroup::subtitle, {}, "WEBVTT\n\n00:00.000 --> 00:00:01.000\nHello\n"},
    };

    QList<QByteArray> heads;
    for (const Source &source : sources) {
        const QString sample = dir.filePath(QStringLiteral("sample.") + QLatin1String(source.ext));
        if (source.ffmpegArgs.isEmpty()) {
            heads << QByteArray(source.text);
            continue;
        }
        if (!ffmpeg(source.ffmpegArgs, sample)) {
            std::fprintf(stderr, "ffmpeg could not make %s\n", qPrintable(sample));
            return 1;
        }
        heads << head(sample);
    }

    QStringList paths;
    QList<MediaGroup> expected;
    const QDir root(dir.filePath(QStringLiteral("library")));
    for (int f = 0; f < folders; ++f) {
        for (int s = 0; s < subfolders; ++s) {
            const QString folder = QStringLiteral("artist %1/album %2").arg(f).arg(s);
            root.mkpath(folder);
            for (int n = 0; n < filesPerFolder; ++n) {
                const int pick
                    = (f * subfolders * filesPerFolder + s * filesPerFolder + n) % sources.size();
                const QString path = root.filePath(QStringLiteral("%1/track %2.%3")
                                                       .arg(folder)
                                                       .arg(n)
                                                       .arg(QLatin1String(sources[pick].ext)));
                QFile file(path);
                if (!file.open(QIODevice::WriteOnly)
                    || file.write(heads[pick]) != heads[pick].size())
                    return 1;
                paths << path;
                expected << sources[pick].group;
            }
        }
    }

    int probes = 0;
    const MediaType::ProbeFunction countingProbe = [&probes](const QString &path) {
        ++probes;
        return probeForClassification(path);
    };

    QElapsedTimer timer;
    timer.start();
    qint64 statSize = 0;
    for (const QString &path : paths)
        statSize += QFileInfo(path).size();
    const qint64 statNs = timer.nsecsElapsed();

    timer.restart();
    int wrong = 0;
    QHash<MediaGroup, int> counts;
    int unexpectedProbes = 0;
    std::thread([&] {
        for (qsizetype i = 0; i < paths.size(); ++i) {
            const int before = probes;
            const MediaGroup group = MediaType::classify(paths[i], countingProbe).group();
            counts[group] += 1;
            if (group != expected[i])
                ++wrong;
            if (probes != before && group != MediaGroup::audio && group != MediaGroup::video)
                ++unexpectedProbes;
        }
    }).join();
    const qint64 classifyNs = timer.nsecsElapsed();

    // The counter must be able to see a probe: a file the MIME database
    // cannot place is probed (on a worker, as probes never run on the main thread).
    const QString unplaced = dir.filePath(QStringLiteral("unplaced.blob"));
    ffmpeg(tone + split("-f matroska"), unplaced);
    const int probesBefore = probes;
    MediaType control;
    std::thread([&] { control = MediaType::classify(unplaced, countingProbe); }).join();

    const double seconds = classifyNs / 1e9;
    std::printf("files:                  %lld in %d folders (%lld bytes)\n",
                static_cast<long long>(paths.size()), folders * subfolders,
                static_cast<long long>(statSize));
    std::printf("classify, total:        %.3f s\n", seconds);
    std::printf("classify, rate:         %.0f files/s\n", paths.size() / seconds);
    std::printf("classify, per file:     %.1f us\n", classifyNs / 1e3 / paths.size());
    std::printf("stat baseline, total:   %.3f s\n", statNs / 1e9);
    std::printf("ratio classify / stat:  %.1f\n", double(classifyNs) / double(statNs));
    std::printf("groups: audio %d, video %d, image %d, subtitle %d, other %d; wrong %d\n",
                counts.value(MediaGroup::audio), counts.value(MediaGroup::video),
                counts.value(MediaGroup::image), counts.value(MediaGroup::subtitle),
                counts.value(MediaGroup::other), wrong);
    std::printf("probes for the 10,000:  %d (%d of files neither audio nor video)\n",
                probesBefore, unexpectedProbes);
    std::printf("control (unplaced file): %d probe, group %s, \"%s\"\n", probes - probesBefore,
                qPrintable(rawValue(control.group())), qPrintable(control.descr()));
    return wrong == 0 && unexpectedProbes == 0 ? 0 : 1;
}
