// How well the main window keeps answering while 10,000 files are imported
// into it: a 10 ms timer runs on the UI thread, and the longest gap between
// two of its ticks is what a user would feel as a stall (the goal is at most
// 100 ms). Three imports into a shown window on the offscreen platform:
//   - one folder of 10,000 files (one load), onto the splash screen;
//   - a drop of 10,000 files on the splash screen (one load per item);
//   - a drop of 10,000 more files on the sidebar while 10,000 are listed.
// The files carry common media extensions, so classification needs no probe.
//
// `bench_ui_responsiveness run` measures every main-thread event instead (the
// time each one takes to deliver; the goal is at most 50 ms, p99 and longest
// reported): an import of 3,700 files, a two-job run of 3,200 half-second
// files and a two-job run of 1,000 one-second files, in the shown window.
// `bench_ui_responsiveness import` measures only that import, `seconds` that
// import and the run of 1,000 files. Without an
// argument it runs the imports above, with "all" everything.

#include "conversion/JobQueue.h"
#include "model/MediaLoad.h"
#include "model/MediaSet.h"
#include "settings/Preferences.h"
#include "ui/main/ContentView.h"
#include "ui/main/GroupSidebar.h"
#include "ui/main/OpenPanel.h"
#include "ui/main/SplashScreen.h"
#include "ui/workspace/SnapshotView.h"

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QMainWindow>
#include <QMimeData>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <unistd.h>
#include <vector>

#include "BenchSupport.h"

namespace {

using BenchSupport::ffmpeg;
using BenchSupport::residentKiB;
using BenchSupport::split;

constexpr int folders = 10;
constexpr int subfolders = 10;
constexpr int filesPerFolder = 100;
constexpr int tickMs = 10;
constexpr double goalMs = 100;

// 10,000 hard links to the samples in nested folders: real files of real
// size without writing 10,000 of them.
QStringList makeLibrary(const QString &root, const QStringList &samples)
{
    QStringList files;
    for (int f = 0; f < folders; ++f) {
        for (int s = 0; s < subfolders; ++s) {
            const QString folder = QStringLiteral("%1/artist %2/album %3").arg(root).arg(f).arg(s);
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
                    return {};
                files << path;
            }
        }
    }
    return files;
}

// Runs the event loop until `done` holds. (processEvents with a time limit
// never sleeps, so a loop of those would spin a core the conversions need.)
void waitUntil(const std::function<bool()> &done)
{
    QTimer wake;
    wake.start(20);
    while (!done())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void waitFor(int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    waitUntil([&] { return clock.elapsed() >= milliseconds; });
}

qsizetype runningLoads()
{
    return MediaSet::shared().findChildren<MediaLoad *>(Qt::FindDirectChildrenOnly).size();
}

// CPU time of the calling thread: on a busy machine a gap may be the
// scheduler's doing rather than work of the window's.
qint64 threadCpuNs()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

struct Measurement {
    double seconds = 0;
    double longestGapMs = 0;
    double longestGapCpuMs = 0;
    double mostCpuInGapMs = 0;
    double startMs = 0;
    qsizetype listed = 0;
};

// Runs the import that start() begins, with the heartbeat ticking, until no
// load is left and the window has had a moment to settle.
template<typename Start> Measurement measure(Start start)
{
    Measurement m;
    QElapsedTimer clock;
    qint64 lastTick = 0;
    qint64 longest = 0;
    qint64 lastCpu = threadCpuNs();
    qint64 longestCpu = 0;
    qint64 mostCpu = 0;
    QTimer heartbeat;
    heartbeat.setTimerType(Qt::PreciseTimer);
    heartbeat.setInterval(tickMs);
    QObject::connect(&heartbeat, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        const qint64 cpu = threadCpuNs();
        if (now - lastTick > longest) {
            longest = now - lastTick;
            longestCpu = cpu - lastCpu;
        }
        mostCpu = std::max(mostCpu, cpu - lastCpu);
        lastTick = now;
        lastCpu = cpu;
    });
    clock.start();
    heartbeat.start();
    start();
    m.startMs = clock.nsecsElapsed() / 1e6;
    waitUntil([] { return runningLoads() == 0; });
    m.seconds = clock.nsecsElapsed() / 1e9;
    // Whatever the window does after the last load landed counts too.
    waitFor(300);
    heartbeat.stop();
    m.longestGapMs = longest / 1e6;
    m.longestGapCpuMs = longestCpu / 1e6;
    m.mostCpuInGapMs = mostCpu / 1e6;
    m.listed = MediaSet::shared().mediaList().size();
    return m;
}

