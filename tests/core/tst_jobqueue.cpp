#include "conversion/JobQueue.h"
#include "conversion/SuccessSignature.h"
#include "settings/Preferences.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "TestSupport.h"

// The queue's scheduling, skip and cancel rules, with real ffmpeg runs.
class TestJobQueue : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void startsInOrderWithinTheLimit_data();
    void startsInOrderWithinTheLimit();
    void skipsUnchangedAndRedoesChanged();
    void enqueueDuringRunJoinsIt();
    void sameItemIsNotQueuedTwice();
    void cancelStopsRunningKeepsPending();
    void outputsFollowTheNameRule();

private:
    QList<MediaPtr> makeItems(const QString &folder, const QString &suffix, int count,
                              MediaGroup group);
    static bool waitIdle(JobQueue &queue, int timeoutMs = 120000);
    static QStringList outputFolderEntries(const QString &folder);

    QTemporaryDir m_dir;
    QString m_tone;
    QString m_movie;
    QString m_slowMovie;
    int m_counter = 0;
};

void TestJobQueue::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_tone = m_dir.filePath("tone.wav");
    QVERIFY(TestSupport::makeTone(m_tone, 0.5));
    m_movie = m_dir.filePath("clip.mkv");
    QVERIFY(TestSupport::makeMedia(m_movie,
                                   {"-f", "lavfi", "-i", "testsrc=size=160x120:rate=10:duration=1",
                                    "-f", "lavfi", "-i", "sine=duration=1", "-c:v", "mpeg4", "-c:a",
                                    "flac", "-shortest"}));
    // Large enough that encoding it takes a few seconds.
    m_slowMovie = m_dir.filePath("slow.mkv");
    QVERIFY(
        TestSupport::makeMedia(m_slowMovie,
                               {"-f", "lavfi", "-i", "testsrc2=size=1280x720:rate=30:duration=30",
                                "-c:v", "mpeg4", "-q:v", "2"}));
}

void TestJobQueue::init()
{
    Preferences &preferences = Preferences::instance();
    preferences.setValue(PreferenceKeys::maxConcurrentJobs, 2);
    preferences.setValue(PreferenceKeys::ignoreAlreadyProcessedFiles, true);
    preferences.setValue(PreferenceKeys::overwriteExisting, true);
    preferences.setValue(PreferenceKeys::hardwareAcceleration, false);
    preferences.setValue(PreferenceKeys::openDestinationOnFinish, true);
}

void TestJobQueue::cleanup()
{
    QVERIFY2(TestSupport::liveChildren().isEmpty(), "a child process was left running");
}

QList<MediaPtr> TestJobQueue::makeItems(const QString &folder, const QString &suffix, int count,
                                        MediaGroup group)
{
    QDir().mkpath(folder);
    QList<MediaPtr> items;
    for (int i = 0; i < count; ++i) {
        const QString path
            = QDir(folder).filePath(QStringLiteral("item%1.%2").arg(++m_counter).arg(suffix));
        QFile::copy(suffix == u"wav" ? m_tone : m_movie, path);
        items << MediaPtr(new Media(path, MediaType(group, {})), &QObject::deleteLater);
    }
    return items;
}

bool TestJobQueue::waitIdle(JobQueue &queue, int timeoutMs)
{
    return TestSupport::waitUntil([&] { return !queue.isRunning(); }, timeoutMs);
}

