#include "tools/FFProgressParser.h"
#include "tools/FFmpegRunner.h"
#include "tools/ToolLocator.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include "TestSupport.h"

using TestSupport::fakeTool;
using TestSupport::waitFor;

Q_DECLARE_METATYPE(FFProgress)

class TestFFmpegRunner : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup();
    void parsesProgressBlocks_data();
    void parsesProgressBlocks();
    void argumentsNameFiles();
    void describesErrors_data();
    void describesErrors();
    void locatesTools_data();
    void locatesTools();
    void craftedProgressStreamBecomesEvents();
    void cancellationWinsOverExitStatus();
    void missingToolFailsWithInstallHint();
    void realFailureCarriesLastErrorLine();

private:
    QTemporaryDir m_dir;
};

void TestFFmpegRunner::cleanup()
{
    QVERIFY2(TestSupport::liveChildren().isEmpty(), "a child process was left running");
}

void TestFFmpegRunner::parsesProgressBlocks_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<FFProgress>("expected");

    const auto row = [](const char *tag, const char *lines, const FFProgress &expected) {
        QTest::newRow(tag) << QString::fromLatin1(lines).split(u' ') << expected;
    };
    row("out_time_ms when out_time_us is no integer",
        "out_time_us=N/A out_time_ms=1500000 progress=continue", {.outTimeSeconds = 1.5});
    row("out_time_us wins", "out_time_ms=7 out_time_us=2000000 progress=continue",
        {.outTimeSeconds = 2.0});
    row("negative time", "out_time_us=-5000 progress=continue", {.outTimeSeconds = 0.0});
    row("rates not finite or negative", "fps=nan speed=-2x progress=continue", {});
    row("repeated key keeps last", "speed=1x speed=3x progress=continue", {.speed = 3.0});
    row("keys never leak into the next block",
        "frame=10 speed=2x progress=continue progress=continue", {});
    // Lines with spaces of their own.
    QTest::newRow("padded speed") << QStringList {"speed= 31.4x", "progress=continue"}
                                  << FFProgress {.speed = 31.4};

    row("every field",
        "frame=42 fps=29.97 bitrate=N/A total_size=1024 out_time_us=1000000 speed=2x progress=end",
        {.frame = 42,
         .fps = 29.97,
         .bitrate = QStringLiteral("N/A"),
         .outTimeSeconds = 1.0,
         .speed = 2.0,
         .isEnd = true});
    QTest::newRow("value keeps later equals, bad numbers absent")
        << QStringList {"bitrate=128.0kbits/s=x", "frame=1.5", "fps=fast", "no equals here",
                        "progress=continue"}
        << FFProgress {.bitrate = QStringLiteral("128.0kbits/s=x")};
}

void TestFFmpegRunner::parsesProgressBlocks()
{
    QFETCH(QStringList, lines);
    QFETCH(FFProgress, expected);

    FFProgressParser parser;
    std::optional<FFProgress> last;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        last = parser.parseProgressLine(lines.at(i));
        QCOMPARE(last.has_value(), lines.at(i).startsWith(u"progress="));
    }
    QCOMPARE(*last, expected);
}

void TestFFmpegRunner::argumentsNameFiles()
{
    const FFArgs args {{"-hwaccel", "videotoolbox"}, {"-c:v", "copy"}};
    QCOMPARE(ffmpegArguments("/in/a b.mov", "/out/a b.mp4", args, false),
             (QStringList {"-nostdin", "-hide_banner", "-nostats", "-loglevel", "warning",
                           "-progress", "pipe:1", "-hwaccel", "videotoolbox", "-n", "-i",
                           "file:/in/a b.mov", "-c:v", "copy", "file:/out/a b.mp4"}));
    QCOMPARE(
        ffmpegArguments("concat:in", "/out", {}, true).mid(7),
        (QStringList {"-y", "-i", "file:" + QDir::current().filePath("concat:in"), "file:/out"}));
    // The image sequence format would read in1.png… and write out001.jpg.
    const QString in = m_dir.filePath("in%d.png");
    QVERIFY(
        TestSupport::makeMedia(in, TestSupport::split("-f lavfi -i color -frames:v 1 -update 1")));
    std::unique_ptr<FFmpegRun> run(runFFmpeg(in, m_dir.filePath("out%03d.jpg"), {}, true));
    QVERIFY(waitFor(run.get()) && run->succeeded());
    QCOMPARE(QDir(m_dir.path()).entryList({"*.png", "*.jpg"}),
             (QStringList {"in%d.png", "out%03d.jpg"}));
}

