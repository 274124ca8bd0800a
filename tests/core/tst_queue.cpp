#include "conversion/HardwareDetection.h"
#include "conversion/JobOutcome.h"
#include "conversion/JobQueue.h"
#include "conversion/MediaJob.h"
#include "conversion/OutputLocks.h"
#include "conversion/SafeOutput.h"
#include "conversion/SuccessSignature.h"
#include "conversion/Workspace.h"
#include "model/MediaLoad.h"
#include "model/MediaSet.h"
#include "settings/Preferences.h"

#include <QDir>
#include <QFile>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <vips/vips8>

#include <csignal>

#include "TestSupport.h"

namespace {

// The input after "-i" and the output, which differ between the dry run
// (the user's names) and the job (its temporary files).
QStringList withoutPaths(QStringList arguments)
{
    if (const qsizetype input = arguments.indexOf("-i"); input >= 0 && input + 1 < arguments.size())
        arguments[input + 1] = "<in>";
    if (!arguments.isEmpty())
        arguments.last() = "<out>";
    return arguments;
}

} // namespace

using namespace SafeOutput;
using TestSupport::files;
using TestSupport::item;
using TestSupport::readFile;
using TestSupport::writeFile;

// The queue's rules: scheduling, skipping (what makes an earlier success
// stale), cancelling, and never losing a file (hidden temporary outputs whose
// names fit where the final name fits; leftovers of killed runs swept by the
// next run); the plan that the dry run prints is the plan a job runs, on every
// route. ffmpeg is the fake tool, which runs the real one unless a row gives
// it FAKETOOL_ACTIONS: a full disk or a stuck run cannot be had on demand.
class TestQueue : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void startsInOrderWithinTheLimit_data();
    void startsInOrderWithinTheLimit();
    void skipsUnchangedAndRedoesChanged();
    void enqueueDuringRunJoinsIt();
    void cancelStopsRunningKeepsPending();
    void outputsFollowTheNameRule();
    void outputNeverReplacesAnInput_data();
    void outputNeverReplacesAnInput();
    void earlierOutputKeptOrReplaced_data();
    void earlierOutputKeptOrReplaced();
    void sameOutputTwiceInOneRun_data();
    void sameOutputTwiceInOneRun();
    void safeOutputPrimitives();
    void resetIfStale_data();
    void resetIfStale();
    void nameFits_data();
    void nameFits();
    void sweepRemovesOnlyOrphans_data();
    void sweepRemovesOnlyOrphans();
    void killedRunLeavesNothingBehind();
    void dryRunIsWhatTheJobRuns_data();
    void dryRunIsWhatTheJobRuns();
    void cancelDoesNotWaitForHardwareDetection();
    void removedItemsLeaveTheRun();

private:
    QList<MediaPtr> copies(const QString &source, int count, MediaGroup group = MediaGroup::audio);
    // Runs one batch to its end, calling during() right after it started;
    // the output folder is made first.
    bool run(
        const QList<MediaPtr> &items, const QString &target, const QString &out,
        const BatchSettings &batch = {},
        const std::function<void(JobQueue &)> &during = [](JobQueue &) {});
    // vireo-cli --json's planned or finished events; its ffmpeg runs append
    // their arguments to record.
    QList<QJsonObject> cli(const QStringList &arguments, const QString &record);

    QTemporaryDir m_dir;
    QString m_tone, m_movie;
    int m_counter = 0;
    std::optional<Totals> m_totals; // of the last run
    QList<QUuid> m_started; // of the last run, by JobQueue::itemStarted
    QList<JobOutcomeKind> m_ended;
    QStringList m_opened; // destinations opened at the end of runs
};

void TestQueue::initTestCase()
{
    // Before the first conversion: the tool is looked up once per process.
    qputenv("VIREO_FFMPEG", TestSupport::fakeTool().toUtf8());
    qputenv("FAKETOOL_EXEC", QStandardPaths::findExecutable("ffmpeg").toUtf8());
    QVERIFY(m_dir.isValid());
    // A settings store of its own, apart from the vireo-cli runs' one.
    qputenv("XDG_CONFIG_HOME", m_dir.filePath("settings").toUtf8());
    m_tone = m_dir.filePath("tone.wav");
    QVERIFY(TestSupport::makeTone(m_tone, 0.5));
    m_movie = m_dir.filePath("clip.mkv");
    QVERIFY(TestSupport::makeMedia(
        m_movie,
        TestSupport::split("-f lavfi -i testsrc=size=160x120:rate=10:duration=1 -f lavfi "
                           "-i sine=duration=1 -c:v mpeg4 -c:a flac -shortest")));
    QVERIFY(VIPS_INIT("tst_queue") == 0);
    vips::VImage::black(16, 16, vips::VImage::option()->set("bands", 3))
        .heifsave(m_dir.filePath("photo.heic").toUtf8().constData());
    // "Привет мир" in Windows-1251, as many older subtitle files are written.
    QVERIFY(TestSupport::makeMedia(
        m_dir.filePath("silent.mkv"),
        TestSupport::split("-f lavfi -i testsrc=size=32x32:rate=5:duration=1 -c:v mpeg4")));
    QVERIFY(QDir().mkpath(m_dir.filePath("twin")));
    QVERIFY(TestSupport::makeTone(m_dir.filePath("twin/Tone.flac"), 0.3));
    QVERIFY(writeFile(m_dir.filePath("lines.srt"),
                      "1\n00:00:01,000 --> 00:00:02,000\n\xcf\xf0\xe8\xe2\xe5\xf2 \xec\xe8\xf0\n"));
}

