#include "conversion/JobQueue.h"
#include "settings/Preferences.h"
#include "tools/ProcessRunner.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <vips/vips8>

#include "TestSupport.h"

// Files like users' files, through the queue and the real ffmpeg, one row per
// fixture and target at the limits of a format: every output is probed.
class TestConversions : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void convert_data();
    void convert();

private:
    QTemporaryDir m_dir;
    int m_counter = 0;
};

namespace {

// What ffprobe (Debian ships it with ffmpeg; an independent look at the
// outputs, not Vireo's own probe) finds: "container: stream, stream" with each stream as
// "codec 2ch 44100", "codec 160x120 yuv420p" (" x5" frames when counted),
// "cover png"; and the duration in seconds.
QString summary(const QString &path, bool countFrames, double &seconds)
{
    QStringList arguments = TestSupport::split(
        "-v error -of json -show_entries stream=codec_type,codec_name,channels,sample_rate,"
        "width,height,pix_fmt,codec_tag_string,nb_read_frames:stream_disposition=attached_pic:"
        "format=format_name,duration");
    arguments << path;
    if (countFrames)
        arguments.prepend("-count_frames");
    const QJsonObject probe
        = QJsonDocument::fromJson(
              runProcessSync(QStandardPaths::findExecutable("ffprobe"), arguments).output.toUtf8())
              .object();
    QStringList streams;
    for (const QJsonValue &value : probe["streams"].toArray()) {
        const QJsonObject s = value.toObject();
        const QString codec = s["codec_name"].toString(), type = s["codec_type"].toString();
        const auto number = [&s](const char *key) {
            return QString::number(s[key].toInt());
        };
        if (s["disposition"]["attached_pic"].toInt())
            streams << "cover " + codec;
        else if (type == "audio")
            streams << QString("%1 %2ch %3")
                           .arg(codec, number("channels"), s["sample_rate"].toString());
        else if (type == "video")
            streams << QString("%1 %2x%3 %4")
                           .arg(codec, number("width"), number("height"), s["pix_fmt"].toString())
                    + (s["codec_tag_string"] == "hvc1" ? " hvc1" : "")
                    + (countFrames ? " x" + s["nb_read_frames"].toString() : "");
        else
            streams << type;
    }
    seconds = probe["format"]["duration"].toString().toDouble();
    return probe["format"]["format_name"].toString().section(u',', 0, 0) + ": "
        + streams.join(", ");
}

} // namespace

void TestConversions::initTestCase()
{
    QVERIFY(m_dir.isValid());
    const auto make = [this](const char *name, const char *arguments) {
        return TestSupport::makeMedia(
            m_dir.filePath(name),
            TestSupport::split(arguments).replaceInStrings("@", m_dir.path()));
    };
    QVERIFY(make("cover.png", "-f lavfi -i color=red:size=64x64 -frames:v 1"));
    // Tags and cover art, as music libraries have them.
    QVERIFY(make("song.mp3",
                 "-f lavfi -i sine=duration=1 -i @/cover.png -map 0:a -map 1:v "
                 "-c:v copy -disposition:v attached_pic -metadata title=Song"));
    QVERIFY(make("mono8k.wav", "-f lavfi -i sine=sample_rate=8000:duration=1"));
    QVERIFY(make("surround.wav",
                 "-f lavfi -i sine=sample_rate=96000:duration=1 -af "
                 "aformat=channel_layouts=5.1(side)"));
    QVERIFY(make("seven.flac",
                 "-f lavfi -i sine=sample_rate=96000:duration=1 -af "
                 "aformat=channel_layouts=7.1"));
    QVERIFY(TestSupport::writeFile(m_dir.filePath("film.srt"),
                                   "1\n00:00:00,100 --> 00:00:00,500\nHello\n"));
    // A film: a 5.1 track first, a stereo one second, and subtitles.
    QVERIFY(make("film.mkv",
                 "-f lavfi -i testsrc=size=160x120:rate=10:duration=1 -f lavfi -i "
                 "sine=duration=1 -f lavfi -i sine=duration=1 -i @/film.srt -map 0 "
                 "-map 1 -map 2 -map 3 -c:v mpeg4 -c:a aac -ac:a:0 6 -c:s srt"));
    QVERIFY(make("tenbit.mkv",
                 "-f lavfi -i testsrc=size=160x120:rate=10:duration=1 -c:v ffv1 "
                 "-pix_fmt yuv420p10le"));
    QVERIFY(make("odd.mkv", "-f lavfi -i testsrc=size=321x241:rate=10:duration=1 -c:v ffv1"));
    QVERIFY(make("full.mkv",
                 "-f lavfi -i testsrc=size=160x120:rate=10:duration=1 -c:v ffv1 -pix_fmt yuv444p"));
    QVERIFY(make("anim.gif", "-f lavfi -i testsrc=size=64x48:rate=5:duration=1"));
    QVERIFY(VIPS_INIT("tst_conversions") == 0);
    vips::VImage::black(64, 48, vips::VImage::option()->set("bands", 3))
        .heifsave(m_dir.filePath("photo.heic").toUtf8().constData());
}

