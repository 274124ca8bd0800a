#include "conversion/JobQueue.h"
#include "settings/Preferences.h"
#include "tools/MediaProbe.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "TestSupport.h"

// A conversion never loses a file: not its input, not an earlier output,
// not another file of the batch.
class TestNeverLose : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void outputNeverReplacesItsInput_data();
    void outputNeverReplacesItsInput();
    void outputNeverReplacesAnotherInputOfTheRun();
    void existingOutputKeptOrReplaced_data();
    void existingOutputKeptOrReplaced();
    void sameOutputTwiceInOneRun_data();
    void sameOutputTwiceInOneRun();
    void corruptInputFailsAndBatchGoesOn();
    void microDvdOutputThroughSrt();

private:
    MediaPtr item(const QString &path, MediaGroup group = MediaGroup::audio);
    bool runBatch(const QList<MediaPtr> &items, const QString &target, const QString &destination);
    static QByteArray digest(const QString &path);
    static QStringList hiddenLeftovers(const QString &folder);

    QTemporaryDir m_dir;
    QString m_tone;
};

void TestNeverLose::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_tone = m_dir.filePath("tone.wav");
    QVERIFY(TestSupport::makeTone(m_tone, 0.5));
}

void TestNeverLose::init()
{
    Preferences::instance().setValue(PreferenceKeys::overwriteExisting, true);
    Preferences::instance().setValue(PreferenceKeys::ignoreAlreadyProcessedFiles, false);
}

void TestNeverLose::cleanup()
{
    QVERIFY(TestSupport::liveChildren().isEmpty());
}

MediaPtr TestNeverLose::item(const QString &path, MediaGroup group)
{
    return MediaPtr(new Media(path, MediaType(group, {})), &QObject::deleteLater);
}

bool TestNeverLose::runBatch(const QList<MediaPtr> &items, const QString &target,
                             const QString &destination)
{
    JobQueue queue;
    queue.enqueue(items, MediaTarget::fromId(target).value(), destination, {});
    return TestSupport::waitUntil([&] { return !queue.isRunning(); });
}

QByteArray TestNeverLose::digest(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<missing>";
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex();
}

QStringList TestNeverLose::hiddenLeftovers(const QString &folder)
{
    return QDir(folder).entryList({".*.vireo-*"}, QDir::Files | QDir::Hidden);
}

void TestNeverLose::outputNeverReplacesItsInput_data()
{
    QTest::addColumn<QString>("spelling");
    QTest::newRow("same folder") << "";
    QTest::newRow("dot") << "/.";
    QTest::newRow("dot dot") << "/sub/..";
    QTest::newRow("symbolic link") << "link";
}

void TestNeverLose::outputNeverReplacesItsInput()
{
    QFETCH(QString, spelling);
    const QString folder = m_dir.filePath(
        QStringLiteral("self-%1").arg(QTest::currentDataTag()).replace(u' ', u'-'));
    QDir().mkpath(folder + "/sub");
    const QString input = folder + "/song.mp3";
    QVERIFY(TestSupport::makeTone(input, 0.5));
    const QByteArray before = digest(input);

    QString destination = folder + spelling;
    if (spelling == u"link") {
        destination
            = m_dir.filePath(QStringLiteral("link-to-%1").arg(QFileInfo(folder).fileName()));
        QVERIFY(QFile::link(folder, destination));
    }
    const MediaPtr song = item(input);
    QVERIFY(runBatch({song}, "audio.mp3", destination));
    QCOMPARE(song->status(), MediaStatus::failed);
    QVERIFY(song->errorMessage().value_or("").contains(u"would replace the input"));
    QCOMPARE(digest(input), before);
    QCOMPARE(hiddenLeftovers(folder), QStringList());
}

void TestNeverLose::outputNeverReplacesAnotherInputOfTheRun()
{
    // song.wav → song.mp3 would replace the user's own song.mp3 of the batch.
    const QString folder = m_dir.filePath("pair");
    QDir().mkpath(folder);
    QVERIFY(QFile::copy(m_tone, folder + "/song.wav"));
    QVERIFY(TestSupport::makeTone(folder + "/song.mp3", 0.3));
    const QByteArray before = digest(folder + "/song.mp3");
    const MediaPtr wav = item(folder + "/song.wav");
    const MediaPtr mp3 = item(folder + "/song.mp3");
    QVERIFY(runBatch({wav, mp3}, "audio.mp3", folder));
    QCOMPARE(wav->status(), MediaStatus::failed);
    QCOMPARE(mp3->status(), MediaStatus::failed);
    QCOMPARE(digest(folder + "/song.mp3"), before);
}

void TestNeverLose::existingOutputKeptOrReplaced_data()
{
    QTest::addColumn<bool>("overwrite");
    QTest::newRow("overwrite off") << false;
    QTest::newRow("overwrite on") << true;
}