QStringList TestJobQueue::outputFolderEntries(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

void TestJobQueue::startsInOrderWithinTheLimit_data()
{
    QTest::addColumn<int>("preference");
    QTest::addColumn<int>("limit");
    QTest::newRow("two") << 2 << 2;
    QTest::newRow("one") << 1 << 1;
    QTest::newRow("zero") << 0 << 1;
    QTest::newRow("negative") << -3 << 1;
}

void TestJobQueue::startsInOrderWithinTheLimit()
{
    QFETCH(int, preference);
    QFETCH(int, limit);
    Preferences::instance().setValue(PreferenceKeys::maxConcurrentJobs, preference);

    const QString out = m_dir.filePath(QStringLiteral("order-%1").arg(preference));
    QDir().mkpath(out);
    const QList<MediaPtr> items = makeItems(m_dir.filePath("in"), "wav", 5, MediaGroup::audio);
    JobQueue queue;
    QStringList opened;
    queue.setDestinationOpener([&](const QString &folder) { opened << folder; });

    QStringList startOrder;
    int running = 0, peak = 0;
    for (const MediaPtr &item : items) {
        connect(item.get(), &Media::statusChanged, this, [&, raw = item.get()] {
            if (raw->status() == MediaStatus::processing) {
                startOrder << raw->filename();
                peak = std::max(peak, ++running);
            } else {
                --running;
            }
        });
    }
    std::optional<Totals> lastBeforeEnd;
    connect(&queue, &JobQueue::runFinished, this,
            [&](const Totals &totals) { lastBeforeEnd = totals; });

    queue.enqueue(items, MediaTarget::fromId("audio.mp3").value(), out, {});
    QVERIFY(queue.isRunning());
    QVERIFY(queue.startedAt().has_value());
    QCOMPARE(queue.maxConcurrent(), limit);
    QCOMPARE(queue.totals().total, 5);
    QVERIFY(waitIdle(queue));

    // Jobs start in list order; a job shows "processing" once its duration
    // probe is back, so the first jobs of a batch may swap places there.
    QStringList expected;
    for (const MediaPtr &item : items)
        expected << item->filename();
    QCOMPARE(QSet<QString>(startOrder.cbegin(), startOrder.cbegin() + limit),
             QSet<QString>(expected.cbegin(), expected.cbegin() + limit));
    if (limit == 1)
        QCOMPARE(startOrder, expected);
    QCOMPARE(QSet<QString>(startOrder.cbegin(), startOrder.cend()),
             QSet<QString>(expected.cbegin(), expected.cend()));
    QCOMPARE(peak, limit);
    QCOMPARE(lastBeforeEnd, (Totals {5, 5, 0}));
    QCOMPARE(queue.totals(), Totals());
    QVERIFY(!queue.startedAt());
    QCOMPARE(opened, QStringList {out});
    for (const MediaPtr &item : items)
        QCOMPARE(item->status(), MediaStatus::successful);
    QCOMPARE(outputFolderEntries(out).size(), 5); // no temporary file left beside them
}

void TestJobQueue::skipsUnchangedAndRedoesChanged()
{
    const QString out = m_dir.filePath("skip");
    QDir().mkpath(out);
    QList<MediaPtr> items = makeItems(m_dir.filePath("in"), "mkv", 2, MediaGroup::video);
    const MediaTarget mp4 = MediaTarget::fromId("video.mp4").value();
    JobQueue queue;
    queue.enqueue(items, mp4, out, {});
    QVERIFY(waitIdle(queue));
    QCOMPARE(items[0]->status(), MediaStatus::successful);
    QCOMPARE(items[0]->lastSuccessSignature(), successSignature(mp4, {}));

    // Unchanged settings: nothing converts, everything counts as completed.
    int transitions = 0;
    for (const MediaPtr &item : items)
        connect(item.get(), &Media::statusChanged, this, [&] { ++transitions; });
    std::optional<Totals> totals;
    connect(&queue, &JobQueue::runFinished, this, [&](const Totals &t) { totals = t; });
    const QDateTime firstModified
        = QFileInfo(QDir(out).filePath(items[0]->baseName() + ".mp4")).lastModified();
    queue.enqueue(items, mp4, out, {});
    QVERIFY(waitIdle(queue));
    QCOMPARE(transitions, 0);
    QCOMPARE(totals, (Totals {2, 2, 0}));
    QCOMPARE(QFileInfo(QDir(out).filePath(items[0]->baseName() + ".mp4")).lastModified(),
             firstModified);

    // A new scale changes the video signature: both convert again.
    BatchSettings scaled;
    scaled.scale = VideoScale::p360;
    queue.enqueue(items, mp4, out, scaled);
    QVERIFY(waitIdle(queue));
    QCOMPARE(transitions, 4); // processing, then successful, for each
    QCOMPARE(items[1]->lastSuccessSignature(), successSignature(mp4, scaled));

    // With skipping off everything converts again.
    Preferences::instance().setValue(PreferenceKeys::ignoreAlreadyProcessedFiles, false);
    queue.enqueue(items, mp4, out, scaled);
    QVERIFY(waitIdle(queue));
    QCOMPARE(transitions, 8);
}

void TestJobQueue::enqueueDuringRunJoinsIt()
{
    Preferences::instance().setValue(PreferenceKeys::maxConcurrentJobs, 1);
    const QList<MediaPtr> first = makeItems(m_dir.filePath("in"), "wav", 3, MediaGroup::audio);
    const QList<MediaPtr> second = makeItems(m_dir.filePath("in"), "wav", 2, MediaGroup::audio);
    QDir().mkpath(m_dir.filePath("join-a"));
    QDir().mkpath(m_dir.filePath("join-b"));
    JobQueue queue;
    std::optional<Totals> totals;
    connect(&queue, &JobQueue::runFinished, this, [&](const Totals &t) { totals = t; });
    queue.enqueue(first, MediaTarget::fromId("audio.mp3").value(), m_dir.filePath("join-a"), {});
    const auto startedAt = queue.startedAt();
    queue.enqueue(second, MediaTarget::fromId("audio.flac").value(), m_dir.filePath("join-b"), {});
    QCOMPARE(queue.startedAt(), startedAt);
    QCOMPARE(queue.totals().total, 5);
    QVERIFY(waitIdle(queue));
    QCOMPARE(totals, (Totals {5, 5, 0}));
    // The first item had started; the pending ones took the new target and folder.
    QCOMPARE(outputFolderEntries(m_dir.filePath("join-a")),
             QStringList {first[0]->baseName() + ".mp3"});
    QCOMPARE(outputFolderEntries(m_dir.filePath("join-b")).size(), 4);
}

void TestJobQueue::sameItemIsNotQueuedTwice()
{
    const QList<MediaPtr> items = makeItems(m_dir.filePath("in"), "wav", 2, MediaGroup::audio);
    JobQueue queue;
    std::optional<Totals> totals;
    connect(&queue, &JobQueue::runFinished, this, [&](const Totals &t) { totals = t; });
    const MediaTarget mp3 = MediaTarget::fromId("audio.mp3").value();
    QDir().mkpath(m_dir.filePath("twice"));
    queue.enqueue(items, mp3, m_dir.filePath("twice"), {});
    queue.enqueue(items, mp3, m_dir.filePath("twice"), {});
    QCOMPARE(queue.totals().total, 2);
    QVERIFY(waitIdle(queue));
    QCOMPARE(totals, (Totals {2, 2, 0}));
}

void TestJobQueue::cancelStopsRunningKeepsPending()
{
    QList<MediaPtr> items;
    for (int i = 0; i < 5; ++i) {
        const QString path = m_dir.filePath(QStringLiteral("slow%1.mkv").arg(i));
        QFile::copy(m_slowMovie, path);
        items << MediaPtr(new Media(path, MediaType(MediaGroup::video, {})), &QObject::deleteLater);
    }
    const QString out = m_dir.filePath("cancel");
    QDir().mkpath(out);
    JobQueue queue;
    int completions = 0;
    queue.setDestinationOpener([&](const QString &) { ++completions; });
    std::optional<Totals> totals;
    connect(&queue, &JobQueue::runFinished, this, [&](const Totals &t) { totals = t; });
    queue.enqueue(items, MediaTarget::fromId("video.mp4").value(), out, {});
    QTRY_VERIFY_WITH_TIMEOUT(items[0]->progress() > 0 && items[1]->progress() > 0, 30000);
    QCOMPARE(queue.activeCount(), 2);
    queue.cancelAll();
    QVERIFY(waitIdle(queue, 10000));

    QCOMPARE(items[0]->status(), MediaStatus::cancelled);
    QCOMPARE(items[1]->status(), MediaStatus::cancelled);
    QCOMPARE(items[0]->errorMessage(), std::nullopt);
    for (int i = 2; i < 5; ++i)
        QCOMPARE(items[i]->status(), MediaStatus::unprocessed);
    QCOMPARE(totals, (Totals {5, 0, 2}));
    QCOMPARE(completions, 1);
    QCOMPARE(queue.totals(), Totals());
    QCOMPARE(outputFolderEntries(out), QStringList()); // no partial or temporary file
}

void TestJobQueue::outputsFollowTheNameRule()
{
    QDir().mkpath(m_dir.filePath("names"));
    const QString song = m_dir.filePath("names/Song.FLAC");
    QVERIFY(TestSupport::makeTone(m_dir.filePath("names/tmp.flac"), 0.3));
    QVERIFY(QFile::rename(m_dir.filePath("names/tmp.flac"), song));
    const QString dotted = m_dir.filePath("names/a.b.wav");
    QFile::copy(m_tone, dotted);
    const QString clip = m_dir.filePath("names/Clip.mov");
    QFile::copy(m_movie, clip);

    Preferences::instance().setValue(PreferenceKeys::videoToAudio, QStringLiteral("m4a"));
    const auto item = [](const QString &path, MediaGroup group) {
        return MediaPtr(new Media(path, MediaType(group, {})), &QObject::deleteLater);
    };
    const QString out = m_dir.filePath("names-out");
    QDir().mkpath(out);
    JobQueue queue;
    queue.enqueue({item(song, MediaGroup::audio), item(dotted, MediaGroup::audio)},
                  MediaTarget::fromId("audio.mp3").value(), out, {});
    QVERIFY(waitIdle(queue));
    queue.enqueue({item(clip, MediaGroup::video)}, MediaTarget::extractAudioTarget(), out, {});
    QVERIFY(waitIdle(queue));
    Preferences::instance().setValue(PreferenceKeys::videoToAudio, QStringLiteral("mp3"));
    QCOMPARE(outputFolderEntries(out), (QStringList {"Clip.m4a", "Song.mp3", "a.b.mp3"}));
}

QTEST_GUILESS_MAIN(TestJobQueue)
#include "tst_jobqueue.moc"
