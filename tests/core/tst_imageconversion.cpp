#include "conversion/ImageConversion.h"
#include "conversion/ImagePath.h"
#include "tools/FFmpegRunner.h"
#include "tools/ToolLocator.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>

#include <vips/vips8>

#include <dlfcn.h>
#include <libheif/heif.h>
#include <memory>
#include <string_view>

#include "TestSupport.h"

using TestSupport::readFile;
using TestSupport::waitFor;
using TestSupport::writeFile;
using vips::VImage;

// libheif is loaded with libvips but the tests do not link it: reach it by
// name. libvips cannot write HEIF rotation properties itself.
#define HEIF(function) reinterpret_cast<decltype(&function)>(dlsym(RTLD_DEFAULT, #function))

class TestImageConversion : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void usesImagePathByExtension_data();
    void usesImagePathByExtension();
    void convertsUpright_data();
    void convertsUpright();
    void failures_data();
    void failures();
    void webpTemporaryIsRemoved_data();
    void webpTemporaryIsRemoved();

private:
    QString source(const QString &name) const
    {
        return m_dir.filePath(QStringLiteral("src/") + name);
    }
    QString output(const QString &name) const
    {
        return m_dir.filePath(QStringLiteral("out/") + name);
    }
    QStringList temporaryPngs() const;
    bool writePortraitHeic(const QString &path);

    QTemporaryDir m_dir;
    QByteArray m_icc;
};

void TestImageConversion::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("src")));
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("out")));
    // The WebP route's PNG goes to the temporary folder; give it one of our own.
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("tmp")));
    qputenv("TMPDIR", QFile::encodeName(m_dir.filePath(QStringLiteral("tmp"))));
    QCOMPARE(QDir::tempPath(), m_dir.filePath(QStringLiteral("tmp")));

    QVERIFY(VIPS_INIT("tst_imageconversion") == 0);
    vips_cache_set_max(0);

    // 64×48 with an ICC profile and an EXIF tag.
    VImage colour = (VImage::black(64, 48, VImage::option()->set("bands", 3))
                     + std::vector<double> {200, 120, 40})
                        .cast(VIPS_FORMAT_UCHAR)
                        .copy(VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB))
                        .icc_transform("srgb", VImage::option()->set("input_profile", "srgb"));
    colour.set("exif-ifd0-Artist", "Vireo");
    size_t iccSize = 0;
    const void *icc = colour.get_blob("icc-profile-data", &iccSize);
    m_icc = QByteArray(static_cast<const char *>(icc), qsizetype(iccSize));
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
    size_t exifSize = 0;
    const void *exif = portrait.get_blob("exif-data", &exifSize);
    VImage reparsed = portrait.copy();
    reparsed.set("exif-data", nullptr, const_cast<void *>(exif), exifSize);
    QCOMPARE(reparsed.get_int("orientation"), 6);

    QVERIFY(writeFile(source("notes.heic"), "just some words, not an image\n"));
    // Intact boxes, but coded image data that the decoder rejects.
    QByteArray damaged = readFile(source("photo.heic"));
    const qsizetype data = damaged.indexOf("mdat") + 4;
    QVERIFY(data > 4);
    damaged.replace(data, damaged.size() - data, QByteArray(damaged.size() - data, '\xff'));
    QVERIFY(writeFile(source("damaged.heic"), damaged));
}

void TestImageConversion::cleanup()
{
    QThreadPool::globalInstance()->waitForDone();
    QVERIFY2(TestSupport::liveChildren().isEmpty(), "a child process was left running");
    QVERIFY2(temporaryPngs().isEmpty(), qPrintable(temporaryPngs().join(u' ')));
    QDir(output(QString())).removeRecursively();
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("out")));
}

QStringList TestImageConversion::temporaryPngs() const
{
    return QDir(QDir::tempPath()).entryList({QStringLiteral("*.png")}, QDir::Files);
}

// A phone-style portrait HEIC: 64×32 pixels, left half red, stored with a
// 90° clockwise rotation property and an EXIF orientation 6 that says the same.
bool TestImageConversion::writePortraitHeic(const QString &path)
{
    // The EXIF block of the JPEG that says "rotate 90° clockwise".
    const VImage tagged = VImage::new_from_file(source("jpeg-inside.heic").toUtf8().constData());
    size_t exifSize = 0;
    const void *exif = tagged.get_blob("exif-data", &exifSize);

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
        && ok(HEIF(heif_context_add_exif_metadata)(context, handle, exif, int(exifSize)))
        && ok(HEIF(heif_context_write_to_file)(context, path.toUtf8().constData()));
    HEIF(heif_encoding_options_free)(options);
    HEIF(heif_image_handle_release)(handle);
    HEIF(heif_image_release)(image);
    HEIF(heif_encoder_release)(encoder);
    HEIF(heif_context_free)(context);
    return written;
}