void TestQueue::init()
{
    qunsetenv("FAKETOOL_ACTIONS");
    Preferences &preferences = Preferences::instance();
    preferences.setValue(PreferenceKeys::maxConcurrentJobs, 2);
    preferences.setValue(PreferenceKeys::ignoreAlreadyProcessedFiles, true);
    preferences.setValue(PreferenceKeys::overwriteExisting, true);
    preferences.setValue(PreferenceKeys::keepFolderStructure, false);
    preferences.setValue(PreferenceKeys::hardwareAcceleration, false);
    preferences.setValue(PreferenceKeys::openDestinationOnFinish, true);
    preferences.setValue(PreferenceKeys::videoToAudio, QString("mp3"));
    m_totals.reset();
    m_opened.clear();
}

void TestQueue::cleanup()
{
    QVERIFY2(TestSupport::liveChildren().isEmpty(), "a child process was left running");
}

QList<MediaPtr> TestQueue::copies(const QString &source, int count, MediaGroup group)
{
    const QString stem = QStringLiteral("item%1-").arg(++m_counter);
    return TestSupport::copies(source, m_dir.filePath("in"), stem, count, group);
}

bool TestQueue::run(const QList<MediaPtr> &items, const QString &target, const QString &out,
                    const BatchSettings &batch, const std::function<void(JobQueue &)> &during)
{
    QDir().mkpath(out);
    JobQueue queue;
    queue.setDestinationOpener([this](const QString &folder) { m_opened << folder; });
    connect(&queue, &JobQueue::runFinished, this, [this](const Totals &t) { m_totals = t; });
    m_started.clear();
    m_ended.clear();
    connect(&queue, &JobQueue::itemStarted, this, [this](const QUuid &id) { m_started << id; });
    connect(&queue, &JobQueue::itemFinished, this,
            [this](const QUuid &, const JobOutcome &outcome) { m_ended << outcome.kind; });
    queue.enqueue(items, MediaTarget::fromId(target).value(), out, batch);
    during(queue);
    // A finished run forgets its counts and start.
    return TestSupport::waitUntil([&] { return !queue.isRunning(); }, 120000)
        && queue.totals() == Totals() && !queue.startedAt();
}

QList<QJsonObject> TestQueue::cli(const QStringList &arguments, const QString &record)
{
    QList<QJsonObject> outcomes
        = TestSupport::runCli(arguments + QStringList {"--json"},
                              {{"FAKETOOL_ACTIONS", ""},
                               {"VIREO_HWACCEL", "none"},
                               {"FAKETOOL_ARGV", record},
                               {"XDG_CONFIG_HOME", m_dir.filePath("config")}})
              .events;
    outcomes.removeIf([](const QJsonObject &event) {
        return event["event"] != "planned" && event["event"] != "finished";
    });
    return outcomes;
}

void TestQueue::startsInOrderWithinTheLimit_data()
{
    QTest::addColumn<int>("preference");
    QTest::addColumn<int>("limit");
    QTest::newRow("two") << 2 << 2;
    QTest::newRow("zero") << 0 << 1;
    QTest::newRow("negative") << -3 << 1;
}

void TestQueue::startsInOrderWithinTheLimit()
{
    QFETCH(int, preference);
    QFETCH(int, limit);
    Preferences::instance().setValue(PreferenceKeys::maxConcurrentJobs, preference);
    const QString out = m_dir.filePath(QString("order%1").arg(preference));
    const QList<MediaPtr> items = copies(m_tone, 5);
    QStringList startOrder, expected;
    int running = 0, peak = 0;
    for (const MediaPtr &item : items) {
        expected << item->filename();
        connect(item.get(), &Media::statusChanged, this, [&, raw = item.get()] {
            if (raw->status() == MediaStatus::processing) {
                startOrder << raw->filename();
                peak = std::max(peak, ++running);
            } else {
                --running;
            }
        });
    }
    QVERIFY(run(items, "audio.mp3", out, {}, [&](JobQueue &queue) {
        QVERIFY(queue.startedAt().has_value());
        QCOMPARE(queue.maxConcurrent(), limit);
        QCOMPARE(queue.totals().total, 5);
    }));

    // A job shows "processing" once its duration probe is back, so the first
    // jobs of a batch may swap places there.
    QCOMPARE(QSet<QString>(startOrder.cbegin(), startOrder.cbegin() + limit),
             QSet<QString>(expected.cbegin(), expected.cbegin() + limit));
    if (limit == 1)
        QCOMPARE(startOrder, expected);
    QCOMPARE(startOrder.size(), 5);
    QCOMPARE(peak, limit);
    QCOMPARE(m_totals, (Totals {5, 5, 0}));
    QCOMPARE(m_opened, QStringList {out});
    QCOMPARE(files(out).size(), 5); // no temporary file left beside them
}

