#include "conversion/JobQueue.h"
#include "settings/Preferences.h"
#include "tools/MediaProbe.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <vips/vips8>

#include "TestSupport.h"

// Whole batches of files that look like users' files, through the queue and
// real ffmpeg, with every output probed afterwards.
class TestBatchConversion : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void audioTargets_data();
    void audioTargets();
    void videoTargets_data();
    void videoTargets();
    void heicThroughTheQueue();

private:
    QList<MediaPtr> items(const QStringList &paths, MediaGroup group);
    bool convert(const QList<MediaPtr> &batch, const QString &target, const QString &out);

    QTemporaryDir m_dir;
    QStringList m_songs;
    QString m_movie;
};

void TestBatchConversion::initTestCase()
{
    QVERIFY(m_dir.isValid());
    const QString cover = m_dir.filePath("cover.jpg");
    QVERIFY(TestSupport::makeMedia(
        cover, {"-f", "lavfi", "-i", "testsrc=size=300x300:duration=1", "-frames:v", "1"}));

    // An MP3 with tags and cover art, a FLAC with cover art, a mono 22 kHz M4A,
    // and a 5.1 96 kHz WAV.
    m_songs << m_dir.filePath("Song.mp3") << m_dir.filePath("Track.flac")
            << m_dir.filePath("Voice.m4a") << m_dir.filePath("Surround.wav");
    QVERIFY(TestSupport::makeMedia(m_songs[0],
                                   {"-f",
                                    "lavfi",
                                    "-i",
                                    "sine=frequency=330:duration=2",
                                    "-i",
                                    cover,
                                    "-map",
                                    "0:a",
                                    "-map",
                                    "1:v",
                                    "-c:a",
                                    "libmp3lame",
                                    "-c:v",
                                    "copy",
                                    "-disposition:v",
                                    "attached_pic",
                                    "-metadata",
                                    "title=A Song",
                                    "-metadata",
                                    "artist=Someone",
                                    "-id3v2_version",
                                    "3"}));
    QVERIFY(TestSupport::makeMedia(
        m_songs[1],
        {"-f", "lavfi", "-i", "sine=frequency=440:duration=2", "-i", cover, "-map", "0:a", "-map",
         "1:v", "-c:v", "copy", "-disposition:v", "attached_pic", "-metadata", "album=An Album"}));
    QVERIFY(TestSupport::makeMedia(m_songs[2],
                                   {"-f", "lavfi", "-i",
                                    "sine=frequency=550:sample_rate=22050:duration=2", "-ac", "1",
                                    "-c:a", "aac"}));
    QVERIFY(TestSupport::makeMedia(m_songs[3],
                                   {"-f", "lavfi", "-i",
                                    "sine=frequency=660:sample_rate=96000:duration=2,"
                                    "aformat=channel_layouts=5.1(side)"}));

    // A film: H.264 video, two audio tracks (stereo AAC, 5.1 AC3) and subtitles.
    const QString subtitles = m_dir.filePath("film.srt");
    QFile srt(subtitles);
    QVERIFY(srt.open(QIODevice::WriteOnly));
    srt.write("1\n00:00:00,500 --> 00:00:01,500\nHello\n");
    srt.close();
    m_movie = m_dir.filePath("Film.mkv");
    QVERIFY(
        TestSupport::makeMedia(m_movie,
                               {"-f",
                                "lavfi",
                                "-i",
                                "testsrc=size=320x240:rate=25:duration=2",
                                "-f",
                                "lavfi",
                                "-i",
                                "sine=frequency=440:duration=2",
                                "-f",
                                "lavfi",
                                "-i",
                                "sine=frequency=220:duration=2,aformat=channel_layouts=5.1(side)",
                                "-i",
                                subtitles,
                                "-map",
                                "0:v",
                                "-map",
                                "1:a",
                                "-map",
                                "2:a",
                                "-map",
                                "3:s",
                                "-c:v",
                                "libx264",
                                "-preset",
                                "ultrafast",
                                "-c:a:0",
                                "aac",
                                "-c:a:1",
                                "ac3",
                                "-c:s",
                                "srt",
                                "-metadata:s:a:1",
                                "language=fra"}));
}