void TestFFmpegRunner::describesErrors_data()
{
    QTest::addColumn<QString>("stderrTail");
    QTest::addColumn<QString>("description");

    const auto row = [](const char *tag, const char *tail, const char *description) {
        QTest::newRow(tag) << QString::fromUtf8(tail) << QString::fromUtf8(description);
    };
    row("empty", "", "ffmpeg failed");
    row("last line", "warning: something\n/x.wav: No such file or directory\n",
        "/x.wav: No such file or directory");
    row("generic summary names the cause above it",
        "[wmav2 @ 0x55c4787238c0] too many channels: got 6, need 2 or fewer\n"
        "Error initializing output stream 0:0 -- Error while opening encoder for output stream "
        "#0:0 - maybe incorrect parameters such as bit_rate, rate, width or height\n",
        "too many channels: got 6, need 2 or fewer");
    row("only summaries", "Conversion failed!\n", "Conversion failed!");
    // ffmpeg 5.1: an odd-sized video to MP4, and Theora copied into MP4.
    row("a closing warning is no reason",
        "[libx264 @ 0x55] width not divisible by 2 (321x241)\nError initializing output stream "
        "0:0 -- Error while opening encoder\n[aac @ 0x56] 1 frames left in the queue on closing\n"
        "Conversion failed!\n",
        "width not divisible by 2 (321x241)");
    row("header summary gives way",
        "[mp4 @ 0x56] Could not find tag for codec theora\nCould not "
        "write header for output file #0 (incorrect codec parameters ?): Invalid argument\n"
        "Error initializing output stream 0:1 -- \n",
        "Could not find tag for codec theora");
    // ffmpeg 5.1: noise named .flac, through a filter.
    row("filter summary and probing advice give way",
        "[flac @ 0x55] Format flac detected only with low score of 1, misdetection possible!\n"
        "Consider increasing the value for the 'analyzeduration' (0) and 'probesize' (5000000) "
        "options\nCannot determine format of input stream 0:0 after EOF\n"
        "Error marking filters as finished\n",
        "Cannot determine format of input stream 0:0 after EOF");
    row("empty output gives way", // a Latin-1 SRT
        "[srt @ 0x56] Invalid UTF-8 in decoded subtitles text; maybe missing -sub_charenc option\n"
        "Error while decoding stream #0:0: Invalid data found when processing input\n"
        "Output file is empty, nothing was encoded (check -ss / -t / -frames parameters if used)\n",
        "Invalid UTF-8 in decoded subtitles text; maybe missing -sub_charenc option");
    row("the input's error above the filter graph's",
        "Error while decoding stream #0:0: Invalid data found when processing input\n"
        "[Parsed_aformat_0 @ 0x55] Error applying options to the filter.\n"
        "Error reinitializing filters!\nFailed to inject frame into filter network: Invalid "
        "argument\nConversion failed!\n",
        "Invalid data found when processing input");
    row("map advice is no reason",
        "Stream map '0:a:0' matches no streams.\nTo ignore this, add a trailing '?' to the map.\n",
        "Stream map '0:a:0' matches no streams.");
    row("a SAR warning is no reason",
        "[libx264 @ 0x2] broken ffmpeg default settings detected\n"
        "[h264 @ 0x1] ignoring invalid SAR: 1/0\n",
        "broken ffmpeg default settings detected");
}

void TestFFmpegRunner::describesErrors()
{
    QFETCH(QString, stderrTail);
    QFETCH(QString, description);
    QCOMPARE(FFmpegError::nonZeroExit(1, stderrTail).errorDescription(), description);
}

void TestFFmpegRunner::locatesTools_data()
{
    QVERIFY(m_dir.isValid());
    const QString bundled = m_dir.filePath("bin/ffmpeg");
    QDir().mkpath(m_dir.filePath("bin"));
    QFile::copy(fakeTool(), bundled);
    TestSupport::writeFile(m_dir.filePath("bin/ffprobe"), {}); // present but not executable

    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("overridePath");
    QTest::addColumn<QString>("appDir");
    QTest::addColumn<QString>("found");

    const QString bin = m_dir.filePath("bin");
    const auto row = [](const char *tag, const char *name, const QString &overridePath,
                        const QString &appDir, const QString &found) {
        QTest::newRow(tag) << QString::fromLatin1(name) << overridePath << appDir << found;
    };
    row("override naming nothing means missing", "ffmpeg", "/nonexistent/ffmpeg", bin, "");
    row("beside the executable", "ffmpeg", "", bin, bundled);
    row("not executable: PATH", "ffprobe", "", bin, "/usr/bin/ffprobe");
}