void TestQueue::skipsUnchangedAndRedoesChanged()
{
    const QString out = m_dir.filePath("skip");
    QList<MediaPtr> items = copies(m_movie, 2, MediaGroup::video);
    QVERIFY(run(items, "video.mp4", out));
    const MediaTarget mp4 = MediaTarget::fromId("video.mp4").value();
    QCOMPARE(items[0]->lastSuccessSignature(), successSignature(mp4, {}));

    // Unchanged settings: nothing converts, everything counts as completed.
    int transitions = 0;
    for (const MediaPtr &item : items)
        connect(item.get(), &Media::statusChanged, this, [&] { ++transitions; });
    const QString first = QDir(out).filePath(items[0]->baseName() + ".mp4");
    const QDateTime modified = QFileInfo(first).lastModified();
    QVERIFY(run(items, "video.mp4", out));
    QCOMPARE(transitions, 0);
    QCOMPARE(m_totals, (Totals {2, 2, 0}));
    QCOMPARE(m_ended, QList<JobOutcomeKind>(2, JobOutcomeKind::skipped));
    QCOMPARE(QFileInfo(first).lastModified(), modified);

    // A new scale changes the video signature: both convert again.
    const BatchSettings scaled {false, {}, {}, VideoScale::p360};
    QVERIFY(run(items, "video.mp4", out, scaled));
    QCOMPARE(transitions, 4); // processing, then successful, for each
    QCOMPARE(items[1]->lastSuccessSignature(), successSignature(mp4, scaled));
    // Another folder has none of the outputs: both convert into it.
    QVERIFY(run(items, "video.mp4", out + "2", scaled));
    QCOMPARE(files(out + "2").size(), 2);

    // With skipping off everything converts again.
    Preferences::instance().setValue(PreferenceKeys::ignoreAlreadyProcessedFiles, false);
    QVERIFY(run(items, "video.mp4", out, scaled));
    QCOMPARE(transitions, 12);
}

void TestQueue::enqueueDuringRunJoinsIt()
{
    Preferences::instance().setValue(PreferenceKeys::maxConcurrentJobs, 1);
    const QList<MediaPtr> first = copies(m_tone, 3), second = copies(m_tone, 2);
    const QString joined = m_dir.filePath("join-b");
    QDir().mkpath(joined);
    QVERIFY(run(first, "audio.mp3", m_dir.filePath("join-a"), {}, [&](JobQueue &queue) {
        const auto startedAt = queue.startedAt();
        queue.enqueue(second, MediaTarget::fromId("audio.flac").value(), joined, {});
        // The same items again are not queued twice.
        queue.enqueue(second, MediaTarget::fromId("audio.flac").value(), joined, {});
        QCOMPARE(queue.startedAt(), startedAt);
        QCOMPARE(queue.totals().total, 5);
    }));
    QCOMPARE(m_totals, (Totals {5, 5, 0}));
    // The first item had started; the pending ones took the new target and folder.
    QCOMPARE(files(m_dir.filePath("join-a")), QStringList {first[0]->baseName() + ".mp3"});
    QCOMPARE(files(joined).size(), 4);
}