void TestBatchConversion::init()
{
    Preferences &preferences = Preferences::instance();
    preferences.setValue(PreferenceKeys::hardwareAcceleration, false);
    preferences.setValue(PreferenceKeys::overwriteExisting, true);
    preferences.setValue(PreferenceKeys::maxConcurrentJobs, 2);
}

void TestBatchConversion::cleanup()
{
    QVERIFY(TestSupport::liveChildren().isEmpty());
}

QList<MediaPtr> TestBatchConversion::items(const QStringList &paths, MediaGroup group)
{
    QList<MediaPtr> list;
    for (const QString &path : paths)
        list << MediaPtr(new Media(path, MediaType(group, {})), &QObject::deleteLater);
    return list;
}

bool TestBatchConversion::convert(const QList<MediaPtr> &batch, const QString &target,
                                  const QString &out)
{
    QDir().mkpath(out);
    JobQueue queue;
    queue.enqueue(batch, MediaTarget::fromId(target).value(), out, {});
    return TestSupport::waitUntil([&] { return !queue.isRunning(); }, 120000);
}

void TestBatchConversion::audioTargets_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("codec"); // the audio codec's long name must contain it
    QTest::addColumn<bool>("keepsCover");
    QTest::newRow("mp3") << "audio.mp3"
                         << "MP3" << true;
    QTest::newRow("m4a") << "audio.m4a"
                         << "AAC" << true;
    QTest::newRow("aac") << "audio.aac"
                         << "AAC" << false;
    QTest::newRow("flac") << "audio.flac"
                          << "FLAC" << true;
    QTest::newRow("wav") << "audio.wav"
                         << "PCM signed 16-bit little-endian" << false;
    QTest::newRow("ogg") << "audio.ogg"
                         << "Vorbis" << false;
    QTest::newRow("opus") << "audio.opus"
                          << "Opus" << false;
    QTest::newRow("wma") << "audio.wma"
                         << "Windows Media Audio 2" << false;
    QTest::newRow("aiff") << "audio.aiff"
                          << "PCM signed 16-bit big-endian" << false;
}

void TestBatchConversion::audioTargets()
{
    QFETCH(QString, target);
    QFETCH(QString, codec);
    QFETCH(bool, keepsCover);

    // Realistic inputs plus a 0-byte file and a text file: those fail, the rest goes on.
    const QString empty = m_dir.filePath("Empty.mp3");
    QFile(empty).open(QIODevice::WriteOnly);
    const QString text = m_dir.filePath("Readme.wav");
    QFile file(text);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("These are not the sounds you are looking for.\n");
    file.close();

    const QList<MediaPtr> batch = items(m_songs + QStringList {empty, text}, MediaGroup::audio);
    const QString out = m_dir.filePath("audio-" + target);
    QVERIFY(convert(batch, target, out));

    const QString ext = MediaTarget::fromId(target)->ext;
    for (const MediaPtr &item : batch) {
        if (item->pathString() == empty || item->pathString() == text) {
            QCOMPARE(item->status(), MediaStatus::failed);
            QVERIFY(!item->errorMessage().value_or("").isEmpty());
            continue;
        }
        QVERIFY2(item->status() == MediaStatus::successful,
                 qPrintable(item->filename() + ": " + item->errorMessage().value_or("")));
        const QString output = out + u'/' + item->baseName() + u'.' + ext;
        const auto probed = TestSupport::probe(output);
        QVERIFY2(probed, qPrintable(output));
        QVERIFY(qAbs(probed->duration.value_or(0) - 2.0) < 0.2);
        int audio = 0, video = 0;
        for (const ProbeStream &stream : probed->streams) {
            if (stream.codecType == u"audio") {
                ++audio;
                QVERIFY2(stream.codecLongName.value_or("").contains(codec),
                         qPrintable(stream.codecLongName.value_or("?")));
            } else if (stream.codecType == u"video") {
                ++video;
            }
        }
        QCOMPARE(audio, 1);
        // Cover art stays a picture where the format keeps one, and never
        // becomes a video track anywhere else.
        const bool hadCover = item->filename() == u"Song.mp3" || item->filename() == u"Track.flac";
        QCOMPARE(video, keepsCover && hadCover ? 1 : 0);
    }
    QCOMPARE(QDir(out).entryList(QDir::Files | QDir::Hidden).size(), 4);
}

