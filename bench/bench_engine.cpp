// Engine overhead: the same batch converted by plain ffmpeg through
// "xargs -P 2", by JobQueue with 2 jobs, and by vireo-cli -j 2, in one run.
// Prints wall times and the ratios against the baseline, and the share of the
// per-job duration probe and of the output check. Usage: bench_engine [songs=12] [seconds=180]
// [short=200]

#include "conversion/ArgumentBuilder.h"
#include "conversion/HardwareProfile.h"
#include "conversion/JobQueue.h"
#include "conversion/OutputCheck.h"
#include "model/MediaTarget.h"
#include "settings/ConversionSettings.h"
#include "settings/Preferences.h"
#include "tools/FFmpegRunner.h"
#include "tools/MediaProbe.h"
#include "tools/ToolLocator.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <thread>

#include "BenchSupport.h"

namespace {

// Plain ffmpeg with the builder's arguments, two at a time.
double baseline(const QStringList &inputs, const QString &out)
{
    QDir().mkpath(out);
    const MediaTarget mp3 = MediaTarget::fromId("audio.mp3").value();
    const FFArgs args
        = makeFFArgs(mp3, {}, HardwareProfile::software(), ConversionSettings::current());
    QByteArray list;
    qsizetype perCommand = 0;
    for (const QString &input : inputs) {
        const QStringList arguments = ffmpegArguments(
            input, out + u'/' + QFileInfo(input).completeBaseName() + ".mp3", args, true);
        perCommand = arguments.size();
        for (const QString &argument : arguments)
            list += argument.toUtf8() + '\0';
    }
    QProcess xargs;
    QElapsedTimer clock;
    clock.start();
    xargs.start("xargs",
                {"-0", "-P", "2", "-n", QString::number(perCommand), ToolLocator::ffmpegPath()});
    xargs.write(list);
    xargs.closeWriteChannel();
    xargs.waitForFinished(-1);
    const double seconds = clock.elapsed() / 1000.0;
    if (xargs.exitCode() != 0)
        std::printf("  baseline failed: %s\n", xargs.readAllStandardError().constData());
    return seconds;
}

double queue(const QStringList &inputs, const QString &out)
{
    QDir().mkpath(out);
    QList<MediaPtr> items;
    for (const QString &input : inputs)
        items << MediaPtr(new Media(input, MediaType(MediaGroup::audio, {})),
                          &QObject::deleteLater);
    JobQueue jobs;
    QElapsedTimer clock;
    clock.start();
    jobs.enqueue(items, MediaTarget::fromId("audio.mp3").value(), out, {});
    QEventLoop loop;
    QObject::connect(&jobs, &JobQueue::runFinished, &loop, &QEventLoop::quit);
    loop.exec();
    const double seconds = clock.elapsed() / 1000.0;
    for (const MediaPtr &item : items) {
        if (item->status() != MediaStatus::successful)
            std::printf("  failed: %s: %s\n", qPrintable(item->filename()),
                        qPrintable(item->errorMessage().value_or("")));
    }
    return seconds;
}

double cli(const QStringList &inputs, const QString &out)
{
    QElapsedTimer clock;
    clock.start();
    // Folders, not file lists: 200 paths would make a long command line.
    const QString folder = QFileInfo(inputs.first()).absolutePath();
    const int status = QProcess::execute(
        QStringLiteral(VIREO_CLI),
        {"-q", "--no-hwaccel", "-j", "2", "-t", "audio.mp3", "-o", out, folder});
    if (status != 0)
        std::printf("  vireo-cli exited with %d\n", status);
    return clock.elapsed() / 1000.0;
}

// Sequential probes on one worker thread (probes never run on the main one);
// with `target`, each result is judged the way a job checks its output.
double probes(const QStringList &files, const std::optional<MediaTarget> &target = {})
{
    QElapsedTimer clock;
    clock.start();
    int problems = 0;
    std::thread([&] {
        for (const QString &file : files) {
            const std::optional<ProbeResult> probe = probeMedia(file);
            if (target && outputProblem(probe, *target, {file, file, {}}))
                ++problems;
        }
    }).join();
    if (problems)
        std::printf("  %d outputs failed the check\n", problems);
    return clock.elapsed() / 1000.0;
}

void compare(const char *title, const QStringList &inputs, const QString &work)
{
    const double plain = baseline(inputs, work + "/baseline");
    const double engine = queue(inputs, work + "/queue");
    const double terminal = cli(inputs, work + "/cli");
    const double probing = probes(inputs);
    QStringList outputs;
    for (const QFileInfo &file : QDir(work + "/queue").entryInfoList(QDir::Files))
        outputs << file.filePath();
    const double checking = probes(outputs, MediaTarget::fromId("audio.mp3"));
    std::printf("%s (%lld files)\n", title, qlonglong(inputs.size()));
    std::printf("  ffmpeg via xargs -P 2 : %8.2f s  (baseline)\n", plain);
    std::printf("  JobQueue, 2 jobs      : %8.2f s  ratio %.3f  (%+.1f ms per file)\n", engine,
                engine / plain, (engine - plain) * 1000.0 / inputs.size());
    std::printf("  vireo-cli -j 2        : %8.2f s  ratio %.3f  (%+.1f ms per file)\n", terminal,
                terminal / plain, (terminal - plain) * 1000.0 / inputs.size());
    std::printf("  duration probes alone : %8.2f s  (%.1f ms per file, sequential)\n", probing,
                probing * 1000.0 / inputs.size());
    std::printf("  output checks alone   : %8.2f s  (%.2f ms per file, sequential)\n", checking,
                checking * 1000.0 / qMax(outputs.size(), qsizetype(1)));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int songs = args.value(1, "12").toInt();
    const double length = args.value(2, "180").toDouble();
    const int shortCount = args.value(3, "200").toInt();

    QTemporaryDir work;
    qputenv("XDG_CONFIG_HOME", work.filePath("config").toUtf8());
    Preferences::instance().setValue(PreferenceKeys::maxConcurrentJobs, 2);
    Preferences::instance().setValue(PreferenceKeys::openDestinationOnFinish, false);

    QDir().mkpath(work.filePath("songs"));
    QStringList long_;
    for (int i = 0; i < songs; ++i) {
        long_ << work.filePath(QStringLiteral("songs/song%1.flac").arg(i, 2, 10, QLatin1Char('0')));
        if (!BenchSupport::makeSong(long_.last(), length))
            return 1;
    }
    QDir().mkpath(work.filePath("short"));
    QStringList short_;
    for (int i = 0; i < shortCount; ++i) {
        short_ << work.filePath(QStringLiteral("short/clip%1.wav").arg(i, 3, 10, QLatin1Char('0')));
        if (i == 0 ? !BenchSupport::makeSong(short_.last(), 1.0)
                   : !QFile::copy(short_.first(), short_.last()))
            return 1;
    }
    compare(qPrintable(QStringLiteral("%1-second FLAC songs to MP3 192k").arg(length)), long_,
            work.filePath("long"));
    compare("1-second WAV files to MP3 192k", short_, work.filePath("short-out"));
    return 0;
}
