#include "conversion/ArgumentBuilder.h"
#include "conversion/MediaJob.h"
#include "settings/ConversionSettings.h"

#include <QTemporaryDir>
#include <QTest>
#include <QtConcurrent>

#include "TestSupport.h"

// Tags and the front cover through every audio target and from a video,
// written by the real ffmpeg and read back in-process.
class TestMetadata : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void keepsWhatTheFormatHolds_data();
    void keepsWhatTheFormatHolds();

private:
    QTemporaryDir m_dir;
};

namespace {

const QStringList musicTags {"title=Tide", "artist=Ana Ré", "album=Shore", "track=3", "date=2001"};

std::optional<MediaTags> tagsOf(const QString &path)
{
    return QtConcurrent::run(&readMediaTags, path).result();
}

} // namespace

void TestMetadata::keepsWhatTheFormatHolds_data()
{
    const QString cover = m_dir.filePath("cover.jpg");
    QVERIFY(TestSupport::makeMedia(cover, TestSupport::split("-f lavfi -i testsrc2=s=200x200 "
                                                             "-frames:v 1")));
    QStringList flac {"-f", "lavfi", "-i", "sine=d=2", "-i", cover, "-map", "0", "-map", "1",
                      "-c:v", "copy", "-disposition:v", "attached_pic"};
    QStringList mkv = TestSupport::split("-f lavfi -i testsrc2=s=160x120:d=1 -f lavfi -i sine=d=1");
    for (const QString &tag : musicTags) {
        flac << "-metadata" << tag;
        mkv << "-metadata" << tag;
    }
    QVERIFY(TestSupport::makeMedia(m_dir.filePath("song.flac"), flac));
    QVERIFY(TestSupport::makeMedia(m_dir.filePath("clip.mkv"), mkv));

    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("targetId");
    QTest::addColumn<bool>("tags");
    QTest::addColumn<bool>("cover");
    QTest::addColumn<QString>("note");
    const auto row = [](const char *source, const char *id, bool tags, bool cover,
                        const char *note = "") {
        QTest::addRow("%s to %s", source, id) << source << id << tags << cover << note;
    };
    for (const char *id : {"mp3", "m4a", "flac", "aiff", "ogg", "opus"})
        row("song.flac", qPrintable(QStringLiteral("audio.") + id), true, true);
    row("song.flac", "audio.wav", true, false, "WAV files cannot hold cover art");
    row("song.flac", "audio.wma", true, false, "WMA files cannot hold cover art");
    row("song.flac", "audio.aac", false, false, "AAC files cannot hold tags or cover art");
    for (const char *id : {"video.mp4", "video.mkv", "video.webm", "video.extract-audio"})
        row("clip.mkv", id, true, false);
}

void TestMetadata::keepsWhatTheFormatHolds()
{
    QFETCH(QString, source);
    QFETCH(QString, targetId);
    QFETCH(bool, tags);
    QFETCH(bool, cover);
    const QString input = m_dir.filePath(source);
    const MediaTarget target = MediaTarget::fromId(targetId).value();
    const std::optional<MediaTags> before = tagsOf(input);
    QVERIFY(before);
    QTEST(makeFFArgs(target, {}, HardwareProfile::software(), ConversionSettings::current(), {},
                     {}, before->cover)
              .notes.join(u'\n'),
          "note");

    const MediaPtr item(new Media(
        input, MediaType(source.endsWith(".mkv") ? MediaGroup::video : MediaGroup::audio, {})));
    const QString out = m_dir.filePath(QTest::currentDataTag());
    QVERIFY(QDir().mkpath(out));
    const std::unique_ptr<MediaJob> job(processMedia(item, target, out, {}));
    QVERIFY(TestSupport::waitFor(job.get()));
    QCOMPARE(item->errorMessage(), std::nullopt);
    // Nothing but the output is left beside it.
    QCOMPARE(TestSupport::files(out).size(), 1);
    const std::optional<MediaTags> after = tagsOf(job->outputPath());
    QVERIFY(after);
    for (const QString &tag : musicTags)
        QCOMPARE(after->tags.value(tag.section(u'=', 0, 0)).section(u'/', 0, 0),
                 tags ? tag.section(u'=', 1) : QString());
    QCOMPARE(after->cover ? after->cover->data : QByteArray(),
             cover ? before->cover->data : QByteArray());
}

QTEST_GUILESS_MAIN(TestMetadata)
#include "tst_metadata.moc"