void TestImageConversion::usesImagePathByExtension_data()
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

void TestImageConversion::usesImagePathByExtension()
{
    QFETCH(QString, path);
    QFETCH(bool, targetIsImage);
    QFETCH(bool, expected);
    QCOMPARE(usesImagePath(path, targetIsImage), expected);
}

void TestImageConversion::convertsUpright_data()
{
    QTest::addColumn<QString>("sourceName");
    QTest::addColumn<QString>("ext");
    QTest::addColumn<QString>("loader");
    QTest::addColumn<bool>("keepsIcc");
    QTest::addColumn<bool>("keepsExif");
    QTest::addColumn<QSize>("size");

    const struct {
        const char *ext;
        const char *loader;
        bool icc;
        bool exif;
    } targets[] = {
        {"png", "pngload", true, true},      {"jpg", "jpegload", true, true},
        {"tiff", "tiffload", true, false},   {"gif", "gifload", false, false},
        {"bmp", "magickload", false, false}, {"webp", "webpload", false, false},
    };
    // The portrait rows are stored landscape with a rotation; the red half
    // must end up on top.
    for (const char *name : {"photo.heic", "photo.avif", "portrait.heic"}) {
        const bool portrait = name == std::string_view("portrait.heic");
        for (const auto &target : targets)
            QTest::addRow("%s to %s", name, target.ext)
                << name << target.ext << target.loader << (target.icc && !portrait)
                << (target.exif && !portrait) << (portrait ? QSize(32, 64) : QSize(64, 48));
    }
    QTest::newRow("upper-case target extension") << QStringLiteral("photo.heic") << "JPG"
                                                 << "jpegload" << true << true << QSize(64, 48);
    QTest::newRow("jpeg named heic") << QStringLiteral("jpeg-inside.heic") << "png"
                                     << "pngload" << false << false << QSize(32, 64);
    QTest::newRow("heic with only an exif orientation")
        << QStringLiteral("exif-only.heic") << "jpg"
        << "jpegload" << false << false << QSize(64, 32);
}