void TestFFmpegRunner::locatesTools()
{
    QFETCH(QString, name);
    QFETCH(QString, overridePath);
    QFETCH(QString, appDir);
    QFETCH(QString, found);
    QCOMPARE(ToolLocator::resolve(name, overridePath, appDir, "/nonexistent:/usr/bin"), found);
}

void TestFFmpegRunner::craftedProgressStreamBecomesEvents()
{
    // The fake acts on the options it knows (here the input options) and
    // ignores the rest of the ffmpeg command line.
    QList<FFEvent> events;
    std::unique_ptr<FFmpegRun> run(runFFmpegWith(
        fakeTool(), "in", "out",
        {{"--stdout",
          "out_time_us=500000\\nspeed=N/A\\nprogress=continue\\nout_time_us=1000000\\n"
          "speed=2.5x\\nprogress=end\\nframe=9\\n",
          "--stderr", "[mp3 @ 0x1] something odd\\n", "--exit", "187"},
         {}},
        true, [&](const FFEvent &event) { events << event; }));
    QVERIFY(waitFor(run.get()));
    QList<FFProgress> blocks;
    QStringList logs;
    for (const FFEvent &event : events) {
        if (event.kind == FFEvent::Kind::progress)
            blocks << event.progress;
        else
            logs << event.line;
    }
    // The unclosed block at the end produces nothing.
    QCOMPARE(blocks,
             (QList<FFProgress> {{.outTimeSeconds = 0.5},
                                 {.outTimeSeconds = 1.0, .speed = 2.5, .isEnd = true}}));
    QCOMPARE(logs, QStringList {"[mp3 @ 0x1] something odd"});
    const auto *error = run->failure() ? std::get_if<FFmpegError>(&*run->failure()) : nullptr;
    QVERIFY(error && error->kind == FFmpegError::Kind::nonZeroExit);
    QCOMPARE(error->code, 187);
    QCOMPARE(errorDescription(*run->failure()), QStringLiteral("[mp3 @ 0x1] something odd"));
}

void TestFFmpegRunner::cancellationWinsOverExitStatus()
{
    // The tool ignores SIGTERM and exits 0: the run still counts as cancelled.
    std::unique_ptr<FFmpegRun> run(
        runFFmpegWith(fakeTool(), "in", "out",
                      {{"--ignore-term", "--delay-ms", "300", "--exit", "0"}, {}}, true));
    QTest::qWait(100);
    run->cancel();
    QVERIFY(waitFor(run.get()));
    QVERIFY(run->failure() && isCancellation(*run->failure()));
    QCOMPARE(errorDescription(*run->failure()), QStringLiteral("Cancelled"));
}

void TestFFmpegRunner::missingToolFailsWithInstallHint()
{
    std::unique_ptr<FFmpegRun> run(runFFmpegWith(QString(), "in", "out", {}, true));
    QVERIFY(!run->isFinished() || run->failure());
    QVERIFY(waitFor(run.get()));
    const auto *error = run->failure() ? std::get_if<ProcessError>(&*run->failure()) : nullptr;
    QVERIFY(error && error->kind == ProcessError::Kind::failedToLaunch);
    QVERIFY(error->errorDescription().contains(u"ffmpeg"));
    QVERIFY(error->errorDescription().contains(u"apt install"));
}

void TestFFmpegRunner::realFailureCarriesLastErrorLine()
{
    const QString missing = m_dir.filePath("missing.wav");
    QStringList logs;
    std::unique_ptr<FFmpegRun> run(
        runFFmpeg(missing, m_dir.filePath("x.mp3"), {}, true, [&](const FFEvent &event) {
            if (event.kind == FFEvent::Kind::log)
                logs << event.line;
        }));
    QVERIFY(waitFor(run.get()));
    const auto *error = run->failure() ? std::get_if<FFmpegError>(&*run->failure()) : nullptr;
    QVERIFY(error && error->kind == FFmpegError::Kind::nonZeroExit && error->code != 0);
    // The file is named beside the reason, not in it.
    QCOMPARE(error->errorDescription(), QStringLiteral("No such file or directory"));
    QCOMPARE(logs.last(), missing + QStringLiteral(": No such file or directory"));
}

QTEST_GUILESS_MAIN(TestFFmpegRunner)
#include "tst_ffmpegrunner.moc"