void TestQueue::cancelStopsRunningKeepsPending()
{
    // Each run reports some progress, then works until it is stopped.
    qputenv("FAKETOOL_ACTIONS", "--stdout|out_time_us=100000\\nprogress=continue\\n|--hang");
    const QList<MediaPtr> items = copies(m_tone, 5);
    const QString out = m_dir.filePath("cancel");
    QVERIFY(run(items, "audio.mp3", out, {}, [&](JobQueue &queue) {
        QVERIFY(TestSupport::waitUntil(
            [&] { return items[0]->progress() > 0 && items[1]->progress() > 0; }, 30000));
        QCOMPARE(queue.activeCount(), 2);
        queue.cancelAll();
        queue.cancelAll(); // a second cancel changes nothing
    }));

    QCOMPARE(items[0]->status(), MediaStatus::cancelled);
    QCOMPARE(items[1]->status(), MediaStatus::cancelled);
    QCOMPARE(items[0]->errorMessage(), std::nullopt);
    // The waiting ones never started: they wait again, counted nowhere.
    for (int i = 2; i < 5; ++i)
        QCOMPARE(items[i]->status(), MediaStatus::unprocessed);
    QCOMPARE(m_totals, (Totals {2, 0, 0, 2}));
    QCOMPARE(m_ended, QList<JobOutcomeKind>(2, JobOutcomeKind::cancelled));
    QCOMPARE(m_started, (QList<QUuid> {items[0]->id(), items[1]->id()}));
    QCOMPARE(m_opened.size(), 1);
    QCOMPARE(files(out), QStringList()); // no partial or temporary file

    // The next run starts them again, and counts anew.
    qunsetenv("FAKETOOL_ACTIONS");
    QVERIFY(run(items, "audio.mp3", out));
    QCOMPARE(m_totals, (Totals {5, 5, 0, 0}));
    QCOMPARE(m_ended, QList<JobOutcomeKind>(5, JobOutcomeKind::converted));
}

void TestQueue::outputsFollowTheNameRule()
{
    // Names keep every dot but the last; a MicroDVD file is written from the
    // SubRip text itself, byte order mark, CRLF and markup included.
    const QString in = m_dir.filePath("names");
    QDir().mkpath(in);
    QVERIFY(TestSupport::makeTone(in + "/Song.FLAC", 0.3));
    QVERIFY(QFile::copy(m_tone, in + "/a.b.wav"));
    QVERIFY(writeFile(in + "/Episode.srt",
                      "\xEF\xBB\xBF"
                      "1\r\n00:00:01,000 --> 00:00:02,500\r\nHello\r\n<i>World</i> {x}\r\n\r\n"
                      "2\r\n00:01:00,000 --> 00:01:01,000\r\nBye\r\n"));
    const QString out = m_dir.filePath("names-out");
    QVERIFY(run({item(in + "/Song.FLAC"), item(in + "/a.b.wav")}, "audio.mp3", out));
    QVERIFY(run({item(in + "/Episode.srt", MediaGroup::subtitle)}, "subtitle.sub", out));
    QCOMPARE(files(out), (QStringList {"Episode.sub", "Song.mp3", "a.b.mp3"}));
    QCOMPARE(readFile(out + "/Episode.sub"),
             QByteArray("{1}{1}23.976\n{24}{60}Hello|World (x)\n{1439}{1463}Bye\n"));
}

void TestQueue::outputNeverReplacesAnInput_data()
{
    QTest::addColumn<QString>("spelling"); // of the destination; "pair": another input's name
    QTest::newRow("same folder") << "";
    QTest::newRow("symbolic link") << "link";
    QTest::newRow("another input of the run") << "pair";
}

void TestQueue::outputNeverReplacesAnInput()
{
    QFETCH(QString, spelling);
    const QString folder = m_dir.filePath(QString("self%1").arg(++m_counter));
    QDir().mkpath(folder + "/sub");
    QVERIFY(TestSupport::makeTone(folder + "/song.mp3", 0.5));
    const QByteArray before = readFile(folder + "/song.mp3");
    QList<MediaPtr> items {item(folder + "/song.mp3")};
    QString destination = folder + spelling;
    if (spelling == "link") {
        destination = folder + "-link";
        QVERIFY(QFile::link(folder, destination));
    } else if (spelling == "pair") {
        // song.wav → song.mp3 would replace the user's own song.mp3 of the batch.
        destination = folder;
        QVERIFY(QFile::copy(m_tone, folder + "/song.wav"));
        items.prepend(item(folder + "/song.wav"));
    }
    QVERIFY(run(items, "audio.mp3", destination));
    for (const MediaPtr &item : items)
        QCOMPARE(item->status(), MediaStatus::failed);
    QVERIFY(items.first()->errorMessage().value_or("").contains(u"would replace the input"));
    QCOMPARE(readFile(folder + "/song.mp3"), before);
    QCOMPARE(QDir(folder).entryList({".*.vireo-*"}, QDir::Files | QDir::Hidden), QStringList());
}

void TestQueue::sameOutputTwiceInOneRun_data()
{
    QTest::addColumn<bool>("overwrite");
    QTest::addColumn<bool>("keepStructure");
    QTest::newRow("overwrite on") << true << false;
    QTest::newRow("overwrite off") << false << false;
    QTest::newRow("folder structure kept") << false << true;
    QTest::newRow("a file where a folder goes") << true << true;
}