void TestImageConversion::convertsUpright()
{
    QFETCH(QString, sourceName);
    QFETCH(QString, ext);
    QFETCH(QString, loader);
    QFETCH(bool, keepsIcc);
    QFETCH(bool, keepsExif);
    QFETCH(QSize, size);

    // An earlier output of the same name is replaced.
    const QString out = output(QStringLiteral("photo.") + ext.toLower());
    QVERIFY(writeFile(out, "earlier result"));
    std::unique_ptr<ImageConversion> conversion(convertImage(source(sourceName), out, ext, true));
    QVERIFY(waitFor(conversion.get()));
    QVERIFY2(conversion->succeeded(),
             qPrintable(errorDescription(conversion->failure().value_or(FFmpegError {}))));

    const VImage result = VImage::new_from_file(out.toUtf8().constData());
    QCOMPARE(QString::fromUtf8(result.get_string("vips-loader")), loader);
    QCOMPARE(QSize(result.width(), result.height()), size);
    // A tag other than 1 would make viewers turn the pixels a second time.
    QCOMPARE(result.get_typeof("orientation") ? result.get_int("orientation") : 1, 1);
    if (keepsIcc) {
        QVERIFY(result.get_typeof("icc-profile-data"));
        size_t iccSize = 0;
        const void *icc = result.get_blob("icc-profile-data", &iccSize);
        QCOMPARE(QByteArray(static_cast<const char *>(icc), qsizetype(iccSize)), m_icc);
    }
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
    QCOMPARE(QDir(output(QString())).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

void TestImageConversion::failures_data()
{
    QTest::addColumn<QString>("sourcePath");
    QTest::addColumn<QString>("outputPath");
    QTest::addColumn<QString>("ext");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("existing"); // an earlier output, kept: the source is never read

    const auto row = [this](const char *tag, const char *from, const char *to, const char *ext,
                            const char *message, bool existing = false) {
        QTest::newRow(tag) << source(QLatin1String(from)) << output(QLatin1String(to))
                           << QString::fromLatin1(ext) << QString::fromLatin1(message) << existing;
    };
    row("text file named heic", "notes.heic", "notes.png", "png", "Could not read image");
    row("missing source", "gone.heic", "gone.png", "png", "Could not read image");
    row("damaged image data", "damaged.heic", "damaged.png", "png", "Could not decode image");
    row("unknown format", "photo.heic", "photo.XYZ", "XYZ", "Unsupported output format: xyz");
    row("format name with saver options", "photo.heic", "photo.png", "png[Q=1]",
        "Unsupported output format: png[q=1]");
    row("missing destination folder", "photo.heic", "nowhere/photo.tiff", "tiff",
        "Could not create tiff");
    row("png kept", "never-read.heic", "kept.png", "png", "File 'kept.png' already exists", true);
    row("webp kept", "never-read.heic", "kept.webp", "webp", "File 'kept.webp' already exists",
        true);
}

void TestImageConversion::failures()
{
    QFETCH(QString, sourcePath);
    QFETCH(QString, outputPath);
    QFETCH(QString, ext);
    QFETCH(QString, message);
    QFETCH(bool, existing);

    QVERIFY(!existing || writeFile(outputPath, "earlier result"));
    std::unique_ptr<ImageConversion> conversion(
        convertImage(sourcePath, outputPath, ext, !existing));
    QVERIFY(waitFor(conversion.get()));
    QVERIFY(conversion->failure());
    const auto *error = std::get_if<FFmpegError>(&*conversion->failure());
    QVERIFY(error);
    QCOMPARE(error->kind, FFmpegError::Kind::nonZeroExit);
    QCOMPARE(error->code, 1);
    QCOMPARE(error->stderrTail, message);
    QCOMPARE(errorDescription(*conversion->failure()), message);
    // Nothing half-written is left, not even the save's own temporary file.
    QCOMPARE(QDir(output(QString())).entryList(QDir::Files | QDir::Hidden),
             existing ? QStringList {QFileInfo(outputPath).fileName()} : QStringList());
    QVERIFY(!existing || readFile(outputPath) == "earlier result");
}

void TestImageConversion::webpTemporaryIsRemoved_data()
{
    QTest::addColumn<QByteArray>("fakeFFmpeg"); // the fake tool's arguments, or the real ffmpeg
    QTest::addColumn<QString>("cancel"); // when, if ever
    QTest::addColumn<QString>("outputName");

    QTest::newRow("ffmpeg fails") << QByteArray() << ""
                                  << "nowhere/photo.webp";
    QTest::newRow("disk full, exit 0") << QByteArray("--stderr 'No space left on device\\n'") << ""
                                       << "photo.webp";
    QTest::newRow("cancelled while libvips works") << QByteArray() << "at once"
                                                   << "photo.webp";
    QTest::newRow("cancelled while ffmpeg runs") << QByteArray("--hang") << "in ffmpeg"
                                                 << "photo.webp";
    // cleanup() waits for the pool thread and checks the temporary folder.
    QTest::newRow("deleted while libvips works") << QByteArray() << "deleted"
                                                 << "photo.webp";
}

void TestImageConversion::webpTemporaryIsRemoved()
{
    QFETCH(QByteArray, fakeFFmpeg);
    QFETCH(QString, cancel);
    QFETCH(QString, outputName);

    QString ffmpeg = ToolLocator::ffmpegPath();
    if (!fakeFFmpeg.isEmpty()) {
        ffmpeg = m_dir.filePath(QStringLiteral("fake-ffmpeg"));
        QVERIFY(writeFile(ffmpeg,
                          "#!/bin/sh\nexec '" + QFile::encodeName(TestSupport::fakeTool()) + "' "
                              + fakeFFmpeg + "\n"));
        QVERIFY(
            QFile::setPermissions(ffmpeg, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }

    std::unique_ptr<ImageConversion> conversion(convertImageWith(
        ffmpeg, source("photo.heic"), output(outputName), QStringLiteral("webp"), false));
    if (cancel == u"deleted")
        return;
    if (cancel == u"in ffmpeg")
        QTRY_VERIFY(!TestSupport::liveChildren().isEmpty());
    if (!cancel.isEmpty())
        conversion->cancel();
    QVERIFY(waitFor(conversion.get()));
    QVERIFY(conversion->failure());
    QCOMPARE(isCancellation(*conversion->failure()), !cancel.isEmpty());
    if (cancel.isEmpty()) {
        // ffmpeg's own error passes through unchanged.
        const auto *error = std::get_if<FFmpegError>(&*conversion->failure());
        QVERIFY(error);
        QVERIFY(!error->stderrTail.isEmpty());
        QVERIFY(error->stderrTail != u"Could not write image");
    }
    QVERIFY(!QFile::exists(output(outputName)));
}

QTEST_GUILESS_MAIN(TestImageConversion)

#include "tst_imageconversion.moc"