void TestConversions::init()
{
    Preferences &preferences = Preferences::instance();
    preferences.setValue(PreferenceKeys::hardwareAcceleration, false);
    preferences.setValue(PreferenceKeys::overwriteExisting, true);
    preferences.setValue(PreferenceKeys::ignoreAlreadyProcessedFiles, false);
    preferences.setValue(PreferenceKeys::videoCodec, QString("h264"));
    preferences.setValue(PreferenceKeys::audioQuality, 320.0);
    preferences.setValue(PreferenceKeys::videoToAudio, QString("mp3"));
}

void TestConversions::cleanup()
{
    QVERIFY(TestSupport::liveChildren().isEmpty());
}

void TestConversions::convert_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("options"); // vc=codec a2=extract-format ak=kbps sc=scale trim=a-b
    QTest::addColumn<QString>("probe");
    QTest::addColumn<double>("seconds"); // < 0: not checked

    const auto row = [](const char *input, const char *target, const char *options,
                        const char *probe, double seconds = 1.0) {
        QTest::addRow("%s %s %s", input, target, options)
            << input << target << options << probe << seconds;
    };
    // Cover art stays a picture where the container keeps one, and never
    // becomes a video track anywhere else.
    row("song.mp3", "audio.mp3", "", "mp3: mp3 1ch 44100, cover png");
    row("song.mp3", "audio.m4a", "", "mov: aac 1ch 44100, cover png");
    row("song.mp3", "audio.flac", "", "flac: flac 1ch 44100, cover png");
    row("song.mp3", "audio.aac", "", "aac: aac 1ch 44100");
    row("song.mp3", "audio.ogg", "", "ogg: vorbis 2ch 44100");
    row("song.mp3", "audio.opus", "", "ogg: opus 2ch 48000");
    row("song.mp3", "audio.wma", "", "asf: wmav2 1ch 44100");
    row("song.mp3", "audio.wav", "", "wav: pcm_s16le 1ch 44100");
    // Layouts and rates beyond what an encoder takes, at the bitrates where
    // Vorbis changes its limits.
    row("mono8k.wav", "audio.mp3", "", "mp3: mp3 1ch 8000");
    row("mono8k.wav", "audio.opus", "", "ogg: opus 2ch 48000");
    row("mono8k.wav", "audio.wma", "", "asf: wmav2 1ch 8000");
    row("mono8k.wav", "audio.ogg", "ak=96", "ogg: vorbis 1ch 44100");
    row("mono8k.wav", "audio.ogg", "ak=256", "ogg: vorbis 2ch 44100");
    row("surround.wav", "audio.mp3", "", "mp3: mp3 2ch 48000");
    row("surround.wav", "audio.m4a", "", "mov: aac 6ch 96000");
    row("surround.wav", "audio.opus", "", "ogg: opus 6ch 48000");
    row("surround.wav", "audio.wma", "", "asf: wmav2 2ch 48000");
    row("surround.wav", "audio.ogg", "ak=96", "ogg: vorbis 6ch 48000");
    row("seven.flac", "audio.m4a", "", "mov: aac 8ch 96000");
    row("seven.flac", "audio.opus", "", "ogg: opus 8ch 48000");
    row("seven.flac", "audio.ogg", "ak=96", "ogg: vorbis 6ch 48000");
    row("seven.flac", "audio.ogg", "ak=256", "ogg: vorbis 8ch 48000");
    // The first of two tracks, in every extract format; no scale filter.
    const char *extract = "video.extract-audio";
    row("film.mkv", extract, "a2=mp3", "mp3: mp3 2ch 44100");
    row("film.mkv", extract, "a2=m4a", "mov: aac 6ch 44100");
    row("film.mkv", extract, "a2=wma", "asf: wmav2 2ch 44100");
    row("film.mkv", extract, "a2=ogg sc=720p", "ogg: vorbis 6ch 44100");
    // Both bounds are on the input's timeline: 0.2 to 0.5 keeps 0.3 s.
    row("film.mkv", "video.mp4", "sc=720p trim=0.2-0.5", "mov: h264 960x720 yuv420p, aac 6ch 44100",
        0.3);
    row("film.mkv", "video.mov", "vc=hevc", "mov: hevc 160x120 yuv420p hvc1, aac 6ch 44100");
    row("film.mkv", "video.mkv", "vc=copy sc=720p",
        "matroska: mpeg4 160x120 yuv420p, aac 6ch 44100, subtitle");
    row("film.mkv", "video.avi", "", "avi: mpeg4 160x120 yuv420p, aac 6ch 44100");
    row("film.mkv", "video.webm", "ak=96",
        "matroska: vp9 160x120 yuv420p, opus 6ch 48000, subtitle");
    row("film.mkv", "video.ogv", "ak=96", "ogg: theora 160x120 yuv420p, vorbis 6ch 44100");
    row("tenbit.mkv", "video.mp4", "", "mov: h264 160x120 yuv420p");
    // The job probes the frame: odd sizes lose a line, 4:4:4 becomes 4:2:0.
    row("odd.mkv", "video.mp4", "", "mov: h264 320x240 yuv420p");
    row("odd.mkv", "video.wmv", "", "asf: wmv2 320x240 yuv420p");
    row("full.mkv", "video.mp4", "vc=hevc", "mov: hevc 160x120 yuv420p hvc1");
    // One frame of an animation, all of it to GIF; HEIC through libvips.
    row("anim.gif", "image.png", "", "png_pipe: png 64x48 rgba x1", -1);
    row("anim.gif", "image.jpg", "", "image2: mjpeg 64x48 yuvj444p x1", -1);
    row("anim.gif", "image.bmp", "", "bmp_pipe: bmp 64x48 bgra x1", -1);
    row("anim.gif", "image.gif", "", "gif: gif 64x48 bgra x5", -1);
    row("photo.heic", "image.png", "", "png_pipe: png 64x48 rgb24 x1", -1);
    row("photo.heic", "image.webp", "", "webp_pipe: webp 64x48 yuv420p x1", -1);
}