void TestQueue::sameOutputTwiceInOneRun()
{
    QFETCH(bool, overwrite);
    QFETCH(bool, keepStructure);
    Preferences::instance().setValue(PreferenceKeys::overwriteExisting, overwrite);
    Preferences::instance().setValue(PreferenceKeys::keepFolderStructure, keepStructure);
    const QString base = m_dir.filePath(QString("twins%1").arg(++m_counter));
    QDir().mkpath(base + "/Artist/A");
    QDir().mkpath(base + "/Artist/B");
    QVERIFY(QFile::copy(m_tone, base + "/Artist/A/song.wav"));
    // Names that differ only in case are one file where the destination folds case.
    QVERIFY(TestSupport::makeTone(base + "/Artist/B/Song.flac", 1.0));
    // A broken and an empty input fail alone; the batch goes on.
    QVERIFY(writeFile(base + "/broken.wav", QByteArray(4096, '\x5a')));
    QVERIFY(writeFile(base + "/empty.wav", {}));
    const QList<MediaPtr> items {item(base + "/broken.wav"), item(base + "/Artist/A/song.wav"),
                                 item(base + "/empty.wav"), item(base + "/Artist/B/Song.flac")};
    for (const MediaPtr &item : items)
        item->setImportRoot(base);
    const bool blocked = overwrite && keepStructure;
    QVERIFY(QDir().mkpath(base + "/out"));
    QVERIFY(!blocked || writeFile(base + "/out/Artist", "a file"));
    QVERIFY(run(items, "audio.mp3", base + "/out"));
    QVERIFY(!blocked
            || items[3]->errorMessage()->startsWith("Could not create the folder \"" + base
                                                    + "/out/Artist/B\" for \"Song.flac\": "));
    if (blocked)
        return;

    QCOMPARE(items[0]->status(), MediaStatus::failed);
    QVERIFY(!items[0]->errorMessage().value_or("ffmpeg failed").contains(u"ffmpeg failed"));
    QCOMPARE(items[1]->status(), MediaStatus::successful);
    QCOMPARE(items[2]->status(), MediaStatus::failed);
    // Within one run the later item never replaces the earlier one's output.
    QCOMPARE(items[3]->status(), keepStructure ? MediaStatus::successful : MediaStatus::failed);
    QCOMPARE(m_totals, (Totals {4, keepStructure ? 2 : 1, keepStructure ? 2 : 3}));
    // Refused at once or failed in a job: each started and ended once.
    QCOMPARE(m_started.size(), 4);
    QCOMPARE(m_ended.count(JobOutcomeKind::failed), keepStructure ? 2 : 3);
    if (keepStructure) {
        QCOMPARE(files(base + "/out/Artist/B"), QStringList {"Song.mp3"});
        QCOMPARE(items[3]->lastOutputPath(), base + "/out/Artist/B/Song.mp3");
    } else {
        QCOMPARE(*items[3]->errorMessage(),
                 "Another file in this batch is also converted to Song.mp3: " + base
                     + "/Artist/A/song.wav. Turn on \"Keep folder structure\" to give the files of "
                       "each folder their own folder.");
    }
    const QString first = base + (keepStructure ? "/out/Artist/A/song.mp3" : "/out/song.mp3");
    const auto probed = TestSupport::probe(first);
    QVERIFY(probed);
    QVERIFY(qAbs(probed->duration.value_or(0) - 0.5) < 0.1);
}

void TestQueue::earlierOutputKeptOrReplaced_data()
{
    QTest::addColumn<bool>("overwrite");
    QTest::addColumn<QString>("trimStart");
    QTest::addColumn<QString>("actions"); // of the fake ffmpeg; "" runs the real one
    QTest::addColumn<QString>("message"); // "" for success
    const auto row = [](const char *tag, bool overwrite, const char *trimStart, const char *actions,
                        const char *message) {
        QTest::newRow(tag) << overwrite << trimStart << actions << message;
    };
    row("overwrite on", true, "", "", "");
    row("overwrite off", false, "", "", "File '<out>/tone.mp3' already exists. Exiting.");
    // ffmpeg seeks past the end of a short input without complaint and
    // writes a file of headers only.
    row("trim past the end", true, "0:30", "",
        "The trimmed range is empty: \"tone.wav\" is shorter than the trim start 0:30");
    row("full disk, exit 0", true, "",
        "--stderr|[mp3 @ 0x1] Error writing trailer of out.mp3: No space left on "
        "device\\n|--exit|0",
        "[mp3 @ 0x1] Error writing trailer of out.mp3: No space left on device");
    row("write error, exit 0", true, "",
        "--stderr|av_interleaved_write_frame(): Input/output error\\n|--exit|0",
        "av_interleaved_write_frame(): Input/output error");
    row("no output written", true, "", "--exit|0", "The converter wrote no output file");
    row("failure keeps ffmpeg's reason", true, "",
        "--stderr|out.mp3: Input/output error\\nConversion failed!\\n|--exit|1",
        "out.mp3: Input/output error");
}

