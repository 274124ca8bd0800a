#include "conversion/ImageConversion.h"
#include "conversion/ImagePath.h"
#include "conversion/JobQueue.h"
#include "conversion/OffMainThread.h"
#include "model/WorkPool.h"
#include "settings/Preferences.h"
#include "tools/FFmpegRunner.h"
#include "tools/ProcessRunner.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>

#include <vips/vips8>

#include <dlfcn.h>
#include <libheif/heif.h>
#include <memory>

#include "TestSupport.h"

using TestSupport::readFile;
using TestSupport::waitFor;
using TestSupport::writeFile;
using vips::VImage;

// libheif is loaded with libvips but the tests do not link it: reach it by
// name. libvips cannot write HEIF rotation properties itself.
#define HEIF(function) reinterpret_cast<decltype(&function)>(dlsym(RTLD_DEFAULT, #function))

// Files like users' files, through the queue and the real ffmpeg, one row per
// fixture and target at the limits of a format: every output is probed. And
// the libvips route for HEIF pictures on its own: upright, with its colour
// profile and tags, and no temporary file left whatever happens.
class TestConversions : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void convert_data();
    void convert();
    void usesImagePathByExtension_data();
    void usesImagePathByExtension();
    void convertsUpright_data();
    void convertsUpright();

private:
    QString source(const QString &name) const { return m_dir.filePath("src/" + name); }
    QString output(const QString &name) const { return m_dir.filePath("out/" + name); }
    bool writePortraitHeic(const QString &path);

    QTemporaryDir m_dir;
    int m_counter = 0;
    QByteArray m_icc;
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