void TestNeverLose::existingOutputKeptOrReplaced()
{
    QFETCH(bool, overwrite);
    Preferences::instance().setValue(PreferenceKeys::overwriteExisting, overwrite);
    const QString out = m_dir.filePath(overwrite ? "existing-on" : "existing-off");
    QDir().mkpath(out);
    const QString earlier = out + "/tone.mp3";
    QFile file(earlier);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("an earlier output");
    file.close();

    const MediaPtr tone = item(m_tone);
    QVERIFY(runBatch({tone}, "audio.mp3", out));
    if (overwrite) {
        QCOMPARE(tone->status(), MediaStatus::successful);
        QVERIFY(TestSupport::probe(earlier).has_value());
    } else {
        QCOMPARE(tone->status(), MediaStatus::failed);
        QCOMPARE(*tone->errorMessage(),
                 QStringLiteral("File '%1' already exists. Exiting.").arg(earlier));
        QCOMPARE(digest(earlier),
                 QCryptographicHash::hash("an earlier output", QCryptographicHash::Sha256).toHex());
    }
    QCOMPARE(hiddenLeftovers(out), QStringList());
}

void TestNeverLose::sameOutputTwiceInOneRun_data()
{
    QTest::addColumn<bool>("overwrite");
    QTest::newRow("overwrite on") << true;
    QTest::newRow("overwrite off") << false;
}

void TestNeverLose::sameOutputTwiceInOneRun()
{
    QFETCH(bool, overwrite);
    Preferences::instance().setValue(PreferenceKeys::overwriteExisting, overwrite);
    const QString base = m_dir.filePath(overwrite ? "twins-on" : "twins-off");
    QDir().mkpath(base + "/a");
    QDir().mkpath(base + "/b");
    QDir().mkpath(base + "/out");
    QVERIFY(QFile::copy(m_tone, base + "/a/song.wav"));
    QVERIFY(TestSupport::makeTone(base + "/b/song.flac", 1.0));
    const MediaPtr first = item(base + "/a/song.wav");
    const MediaPtr second = item(base + "/b/song.flac");
    QVERIFY(runBatch({first, second}, "audio.mp3", base + "/out"));

    QCOMPARE(first->status(), MediaStatus::successful);
    QCOMPARE(second->status(), overwrite ? MediaStatus::successful : MediaStatus::failed);
    // Whole files only, written one after the other in list order: with
    // overwriting on the later one replaces the earlier.
    const auto probed = TestSupport::probe(base + "/out/song.mp3");
    QVERIFY(probed);
    QVERIFY(qAbs(probed->duration.value_or(0) - (overwrite ? 1.0 : 0.5)) < 0.1);
    QCOMPARE(QDir(base + "/out").entryList(QDir::Files | QDir::Hidden), QStringList {"song.mp3"});
}

void TestNeverLose::corruptInputFailsAndBatchGoesOn()
{
    const QString folder = m_dir.filePath("corrupt");
    QDir().mkpath(folder + "/out");
    QFile junk(folder + "/broken.wav");
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, '\x5a'));
    junk.close();
    QFile empty(folder + "/empty.wav");
    QVERIFY(empty.open(QIODevice::WriteOnly));
    empty.close();
    QVERIFY(QFile::copy(m_tone, folder + "/fine.wav"));

    const MediaPtr broken = item(folder + "/broken.wav");
    const MediaPtr zero = item(folder + "/empty.wav");
    const MediaPtr fine = item(folder + "/fine.wav");
    QVERIFY(runBatch({broken, zero, fine}, "audio.mp3", folder + "/out"));
    QCOMPARE(broken->status(), MediaStatus::failed);
    QVERIFY(!broken->errorMessage().value_or("").isEmpty());
    QVERIFY(!broken->errorMessage()->contains(u"ffmpeg failed"));
    QCOMPARE(zero->status(), MediaStatus::failed);
    QCOMPARE(fine->status(), MediaStatus::successful);
    QCOMPARE(QDir(folder + "/out").entryList(QDir::Files | QDir::Hidden), QStringList {"fine.mp3"});
}

void TestNeverLose::microDvdOutputThroughSrt()
{
    const QString folder = m_dir.filePath("subs");
    QDir().mkpath(folder + "/out");
    QFile srt(folder + "/Episode.srt");
    QVERIFY(srt.open(QIODevice::WriteOnly));
    srt.write("1\n00:00:01,000 --> 00:00:02,000\nHello\nthere\n\n2\n00:00:03,000 --> "
              "00:00:04,500\nBye\n");
    srt.close();
    const MediaPtr episode = item(folder + "/Episode.srt", MediaGroup::subtitle);
    QVERIFY(runBatch({episode}, "subtitle.sub", folder + "/out"));
    QCOMPARE(episode->status(), MediaStatus::successful);
    QFile sub(folder + "/out/Episode.sub");
    QVERIFY(sub.open(QIODevice::ReadOnly));
    QCOMPARE(sub.readAll(), QByteArray("{1}{1}23.976\n{24}{48}Hello|there\n{72}{108}Bye\n"));
    QCOMPARE(QDir(folder + "/out").entryList(QDir::Files | QDir::Hidden),
             QStringList {"Episode.sub"});
}

QTEST_GUILESS_MAIN(TestNeverLose)
#include "tst_neverlose.moc"
