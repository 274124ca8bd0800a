#include "conversion/ClassificationProbe.h"
#include "model/MediaGroup.h"
#include "model/MediaType.h"
#include "tools/ProbeResult.h"

#include <QDir>
#include <QFile>
#include <QFutureWatcher>
#include <QMimeDatabase>
#include <QTemporaryDir>
#include <QTest>
#include <QtConcurrent>

#include <vips/vips8>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "TestSupport.h"

using TestSupport::makeMedia;
using TestSupport::split;
using TestSupport::writeFile;

class TestMediaType : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void classify_data();
    void classify();
    void classifyDoesNotOpenFifo();
    void groupFromProbe_data();
    void groupFromProbe();
    void groupRawValues();

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
};

void TestMediaType::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(VIPS_INIT("tst_mediatype") == 0);
    const QStringList tone = split("-f lavfi -i sine=duration=1");
    const QStringList picture = split("-f lavfi -i testsrc=duration=1:size=64x64");
    const QStringList video = picture + tone + split("-pix_fmt yuv420p");

    QVERIFY(makeMedia(path("cover.mp3"),
                      (tone
                       + split("-f lavfi -i color=c=red:size=64x64:duration=1 -map 0 "
                               "-map 1 -c:v mjpeg -disposition:v attached_pic"))));
    QVERIFY(makeMedia(path("clip.ts"), video));
    QVERIFY(makeMedia(path("clip.mp4"), video));
    QVERIFY(makeMedia(path("clip.mjpeg"), picture + split("-c:v mjpeg -f mjpeg")));
    QVERIFY(makeMedia(path("song.ogg"), tone + split("-c:a libvorbis")));
    QVERIFY(makeMedia(path("song.m4a"), tone + split("-c:a aac")));
    const vips::VImage black = vips::VImage::black(64, 64, vips::VImage::option()->set("bands", 3));
    black.heifsave(path("photo.heic").toUtf8().constData());
    black.heifsave(path("photo.avif").toUtf8().constData(),
                   vips::VImage::option()->set("compression", VIPS_FOREIGN_HEIF_COMPRESSION_AV1));
    // Contents the MIME database cannot place but the probe can: Matroska without
    // its extension, and QOI, a picture format it does not know.
    QVERIFY(makeMedia(path("song.mka"), tone + split("-f matroska")));
    QVERIFY(QFile::rename(path("song.mka"), path("song.blob")));
    QVERIFY(makeMedia(path("clip.mkv.tmp"), video + split("-f matroska")));
    QVERIFY(QFile::rename(path("clip.mkv.tmp"), path("clip.blob")));
    QVERIFY(makeMedia(path("still.qoi"), picture + split("-frames:v 1 -c:v qoi")));

    QVERIFY(writeFile(path("Episode.SRT"), "1\n00:00:00,000 --> 00:00:01,000\nHello\n"));
    QVERIFY(writeFile(path("notes.Vtt"), "WEBVTT\n\n00:00.000 --> 00:00:01.000\nHello\n"));
    QVERIFY(writeFile(path("styled.ass"), "[Script Info]\nScriptType: v4.00+\n\n[Events]\n"));
    QVERIFY(writeFile(path("frames.sub"), "{0}{25}Hello\n"));
    QVERIFY(writeFile(path("strings.ts"),
                      "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n"
                      "<TS version=\"2.1\" language=\"de\">\n"
                      "<context><name>Main</name></context>\n</TS>\n"));
    QVERIFY(writeFile(path("album.m3u"), "#EXTM3U\n#EXTINF:1,Song\nsong.ogg\n"));
    QVERIFY(writeFile(path("readme.txt"), "not media\n"));
    QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("folder.mp4")));
}