QByteArray blob(const VImage &image, const char *field)
{
    size_t size = 0;
    const void *data = image.get_typeof(field) ? image.get_blob(field, &size) : nullptr;
    return QByteArray(static_cast<const char *>(data), qsizetype(size));
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
    QVERIFY(writeFile(m_dir.filePath("film.srt"), "1\n00:00:00,100 --> 00:00:00,500\nHello\n"));
    QVERIFY(
        writeFile(m_dir.filePath("latin1.srt"), "1\n00:00:00,100 --> 00:00:00,500\n\xe9t\xe9\n"));
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
    for (const char *folder : {"src", "out"})
        QVERIFY(QDir(m_dir.path()).mkpath(folder));

    QVERIFY(VIPS_INIT("tst_conversions") == 0);
    vips_cache_set_max(0);

    // 64×48 with an ICC profile and an EXIF tag.
    VImage colour = (VImage::black(64, 48, VImage::option()->set("bands", 3))
                     + std::vector<double> {200, 120, 40})
                        .cast(VIPS_FORMAT_UCHAR)
                        .copy(VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB))
                        .icc_transform("srgb", VImage::option()->set("input_profile", "srgb"));
    colour.set("exif-ifd0-Artist", "Vireo");
    m_icc = blob(colour, "icc-profile-data");
    colour.heifsave(source("photo.heic").toUtf8().constData());
    colour.heifsave(source("photo.avif").toUtf8().constData(),
                    VImage::option()->set("compression", VIPS_FOREIGN_HEIF_COMPRESSION_AV1));

    // A landscape JPEG that says "rotate 90° clockwise", given a HEIC name.
    VImage landscape = VImage::black(64, 32, VImage::option()->set("bands", 3))
                           .copy(VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB));
    landscape.draw_rect({255, 0, 0}, 0, 0, 32, 32, VImage::option()->set("fill", true));
    landscape.set("orientation", 6);
    landscape.jpegsave(source("jpeg-inside.heic").toUtf8().constData());
    // HEIF with only an EXIF orientation: the container has no rotation, and
    // the HEIF rules make that EXIF tag informative only.
    landscape.heifsave(source("exif-only.heic").toUtf8().constData());

    QVERIFY(writePortraitHeic(source("portrait.heic")));
    // libheif applies the rotation property, and the EXIF block still says
    // "rotate": the tag that must not turn the image a second time.
    const VImage portrait = VImage::new_from_file(source("portrait.heic").toUtf8().constData());
    QCOMPARE(portrait.width(), 32);
    QByteArray exif = blob(portrait, "exif-data");
    VImage reparsed = portrait.copy();
    reparsed.set("exif-data", nullptr, exif.data(), size_t(exif.size()));
    QCOMPARE(reparsed.get_int("orientation"), 6);

    QVERIFY(writeFile(source("notes.heic"), "just some words, not an image\n"));
    // Intact boxes, but coded image data that the decoder rejects.
    QByteArray damaged = readFile(source("photo.heic"));
    const qsizetype data = damaged.indexOf("mdat") + 4;
    QVERIFY(data > 4);
    damaged.replace(data, damaged.size() - data, QByteArray(damaged.size() - data, '\xff'));
    QVERIFY(writeFile(source("damaged.heic"), damaged));
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
    WorkPool::instance()->waitForDone();
    QVERIFY2(TestSupport::liveChildren().isEmpty(), "a child process was left running");
    QCOMPARE(OffMainThread::violations(), 0);
    QDir(output(QString())).removeRecursively();
    QVERIFY(QDir(m_dir.path()).mkpath("out"));
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
    // Cover art never becomes a video track where the container keeps none
    // (tst_metadata follows it through every audio target).
    row("song.mp3", "audio.mp3", "", "mp3: mp3 1ch 44100, cover png");
    row("song.mp3", "audio.aac", "", "aac: aac 1ch 44100");
    row("song.mp3", "audio.wma", "", "asf: wmav2 1ch 44100");
    // Layouts and rates beyond what an encoder takes, at the bitrates where
    // Vorbis changes its limits.
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
    row("tenbit.mkv", extract, "a2=mp3", "fails: \"tenbit.mkv\" has no audio to convert");
    // A legacy character set becomes UTF-8.
    row("latin1.srt", "subtitle.ssa", "",
        "text: Dialogue: 0,0:00:00.10,0:00:00.50,Default,,0,0,0,,été");
    row("latin1.srt", "subtitle.sub", "", "text: }été");
    // The job probes the frame: odd sizes lose a line, 4:4:4 becomes 4:2:0,
    // 10-bit stays 10-bit where the codec plays it.
    row("odd.mkv", "video.mp4", "", "mov: h264 320x240 yuv420p");
    row("odd.mkv", "video.wmv", "", "asf: wmv2 320x240 yuv420p");
    row("full.mkv", "video.mp4", "vc=hevc", "mov: hevc 160x120 yuv420p hvc1");
    row("full.mkv", "video.webm", "", "matroska: vp9 160x120 yuv420p");
    row("tenbit.mkv", "video.webm", "", "matroska: vp9 160x120 yuv420p10le");
    row("full.mkv", "video.ogv", "", "ogg: theora 160x120 yuv420p");
    // One frame of an animation, all of it to GIF; HEIC through libvips.
    row("anim.gif", "image.png", "", "png_pipe: png 64x48 rgba x1", -1);
    row("anim.gif", "image.jpg", "", "image2: mjpeg 64x48 yuvj444p x1", -1);
    row("anim.gif", "image.gif", "", "gif: gif 64x48 bgra x5", -1);
    row("src/photo.heic", "image.png", "", "png_pipe: png 64x48 rgb24 x1", -1);
    row("src/photo.heic", "image.webp", "", "webp_pipe: webp 64x48 yuv420p x1", -1);
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
    const MediaTarget mediaTarget = MediaTarget::fromId(target).value();
    const MediaPtr item = TestSupport::item(m_dir.filePath(input), mediaTarget.group);
    const QString out = m_dir.filePath(QString("out%1").arg(++m_counter));
    QVERIFY(QDir().mkpath(out));
    JobQueue queue;
    queue.enqueue({item}, mediaTarget, out, batch);
    QVERIFY(TestSupport::waitUntil([&] { return !queue.isRunning(); }, 120000));
    const QStringList written = TestSupport::files(out);
    if (probe.startsWith(u"fails: ")) {
        QCOMPARE(item->status(), MediaStatus::failed);
        QCOMPARE(item->errorMessage(), probe.mid(7));
        QCOMPARE(written, QStringList());
        return;
    }
    QVERIFY2(item->status() == MediaStatus::successful,
             qPrintable(item->errorMessage().value_or("")));
    const QString ext
        = mediaTarget.outputExtension(preferences.value(PreferenceKeys::videoToAudio));
    QCOMPARE(written, QStringList {item->baseName() + u'.' + ext});
    const QString output = out + u'/' + written.value(0);
    if (probe.startsWith(u"text: ")) {
        QVERIFY2(readFile(output).contains(probe.mid(6).toUtf8()), readFile(output).constData());
        return;
    }
    double duration = 0;
    QCOMPARE(summary(output, mediaTarget.group == MediaGroup::image, duration), probe);
    if (seconds >= 0)
        QVERIFY2(qAbs(duration - seconds) < 0.2, qPrintable(QString::number(duration)));
}