void TestConversions::convert()
{
    QFETCH(QString, input);
    QFETCH(QString, target);
    QFETCH(QString, options);
    QFETCH(QString, probe);
    QFETCH(double, seconds);

    Preferences &preferences = Preferences::instance();
    BatchSettings batch;
    for (const QString &option : options.split(u' ', Qt::SkipEmptyParts)) {
        const QString key = option.section(u'=', 0, 0), value = option.section(u'=', 1);
        if (key == "vc")
            preferences.setValue(PreferenceKeys::videoCodec, value);
        else if (key == "a2")
            preferences.setValue(PreferenceKeys::videoToAudio, value);
        else if (key == "ak")
            preferences.setValue(PreferenceKeys::audioQuality, value.toDouble());
        else if (key == "sc")
            batch.scale = videoScaleFromRawValue(value).value();
        else if (key == "trim")
            batch = {true, value.section(u'-', 0, 0), value.section(u'-', 1), batch.scale};
    }
    const MediaGroup group = target.section(u'.', 0, 0) == "audio" ? MediaGroup::audio
        : target.startsWith("video")                               ? MediaGroup::video
                                                                   : MediaGroup::image;
    const MediaPtr item(new Media(m_dir.filePath(input), MediaType(group, {})),
                        &QObject::deleteLater);
    const QString out = m_dir.filePath(QString("out%1").arg(++m_counter));
    QVERIFY(QDir().mkpath(out));
    JobQueue queue;
    const MediaTarget mediaTarget = MediaTarget::fromId(target).value();
    queue.enqueue({item}, mediaTarget, out, batch);
    QVERIFY(TestSupport::waitUntil([&] { return !queue.isRunning(); }, 120000));
    const QStringList written = QDir(out).entryList(QDir::Files | QDir::Hidden);
    QVERIFY2(item->status() == MediaStatus::successful,
             qPrintable(item->errorMessage().value_or("")));
    const QString ext
        = mediaTarget.outputExtension(preferences.value(PreferenceKeys::videoToAudio));
    QCOMPARE(written, QStringList {item->baseName() + u'.' + ext});
    const QString output = out + u'/' + written.value(0);
    double duration = 0;
    QCOMPARE(summary(output, group == MediaGroup::image, duration), probe);
    if (seconds >= 0)
        QVERIFY2(qAbs(duration - seconds) < 0.2, qPrintable(QString::number(duration)));
}

QTEST_GUILESS_MAIN(TestConversions)
#include "tst_conversions.moc"