void TestBatchConversion::videoTargets_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("audioFormat");
    QTest::addColumn<QString>("container"); // format long name contains it
    QTest::addColumn<QString>("videoCodec"); // "-" for none
    QTest::newRow("mp4") << "video.mp4"
                         << ""
                         << "QuickTime"
                         << "H.264";
    QTest::newRow("webm") << "video.webm"
                          << ""
                          << "WebM"
                          << "VP9";
    QTest::newRow("mkv") << "video.mkv"
                         << ""
                         << "Matroska"
                         << "H.264";
    QTest::newRow("avi") << "video.avi"
                         << ""
                         << "AVI"
                         << "MPEG-4 part 2";
    QTest::newRow("extract m4a") << "video.extract-audio"
                                 << "m4a"
                                 << "QuickTime"
                                 << "-";
    QTest::newRow("extract flac") << "video.extract-audio"
                                  << "flac"
                                  << "FLAC"
                                  << "-";
}

void TestBatchConversion::videoTargets()
{
    QFETCH(QString, target);
    QFETCH(QString, audioFormat);
    QFETCH(QString, container);
    QFETCH(QString, videoCodec);
    if (!audioFormat.isEmpty())
        Preferences::instance().setValue(PreferenceKeys::videoToAudio, audioFormat);

    const QList<MediaPtr> batch = items({m_movie}, MediaGroup::video);
    const QString out = m_dir.filePath(
        "video-" + QString::fromLatin1(QTest::currentDataTag()).replace(u' ', u'-'));
    QVERIFY(convert(batch, target, out));
    QVERIFY2(batch[0]->status() == MediaStatus::successful,
             qPrintable(batch[0]->errorMessage().value_or("")));
    QCOMPARE(batch[0]->progress(), 1.0);

    const QString ext = audioFormat.isEmpty() ? MediaTarget::fromId(target)->ext : audioFormat;
    const auto probed = TestSupport::probe(out + "/Film." + ext);
    QVERIFY(probed);
    QVERIFY2(probed->formatLongName.value_or("").contains(container),
             qPrintable(probed->formatLongName.value_or("")));
    QVERIFY(qAbs(probed->duration.value_or(0) - 2.0) < 0.3);
    QStringList kinds;
    for (const ProbeStream &stream : probed->streams) {
        kinds << stream.codecType;
        if (stream.codecType == u"video")
            QVERIFY2(stream.codecLongName.value_or("").contains(videoCodec),
                     qPrintable(*stream.codecLongName));
    }
    QCOMPARE(kinds.count("video"), videoCodec == u"-" ? 0 : 1);
    QCOMPARE(kinds.count("audio"), 1);
    Preferences::instance().setValue(PreferenceKeys::videoToAudio, QStringLiteral("mp3"));
}

void TestBatchConversion::heicThroughTheQueue()
{
    QVERIFY(VIPS_INIT("tst_batchconversion") == 0);
    const QString photo = m_dir.filePath("IMG_0001.HEIC");
    vips::VImage::black(64, 48, vips::VImage::option()->set("bands", 3))
        .heifsave(photo.toUtf8().constData());
    const QList<MediaPtr> batch = items({photo}, MediaGroup::image);
    for (const QString &target : {QStringLiteral("image.png"), QStringLiteral("image.webp")}) {
        const QString out = m_dir.filePath("heic-" + target);
        QVERIFY(convert(batch, target, out));
        QVERIFY2(batch[0]->status() == MediaStatus::successful,
                 qPrintable(batch[0]->errorMessage().value_or("")));
        const auto probed = TestSupport::probe(out + "/IMG_0001." + MediaTarget::fromId(target)->ext);
        QVERIFY(probed);
        QCOMPARE(probed->streams.value(0).width, 64);
        QCOMPARE(QDir(out).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }
}

QTEST_GUILESS_MAIN(TestBatchConversion)
#include "tst_batchconversion.moc"