// A phone-style portrait HEIC: 64×32 pixels, left half red, stored with a
// 90° clockwise rotation property and an EXIF orientation 6 that says the same.
bool TestConversions::writePortraitHeic(const QString &path)
{
    // The EXIF block of the JPEG that says "rotate 90° clockwise".
    const VImage tagged = VImage::new_from_file(source("jpeg-inside.heic").toUtf8().constData());
    const QByteArray exif = blob(tagged, "exif-data");

    // A failed step leaks a little, in a test that fails anyway.
    const auto ok = [](heif_error error) {
        return error.code == heif_error_Ok;
    };
    heif_context *context = HEIF(heif_context_alloc)();
    heif_encoder *encoder = nullptr;
    heif_image *image = nullptr;
    heif_image_handle *handle = nullptr;
    if (!ok(HEIF(heif_context_get_encoder_for_format)(context, heif_compression_HEVC, &encoder))
        || !ok(HEIF(heif_image_create)(64, 32, heif_colorspace_RGB, heif_chroma_interleaved_RGB,
                                       &image))
        || !ok(HEIF(heif_image_add_plane)(image, heif_channel_interleaved, 64, 32, 8)))
        return false;
    int stride = 0;
    uint8_t *pixels = HEIF(heif_image_get_plane)(image, heif_channel_interleaved, &stride);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 64; ++x) {
            uint8_t *pixel = pixels + y * stride + x * 3;
            pixel[0] = x < 32 ? 255 : 0;
            pixel[1] = pixel[2] = 0;
        }
    }
    heif_encoding_options *options = HEIF(heif_encoding_options_alloc)();
    options->image_orientation = heif_orientation_rotate_90_cw;
    const bool written
        = ok(HEIF(heif_context_encode_image)(context, image, encoder, options, &handle))
        && ok(HEIF(heif_context_add_exif_metadata)(context, handle, exif.constData(),
                                                   int(exif.size())))
        && ok(HEIF(heif_context_write_to_file)(context, path.toUtf8().constData()));
    HEIF(heif_encoding_options_free)(options);
    HEIF(heif_image_handle_release)(handle);
    HEIF(heif_image_release)(image);
    HEIF(heif_encoder_release)(encoder);
    HEIF(heif_context_free)(context);
    return written;
}

void TestConversions::usesImagePathByExtension_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("targetIsImage");
    QTest::addColumn<bool>("expected");

    QTest::newRow("upper-case HEIC to an image") << "/in/IMG_0001.HEIC" << true << true;
    QTest::newRow("heif") << "/in/a.heif" << true << true;
    QTest::newRow("hif") << "/in/a.Hif" << true << true;
    QTest::newRow("avif") << "/in/a.avif" << true << true;
    QTest::newRow("png goes to ffmpeg") << "/in/photo.png" << true << false;
    QTest::newRow("heic to a non-image target") << "/in/IMG_0001.HEIC" << false << false;
    QTest::newRow("only the last extension counts") << "/in/a.heic.zip" << true << false;
    QTest::newRow("a folder named like it") << "/in.heic/photo" << true << false;
}

void TestConversions::usesImagePathByExtension()
{
    QFETCH(QString, path);
    QFETCH(bool, targetIsImage);
    QFETCH(bool, expected);
    QCOMPARE(usesImagePath(path, targetIsImage), expected);
}