void TestMediaType::classify_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<MediaGroup>("group");
    QTest::addColumn<bool>("probed");
    // Unprobed: the MIME type whose description is expected, if any;
    // probed: the exact description.
    QTest::addColumn<QString>("descr");

    const auto row = [](const char *file, MediaGroup group, bool probed, const char *descr) {
        QTest::newRow(file) << QString::fromLatin1(file) << group << probed
                            << QString::fromLatin1(descr);
    };
    row("cover.mp3", MediaGroup::audio, false, "audio/mpeg");
    row("clip.ts", MediaGroup::video, false, "video/mp2t");
    row("clip.mp4", MediaGroup::video, false, "video/mp4");
    // Its MIME type derives from image/jpeg; the type's own name decides.
    row("clip.mjpeg", MediaGroup::video, false, "video/x-mjpeg");
    row("song.ogg", MediaGroup::audio, false, "audio/x-vorbis+ogg");
    row("song.m4a", MediaGroup::audio, false, "audio/mp4");
    row("photo.heic", MediaGroup::image, false, "image/heif");
    row("photo.avif", MediaGroup::image, false, "image/avif");
    row("Episode.SRT", MediaGroup::subtitle, false, "application/x-subrip");
    row("notes.Vtt", MediaGroup::subtitle, false, "text/vtt");
    row("styled.ass", MediaGroup::subtitle, false, "text/x-ssa");
    row("frames.sub", MediaGroup::subtitle, false, "text/x-microdvd");
    row("album.m3u", MediaGroup::other, false, "audio/x-mpegurl");
    row("song.blob", MediaGroup::audio, true, "Matroska / WebM");
    row("clip.blob", MediaGroup::video, true, "Matroska / WebM");
    row("still.qoi", MediaGroup::image, true, "piped qoi sequence");
    row("strings.ts", MediaGroup::other, true, "");
    row("readme.txt", MediaGroup::other, true, "");
    row("missing.mp3", MediaGroup::other, false, "");
    row("folder.mp4", MediaGroup::other, false, "");
}

void TestMediaType::classify()
{
    QFETCH(QString, file);
    QFETCH(MediaGroup, group);
    QFETCH(bool, probed);
    QFETCH(QString, descr);

    int probes = 0;
    const MediaType type = MediaType::classify(path(file), [&probes](const QString &p) {
        ++probes;
        const std::optional<ProbeResult> result = TestSupport::probe(p);
        return result ? std::optional(classificationSummary(*result)) : std::nullopt;
    });
    QCOMPARE(rawValue(type.group()), rawValue(group));
    if (!probed && !descr.isEmpty())
        descr = QMimeDatabase().mimeTypeForName(descr).comment();
    QCOMPARE(type.descr(), descr);
    QCOMPARE(probes, probed ? 1 : 0);
}

// A reader would wait forever for a writer on a FIFO, and so would the import.
void TestMediaType::classifyDoesNotOpenFifo()
{
    const QString fifo = path(QStringLiteral("pipe.mp3"));
    QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);

    QFutureWatcher<MediaType> watcher;
    watcher.setFuture(
        QtConcurrent::run([fifo] { return MediaType::classify(fifo, &probeForClassification); }));
    const bool done = QTest::qWaitFor([&watcher] { return watcher.isFinished(); }, 20000);
    if (!done) {
        // Release the blocked reader so that the test can end.
        const int fd = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0)
            ::close(fd);
        watcher.waitForFinished();
    }
    QVERIFY(done);
    QCOMPARE(watcher.result(), MediaType());
}

void TestMediaType::groupFromProbe_data()
{
    QTest::addColumn<QStringList>("streams");
    QTest::addColumn<std::optional<double>>("duration");
    QTest::addColumn<MediaGroup>("group");

    const auto row = [](const char *tag, const char *streams, std::optional<double> duration,
                        MediaGroup group) {
        QTest::newRow(tag) << QString::fromLatin1(streams).split(u' ', Qt::SkipEmptyParts)
                           << duration << group;
    };
    row("one audio", "audio", 2.0, MediaGroup::audio);
    row("video with length", "video", 2.0, MediaGroup::video);
    row("video, no length", "video", {}, MediaGroup::image);
    row("video, zero length", "video", 0.0, MediaGroup::image);
    row("audio and video", "audio video", 3.0, MediaGroup::video);
    row("subtitle", "subtitle", {}, MediaGroup::subtitle);
    row("data", "data", 1.0, MediaGroup::other);
    row("case differs", "Audio", 1.0, MediaGroup::other);
    row("no streams", "", 1.0, MediaGroup::other);
}

void TestMediaType::groupFromProbe()
{
    QFETCH(QStringList, streams);
    QFETCH(std::optional<double>, duration);
    QFETCH(MediaGroup, group);

    ProbeResult result;
    result.duration = duration;
    for (const QString &kind : streams)
        result.streams.append(ProbeStream {.codecType = kind});
    QCOMPARE(rawValue(MediaType::groupFromProbe(classificationSummary(result))), rawValue(group));
}

// The raw values are stored; each reads back as its own group and nothing else does.
void TestMediaType::groupRawValues()
{
    for (MediaGroup group : allGroups())
        QCOMPARE(mediaGroupFromRawValue(rawValue(group)), group);
    for (const char *raw : {"images", "Image", "Subtitle", "", " Audio"})
        QVERIFY2(!mediaGroupFromRawValue(QString::fromLatin1(raw)), raw);
}

QTEST_GUILESS_MAIN(TestMediaType)
#include "tst_mediatype.moc"