void drop(QWidget *target, const QStringList &files)
{
    QList<QUrl> urls;
    urls.reserve(files.size());
    for (const QString &file : files)
        urls.append(QUrl::fromLocalFile(file));
    QMimeData data;
    data.setUrls(urls);
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent event(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

// Times the delivery of every event of the main thread (nested deliveries
// count in the outer one) while recording.
class TimedApplication final : public QApplication {
public:
    using QApplication::QApplication;

    bool recording = false;
    std::vector<qint64> nanoseconds;
    // The same on a CPU: the wall time also holds what the scheduler gave
    // to other processes.
    std::vector<qint64> cpuNanoseconds;
    qint64 longest = 0;
    QString longestWhat;
    QStringList overGoal; // the first ten
    QElapsedTimer since;
    QStringList nested;

    bool notify(QObject *receiver, QEvent *event) override
    {
        if (recording && m_depth > 0 && QThread::currentThread() == thread()) {
            QElapsedTimer inner;
            inner.start();
            ++m_depth;
            const bool handled = QApplication::notify(receiver, event);
            --m_depth;
            if (inner.elapsed() > 5)
                nested << QStringLiteral("%1  %2 ms: event %3 to %4 %5")
                              .arg(QString(m_depth * 2, u' '))
                              .arg(inner.elapsed())
                              .arg(int(event->type()))
                              .arg(QLatin1String(receiver->metaObject()->className()),
                                   receiver->objectName());
            return handled;
        }
        if (!recording || m_depth > 0 || QThread::currentThread() != thread())
            return QApplication::notify(receiver, event);
        nested.clear();
        ++m_depth;
        QElapsedTimer clock;
        clock.start();
        const qint64 cpuBefore = threadCpuNs();
        const bool handled = QApplication::notify(receiver, event);
        const qint64 took = clock.nsecsElapsed();
        nanoseconds.push_back(took);
        cpuNanoseconds.push_back(threadCpuNs() - cpuBefore);
        if (took > longest || took > qint64(50'000'000)) {
            const QString what
                = QStringLiteral("%1 ms (%2 ms on the CPU) at %3 s: event %4 to %5\n%6")
                      .arg(took / 1e6, 0, 'f', 1)
                      .arg(cpuNanoseconds.back() / 1e6, 0, 'f', 1)
                      .arg(since.elapsed() / 1000.0, 0, 'f', 1)
                      .arg(int(event->type()))
                      .arg(QLatin1String(receiver->metaObject()->className()), nested.join(u'\n'));
            if (took > longest) {
                longest = took;
                longestWhat = what;
            }
            if (took > qint64(50'000'000) && overGoal.size() < 10)
                overGoal << what;
        }
        --m_depth;
        return handled;
    }

private:
    int m_depth = 0;
};

constexpr double eventGoalMs = 50;

// Records every event until `finished` holds, then prints the longest and
// the 99th percentile.
void measureEvents(TimedApplication &app, const char *title, const std::function<void()> &start,
                   const std::function<bool()> &finished)
{
    app.nanoseconds.clear();
    app.cpuNanoseconds.clear();
    app.longest = 0;
    app.overGoal.clear();
    app.since.start();
    app.recording = true;
    QElapsedTimer clock;
    clock.start();
    start();
    waitUntil(finished);
    app.recording = false;
    std::vector<qint64> &times = app.nanoseconds;
    std::sort(times.begin(), times.end());
    const auto at = [&](double share) {
        return times.empty() ? 0.0 : times[size_t(share * double(times.size() - 1))] / 1e6;
    };
    const auto over
        = times.end() - std::upper_bound(times.begin(), times.end(), qint64(eventGoalMs * 1e6));
    std::printf("%s\n  %.1f s, %zu main-thread events: longest %.1f ms, p99 %.2f ms, p99.9 %.2f ms "
                "(goal <= %.0f ms, ratio of the longest %.2f); %lld over the goal\n",
                title, clock.elapsed() / 1000.0, times.size(), at(1.0), at(0.99), at(0.999),
                eventGoalMs, at(1.0) / eventGoalMs, static_cast<long long>(over));
    std::sort(app.cpuNanoseconds.begin(), app.cpuNanoseconds.end());
    const auto cpuAt = [&](double share) {
        const std::vector<qint64> &cpu = app.cpuNanoseconds;
        return cpu.empty() ? 0.0 : cpu[size_t(share * double(cpu.size() - 1))] / 1e6;
    };
    std::printf("  on the CPU: longest %.1f ms, p99 %.2f ms\n", cpuAt(1.0), cpuAt(0.99));
    std::printf("  longest: %s\n", qPrintable(app.longestWhat));
    for (const QString &event : std::as_const(app.overGoal))
        std::printf("  over the goal: %s\n", qPrintable(event));
    std::fflush(stdout);
}

// `count` hard links to `sample` in folders of 100.
QStringList linkFiles(const QString &root, const QString &sample, int count)
{
    QStringList files;
    for (int n = 0; n < count; ++n) {
        const QString folder = QStringLiteral("%1/folder %2").arg(root).arg(n / 100);
        const QString path
            = QStringLiteral("%1/file %2.%3").arg(folder).arg(n).arg(QFileInfo(sample).suffix());
        if (!QDir().mkpath(folder)
            || ::link(QFile::encodeName(sample).constData(), QFile::encodeName(path).constData())
                != 0)
            return {};
        files << path;
    }
    return files;
}

// Imports `files`, shows the Audio group and converts it to MP3, two at a
// time, measuring the run.
bool measureRun(TimedApplication &app, ContentView &view, const QString &folder,
                const QString &output, const char *title)
{
    MediaSet::shared().clear();
    view.loadMedia({folder});
    waitUntil([&] { return !view.isImporting() && runningLoads() == 0; });
    view.setSelectedGroup(MediaGroup::audio);
    waitFor(500);
    SnapshotView *workspace = view.workspace();
    QDir().mkpath(output);
    OpenPanel::setAnswersForTesting({.folder = [output] {
        return std::optional(output);
    }});
    const JobQueue &queue = workspace->queue();
    measureEvents(
        app, title, [workspace] { workspace->process(); }, [&queue] { return !queue.isRunning(); });
    return QDir(output).entryList(QDir::Files).size() == MediaSet::shared().mediaList().size();
}

void print(const char *title, const Measurement &m)
{
    std::printf("%s\n", title);
    std::printf("  items listed afterwards:       %lld\n", static_cast<long long>(m.listed));
    std::printf("  import to last load landed:    %.3f s\n", m.seconds);
    std::printf("  UI thread in the starting call: %.1f ms\n", m.startMs);
    std::printf("  longest gap between ticks:     %.1f ms (%d ms timer; goal <= %.0f ms, "
                "ratio %.2f), UI thread on a CPU for %.1f ms of it\n",
                m.longestGapMs, tickMs, goalMs, m.longestGapMs / goalMs, m.longestGapCpuMs);
    std::printf("  most UI thread CPU time in one gap: %.1f ms (ratio to goal %.2f)\n",
                m.mostCpuInGapMs, m.mostCpuInGapMs / goalMs);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TimedApplication app(argc, argv);
    const QString mode = app.arguments().value(1);
    QTemporaryDir dir;
    qputenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("config")).toUtf8());
    if (!dir.isValid())
        return 1;

    const QStringList tone = split("-f lavfi -i sine=duration=0.5");
    const QStringList video = split("-f lavfi -i testsrc=duration=0.5:size=32x32 -f lavfi -i "
                                    "sine=duration=0.5 -pix_fmt yuv420p");
    const QStringList still = split("-f lavfi -i testsrc=size=32x32 -frames:v 1");
    const QList<std::pair<const char *, QStringList>> made {
        {"mp3", tone},  {"flac", tone}, {"wav", tone},  {"mp4", video},
        {"mkv", video}, {"png", still}, {"jpg", still},
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
    QFile srt(dir.filePath(QStringLiteral("sample.srt")));
    if (!srt.open(QIODevice::WriteOnly) || srt.write("1\n00:00:00,000 --> 00:00:01,000\nHi\n") < 0)
        return 1;
    srt.close();
    samples << srt.fileName();

    const QString library = dir.filePath(QStringLiteral("library"));
    const QString more = dir.filePath(QStringLiteral("more"));
    const QStringList libraryFiles = makeLibrary(library, samples);
    const QStringList moreFiles = makeLibrary(more, samples);
    if (libraryFiles.isEmpty() || moreFiles.isEmpty())
        return 1;

    QMainWindow window;
    auto *view = new ContentView(MediaSet::shared(), &window);
    window.setCentralWidget(view);
    window.resize(960, 600);
    window.show();
    waitFor(300);

    std::printf("files: %lld per import, %lld samples hard-linked; pool threads: %d\n",
                static_cast<long long>(libraryFiles.size()), static_cast<long long>(samples.size()),
                QThread::idealThreadCount());

    if (mode == u"run" || mode == u"import" || mode == u"seconds" || mode == u"all") {
        Preferences::instance().setValue(PreferenceKeys::maxConcurrentJobs, 2);
        Preferences::instance().setValue(PreferenceKeys::openDestinationOnFinish, false);
        const QString halfSecond = samples.at(2); // the WAV tone
        const QString oneSecond = dir.filePath(QStringLiteral("one-second.wav"));
        if (!ffmpeg(split("-f lavfi -i sine=duration=1"), oneSecond)
            || linkFiles(dir.filePath(QStringLiteral("import")), halfSecond, 3700).isEmpty()
            || linkFiles(dir.filePath(QStringLiteral("run")), halfSecond, 3200).isEmpty()
            || linkFiles(dir.filePath(QStringLiteral("seconds")), oneSecond, 1000).isEmpty())
            return 1;
        MediaSet::shared().clear();
        measureEvents(
            app, "import of 3,700 files (one folder):",
            [&] { view->loadMedia({dir.filePath(QStringLiteral("import"))}); },
            [&] { return !view->isImporting() && runningLoads() == 0; });
        if (mode == u"import")
            return 0;
        const bool ran = (mode == u"seconds"
                          || measureRun(app, *view, dir.filePath(QStringLiteral("run")),
                                        dir.filePath(QStringLiteral("out-run")),
                                        "two-job run of 3,200 half-second files to MP3:"))
            && measureRun(app, *view, dir.filePath(QStringLiteral("seconds")),
                          dir.filePath(QStringLiteral("out-seconds")),
                          "two-job run of 1,000 one-second files to MP3:");
        if (!ran || mode != u"all")
            return ran ? 0 : 1;
        MediaSet::shared().clear();
    }

    const Measurement folder = measure([&] { view->loadMedia({library}); });
    print("one folder of 10,000 files, one load:", folder);

    MediaSet::shared().clear();
    const Measurement splashDrop = measure([&] { drop(view->splash(), libraryFiles); });
    print("drop of 10,000 files on the splash, one load each:", splashDrop);

    const Measurement sidebarDrop = measure([&] { drop(view->sidebar(), moreFiles); });
    print("drop of 10,000 more files on the sidebar, one load each:", sidebarDrop);

    const bool complete = folder.listed == libraryFiles.size()
        && splashDrop.listed == libraryFiles.size()
        && sidebarDrop.listed == libraryFiles.size() + moreFiles.size();
    return complete ? 0 : 1;
}