void TestConversions::convertsUpright_data()
{
    QTest::addColumn<QString>("sourceName");
    QTest::addColumn<QString>("outputName"); // an earlier output of that name is replaced
    QTest::addColumn<QString>("ext");
    QTest::addColumn<QString>("loader"); // or "fails: " or "kept: " and the reason
    QTest::addColumn<bool>("keepsIcc");
    QTest::addColumn<bool>("keepsExif");
    QTest::addColumn<QSize>("size");

    const auto row = [](const QString &tag, const char *from, const char *ext, const char *loader,
                        bool icc, bool exif, QSize size, const char *to = "") {
        QTest::newRow(qPrintable(tag))
            << from << (*to ? QString(to) : "photo." + QString(ext).toLower()) << ext << loader
            << icc << exif << size;
    };
    const struct {
        const char *ext;
        const char *loader;
        bool icc;
        bool exif;
    } targets[] = {
        {"png", "pngload", true, true},      {"jpg", "jpegload", true, true},
        {"tiff", "tiffload", true, false},   {"gif", "gifload", false, false},
        {"bmp", "magickload", false, false},
    };
    // The portrait rows are stored landscape with a rotation; the red half
    // must end up on top.
    for (const char *name : {"photo.heic", "photo.avif", "portrait.heic"}) {
        const bool portrait = QByteArray(name) == "portrait.heic";
        for (const auto &target : targets)
            row(QStringLiteral("%1 to %2").arg(name, target.ext), name, target.ext, target.loader,
                target.icc && !portrait, target.exif && !portrait,
                portrait ? QSize(32, 64) : QSize(64, 48));
    }
    row("upper-case target extension", "photo.heic", "JPG", "jpegload", true, true, {64, 48});
    row("jpeg named heic", "jpeg-inside.heic", "png", "pngload", false, false, {32, 64});
    row("heic with only an exif orientation", "exif-only.heic", "jpg", "jpegload", false, false,
        {64, 32});
    // Nothing half-written is left, not even the save's own temporary file;
    // an earlier output is kept without reading the source.
    row("text file named heic", "notes.heic", "png", "fails: Could not read image", false, false,
        {}, "notes.png");
    row("damaged image data", "damaged.heic", "png", "fails: Could not decode image", false, false,
        {}, "damaged.png");
    row("unknown format", "photo.heic", "XYZ", "fails: Unsupported output format: xyz", false,
        false, {}, "photo.XYZ");
    row("format name with saver options", "photo.heic", "png[Q=1]",
        "fails: Unsupported output format: png[q=1]", false, false, {}, "photo.png");
    row("missing destination folder", "photo.heic", "tiff", "fails: Could not create tiff", false,
        false, {}, "nowhere/photo.tiff");
    row("png kept", "never-read.heic", "png", "kept: File 'kept.png' already exists", false, false,
        {}, "kept.png");
}

void TestConversions::convertsUpright()
{
    QFETCH(QString, sourceName);
    QFETCH(QString, outputName);
    QFETCH(QString, ext);
    QFETCH(QString, loader);
    QFETCH(bool, keepsIcc);
    QFETCH(bool, keepsExif);
    QFETCH(QSize, size);

    const QString out = output(outputName);
    const bool kept = loader.startsWith(u"kept: ");
    const bool fails = kept || loader.startsWith(u"fails: ");
    QVERIFY((fails && !kept) || writeFile(out, "earlier result"));
    std::unique_ptr<ImageConversion> conversion(convertImage(source(sourceName), out, ext, !kept));
    QVERIFY(waitFor(conversion.get()));
    if (fails) {
        const auto *error
            = conversion->failure() ? std::get_if<FFmpegError>(&*conversion->failure()) : nullptr;
        QVERIFY(error && error->kind == FFmpegError::Kind::nonZeroExit && error->code == 1);
        QCOMPARE(errorDescription(*conversion->failure()), loader.section(": ", 1));
        QCOMPARE(TestSupport::files(output(QString())),
                 kept ? QStringList {outputName} : QStringList());
        QVERIFY(!kept || readFile(out) == "earlier result");
        return;
    }
    QVERIFY2(conversion->succeeded(),
             qPrintable(errorDescription(conversion->failure().value_or(FFmpegError {}))));
    const VImage result = VImage::new_from_file(out.toUtf8().constData());
    QCOMPARE(QString::fromUtf8(result.get_string("vips-loader")), loader);
    QCOMPARE(QSize(result.width(), result.height()), size);
    // A tag other than 1 would make viewers turn the pixels a second time.
    QCOMPARE(result.get_typeof("orientation") ? result.get_int("orientation") : 1, 1);
    if (keepsIcc)
        QCOMPARE(blob(result, "icc-profile-data"), m_icc);
    if (keepsExif) {
        QVERIFY(result.get_typeof("exif-ifd0-Artist"));
        QVERIFY(QByteArray(result.get_string("exif-ifd0-Artist")).startsWith("Vireo "));
    }
    if (size != QSize(64, 48)) {
        // Turned clockwise, the red left half of the stored pixels is on top.
        const int red = int(result.getpoint(8, 8).at(0));
        const int black = int(size.width() < size.height() ? result.getpoint(8, 56).at(0)
                                                           : result.getpoint(56, 8).at(0));
        QVERIFY2(red > 180 && black < 80, qPrintable(QStringLiteral("%1 %2").arg(red).arg(black)));
    }
    QCOMPARE(TestSupport::files(output(QString())).size(), 1);
}

QTEST_GUILESS_MAIN(TestConversions)

#include "tst_conversions.moc"