void TestQueue::earlierOutputKeptOrReplaced()
{
    QFETCH(bool, overwrite);
    QFETCH(QString, trimStart);
    QFETCH(QString, actions);
    QFETCH(QString, message);
    Preferences::instance().setValue(PreferenceKeys::overwriteExisting, overwrite);
    qputenv("FAKETOOL_ACTIONS", actions.toUtf8());
    const QString out = m_dir.filePath(QString("earlier%1").arg(++m_counter));
    QDir().mkpath(out);
    QVERIFY(writeFile(out + "/tone.mp3", "earlier output"));
    const MediaPtr tone = item(m_tone);
    QVERIFY(
        run({tone}, "audio.mp3", out, {!trimStart.isEmpty(), trimStart, {}, VideoScale::original}));
    QCOMPARE(tone->errorMessage().value_or(""), message.replace("<out>", out));
    QCOMPARE(tone->status(), message.isEmpty() ? MediaStatus::successful : MediaStatus::failed);
    if (message.isEmpty())
        QVERIFY(TestSupport::probe(out + "/tone.mp3").has_value());
    else
        QCOMPARE(readFile(out + "/tone.mp3"), QByteArray("earlier output"));
    QCOMPARE(files(out), QStringList {"tone.mp3"});
}

void TestQueue::safeOutputPrimitives()
{
    // What no run can be timed to hit: links to the input file, an output
    // that appears while converting, an empty output.
    const QString input = m_dir.filePath("x.mkv");
    QVERIFY(writeFile(input, "movie"));
    QVERIFY(QFile::link(input, m_dir.filePath("link.mkv")));
    QVERIFY(isSameFile(input, m_dir.filePath("link.mkv")));
    QVERIFY(!isSameFile(input, m_dir.filePath("x.mp4")));
    QVERIFY(temporaryPathFor("/out/Song.final.mp3").startsWith("/out/.Song.final.vireo-"));
    QVERIFY(temporaryPathFor("/out/a.mp3") != temporaryPathFor("/out/a.mp3"));

    const QString final = m_dir.filePath("a.mp3"), temp = temporaryPathFor(final);
    QVERIFY(writeFile(temp, "new") && writeFile(final, "earlier output"));
    QCOMPARE(commitOutput(temp, final, false), alreadyExistsMessage(final));
    QCOMPARE(readFile(final), QByteArray("earlier output"));
    QCOMPARE(commitOutput(temp, final, true), std::nullopt);
    QCOMPARE(readFile(final), QByteArray("new"));
    QVERIFY(!QFile::exists(temp));
    QVERIFY(commitOutput(temp, final, true).has_value());
    QCOMPARE(readFile(final), QByteArray("new"));
    QVERIFY(writeFile(temp, ""));
    QVERIFY(verifyOutput(temp).has_value());
    QCOMPARE(verifyOutput(final), std::nullopt);
}

void TestQueue::resetIfStale_data()
{
    QTest::addColumn<QString>("stored"); // "-" for none
    QTest::newRow("other signature") << "old";
    QTest::newRow("no signature") << "-";
}

void TestQueue::resetIfStale()
{
    // A stale success waits again with nothing of its run left. Which items
    // go stale, the workspace's test of every setting checks.
    QFETCH(QString, stored);
    Media item("/in/a.wav", MediaType(MediaGroup::audio, {}));
    item.setStatus(MediaStatus::successful);
    item.setProgress(0.7);
    item.setErrorMessage(QStringLiteral("earlier"));
    if (stored != u"-")
        item.setLastSuccessSignature(stored);
    item.resetIfStale(QStringLiteral("sig"));
    QCOMPARE(item.status(), MediaStatus::unprocessed);
    QCOMPARE(item.progress(), 0.0);
    QCOMPARE(item.errorMessage(), std::nullopt);
    // The last success is remembered whatever happens to the status.
    QCOMPARE(item.lastSuccessSignature().value_or("-"), stored);
}

void TestQueue::nameFits_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("short") << "Song.mp3";
    QTest::newRow("255 bytes") << QString(251, u'a') + ".mp3";
    QTest::newRow("cut inside a character") << u'a' + QString(125, QChar(0xE9)) + ".mp4";
    QTest::newRow("four-byte characters")
        << QString::fromUtf8("\xF0\x9F\x8E\xB5").repeated(62) + ".flac";
    QTest::newRow("no extension") << QString(255, u'b');
}

void TestQueue::nameFits()
{
    QFETCH(QString, name);
    QTemporaryDir dir;
    const QString temporary = temporaryPathFor(dir.filePath(name));
    const QByteArray bytes = QFile::encodeName(QFileInfo(temporary).fileName());
    QCOMPARE(QString::fromUtf8(bytes).toUtf8(), bytes); // no character cut in two
    QVERIFY(bytes.startsWith('.') && bytes.size() <= std::max<qsizetype>(name.toUtf8().size(), 64));
    QVERIFY(temporary.endsWith(name.sliced(name.lastIndexOf(u'.') + 1)) || !name.contains(u'.'));
    QVERIFY2(writeFile(temporary, "x"), qPrintable(temporary)); // really fits
}

void TestQueue::sweepRemovesOnlyOrphans_data()
{
    // Ours: .x.vireo-<machine>-<boot>-<pid>-<start>-<random>.mp3
    const QString live = QFileInfo(temporaryPathFor("/out/x.mp3")).fileName();
    const QStringList parts = live.split(u'-');
    const auto name = [&](const QString &boot, const QString &pid, const QString &start) {
        return QStringLiteral(".x.vireo-%1-%2-%3-%4-0123abcd.mp3").arg(parts[1], boot, pid, start);
    };
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("removed");
    QTest::newRow("this run") << live << false;
    QTest::newRow("id now another process's") << name(parts[2], parts[3], parts[4] + '1') << true;
    QTest::newRow("another machine") << QString(live).replace(parts[1], "00000000") << false;
    QTest::newRow("before the last boot") << name("00000000", parts[3], parts[4]) << true;
    QTest::newRow("a newline in the name")
        << ".x\ny" + name(parts[2], "99999999", parts[4]).mid(2) << true;
    QTest::newRow("older name, no owner") << ".x.vireo-1a2b3c4d.mp3" << false;
    QTest::newRow("more after it") << name(parts[2], "99999999", parts[4]) + ".part" << false;
    QTest::newRow("a newline after it") << name(parts[2], "99999999", parts[4]) + "\n" << false;
}

void TestQueue::sweepRemovesOnlyOrphans()
{
    QFETCH(QString, name);
    QFETCH(bool, removed);
    QTemporaryDir folder;
    QVERIFY(writeFile(folder.filePath(name), "x"));
    QCOMPARE(removeStaleTemporaries(folder.path()), int(removed));
    QCOMPARE(QFile::exists(folder.filePath(name)), !removed);
}

void TestQueue::killedRunLeavesNothingBehind()
{
    // ffmpeg writes its output, then hangs while $HANG names a file for its pid.
    QTemporaryDir dir;
    const QString script = dir.filePath("ffmpeg"), pidFile = dir.filePath("pid");
    QVERIFY(writeFile(script,
                      "#!/bin/sh\nfor last; do :; done; printf '1\\n0:0:1,0 --> 0:0:2,0\\nHi\\n' > "
                      "\"${last#file:}\"\n"
                      "[ -z \"$HANG\" ] || { echo $$ > \"$HANG\"; exec sleep 600; }\n"));
    QFile::setPermissions(script, QFile::ReadOwner | QFile::ExeOwner);
    QVERIFY(writeFile(dir.filePath("a.srt"), "1\n00:00:01,000 --> 00:00:02,000\nHi\n"));
    QDir(dir.path()).mkdir("out");
    const auto start = [&](const QString &hang) {
        auto *cli = new QProcess(this);
        TestSupport::startCli(
            *cli, {"-q", "-t", "subtitle.srt", "-o", dir.filePath("out"), dir.filePath("a.srt")},
            {{"VIREO_FFMPEG", script},
             {"HANG", hang},
             {"XDG_CONFIG_HOME", dir.filePath("config")}});
        return cli;
    };
    QProcess *cli = start(pidFile);
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(pidFile).size() > 0, 30000);
    ::kill(pid_t(cli->processId()), SIGKILL);
    const QByteArray toolPid = readFile(pidFile).trimmed();
    QTRY_VERIFY(TestSupport::isGone(toolPid)); // it ended with vireo-cli
    QCOMPARE(files(dir.filePath("out")).size(), 1); // the temporary file

    cli = start({});
    QVERIFY(cli->waitForFinished(60000));
    QCOMPARE(cli->exitCode(), 0);
    QCOMPARE(files(dir.filePath("out")), QStringList {"a.srt"}); // swept, and written
}

void TestQueue::dryRunIsWhatTheJobRuns_data()
{
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<bool>("runsFFmpeg");
    // Inputs (in the test's folder) and options, separated by spaces.
    const auto row = [](const char *tag, const char *inputs, const char *options, bool ffmpeg) {
        QTest::newRow(tag) << TestSupport::split(inputs) << TestSupport::split(options) << ffmpeg;
    };
    row("ffmpeg", "tone.wav", "--to audio.mp3 --trim-start 0.2", true);
    row("file given itself, structure kept", "tone.wav", "--to audio.mp3 --keep-structure", true);
    row("image path", "photo.heic", "--to image.jpg", false);
    row("webp through png", "photo.heic", "--to image.webp", true);
    row("microdvd through srt", "lines.srt", "--to subtitle.sub", true);
    // Refused alike: a source without audio, two files to one output.
    row("no audio", "silent.mkv", "--to video.extract-audio", false);
    row("same output twice", "tone.wav twin/Tone.flac", "--to audio.mp3", true);
}

void TestQueue::dryRunIsWhatTheJobRuns()
{
    QFETCH(QStringList, inputs);
    QFETCH(QStringList, options);
    QFETCH(bool, runsFFmpeg);
    const QString out = m_dir.filePath(QTest::currentDataTag());
    const QString record = out + ".argv";
    options << "-o" << out;
    for (const QString &input : inputs)
        options << m_dir.filePath(input);
    // The reason each input would be refused, or "" - and what a job said.
    QHash<QString, QString> refusals, failures;
    QStringList planned;
    for (const QJsonObject &event : cli(options + QStringList {"--dry-run"}, record)) {
        refusals.insert(event["input"].toString(), event["problem"].toString());
        if (!event.contains("problem"))
            planned = event["arguments"].toVariant().toStringList();
    }
    QVERIFY(!QFile::exists(record));
    for (const QJsonObject &event : cli(options, record))
        failures.insert(event["input"].toString(), event["error"].toString());
    QCOMPARE(failures, refusals);
    QCOMPARE(refusals.size(), inputs.size());
    // Only the outputs: no intermediate PNG or SRT, no temporary file.
    QCOMPARE(files(out).size(), qsizetype(refusals.values().count(QString())));
    QFile file(record);
    QCOMPARE(file.open(QIODevice::ReadOnly), runsFFmpeg);
    QCOMPARE(planned.isEmpty(), !runsFFmpeg);
    if (!runsFFmpeg)
        return;
    const QStringList ran = QString::fromUtf8(file.readAll()).split('\n');
    QCOMPARE(ran.count(QString()), 2); // one run: its arguments and the empty line
    QCOMPARE(withoutPaths(ran.mid(0, ran.size() - 2)), withoutPaths(planned));
    QCOMPARE(planned.contains("WINDOWS-1251"), inputs.first() == "lines.srt");
    QCOMPARE(QFileInfo(ran.at(ran.size() - 3).mid(5)).absolutePath(), out); // after "file:"
}

void TestQueue::cancelDoesNotWaitForHardwareDetection()
{
    // Slow enough that the detection is still under way when the job is cancelled.
    qputenv("FAKETOOL_ACTIONS", "--delay-ms|1500");
    Preferences::instance().setValue(PreferenceKeys::hardwareAcceleration, true);
    const MediaPtr item(new Media(m_tone, MediaType(MediaGroup::video, {})));
    item->setDuration(1.0);
    MediaJob *job = processMedia(item, *MediaTarget::fromId("video.mp4"), m_dir.path(), {});
    // Its output's lock taken, the job waits for the source's facts.
    const QString output = SafeOutput::canonicalOutputPath(job->outputPath());
    QVERIFY(TestSupport::waitUntil([&] { return OutputLocks::instance().isHeld(output); }));
    job->cancel();
    QVERIFY(TestSupport::waitFor(job));
    QVERIFY(!detectedHardwareProfile());
    QCOMPARE(item->status(), MediaStatus::cancelled);
    delete job;
    QVERIFY(TestSupport::waitUntil([] { return bool(detectedHardwareProfile()); }));
}

void TestQueue::removedItemsLeaveTheRun()
{
    qputenv("FAKETOOL_ACTIONS", "--delay-ms|1500"); // the first two jobs still run
    MediaSet set;
    const QString in = m_dir.filePath("removal");
    QDir().mkpath(in);
    for (const char *name : {"a.wav", "b.wav", "c.wav"})
        QFile::copy(m_tone, QDir(in).filePath(name));
    QVERIFY(TestSupport::waitFor(set.load({in})));
    Workspace workspace(&set);
    workspace.setGroup(MediaGroup::audio, set.media().value(MediaGroup::audio));
    workspace.setSelectedTarget(*MediaTarget::fromId("audio.mp3"));
    std::optional<Totals> last;
    connect(&workspace.queue(), &JobQueue::runFinished, this, [&](const Totals &t) { last = t; });
    workspace.process(m_dir.filePath("removal-out"));
    QTRY_COMPARE(workspace.queue().activeMedia().size(), 2);
    const QPointer<Media> running = workspace.queue().activeMedia().first().get();
    const QPointer<Media> pending = set.media().value(MediaGroup::audio).last().get();
    set.remove({running->id(), pending->id()});
    workspace.setGroup(MediaGroup::audio, set.media().value(MediaGroup::audio));
    QCOMPARE(workspace.queue().totals().total, 1);
    QVERIFY(TestSupport::waitUntil([&] { return last.has_value(); }));
    QCOMPARE(last->total, 1);
    QCOMPARE(last->completed + last->failed, 1);
    // Nothing holds the removed items any more: the running job let go too.
    QTRY_VERIFY(!running && !pending);
}

QTEST_GUILESS_MAIN(TestQueue)
#include "tst_queue.moc"
