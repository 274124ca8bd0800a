#include "conversion/ImagePath.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include <vips/vips8>

#include <algorithm>
#include <memory>
#include <mutex>

using vips::VError;
using vips::VImage;
using vips::VSource;

namespace {

// libvips must be started once, and never by two threads at the same time.
bool vipsStarted()
{
    static std::once_flag once;
    static bool started = false;
    std::call_once(once, [] {
        started = VIPS_INIT("vireo") == 0;
        // Each file is converted once, so the operation cache would only keep
        // decoded images and open files alive; libvips 8.14 would also hand
        // back the old image for a path whose file has changed since.
        vips_cache_set_max(0);
        vips_error_clear();
    });
    return started;
}

FFmpegError imageError(const QString &message)
{
    // libvips keeps one error log for all threads, so its text is never the
    // message of this conversion; it is only emptied so it cannot grow.
    vips_error_clear();
    return FFmpegError::nonZeroExit(1, message);
}

bool hasSaver(const QString &ext)
{
    // The extension goes into a libvips file name, where "[...]" would be
    // read as saver options.
    static const QRegularExpression plain(QStringLiteral("^[a-z0-9]+$"));
    if (!plain.match(ext).hasMatch())
        return false;
    const QByteArray suffix = '.' + ext.toLatin1();
    const char *saver = vips_foreign_find_save_buffer(suffix.constData());
    vips_error_clear();
    // dzsave writes a tile pyramid, not one image.
    return saver && !QByteArray(saver).startsWith("VipsForeignSaveDz");
}

// libvips 8.14's HEIF loader attaches EXIF, XMP and the ICC profile as
// pointers into memory owned by the image it loaded, and frees that memory
// with it; a decoded copy must own its metadata before the loader goes.
void ownMetadata(const VImage &image)
{
    VipsImage *raw = image.get_image();
    // Setting "exif-data" parses it again, which would bring back an
    // orientation tag that the HEIF loader has applied and removed.
    int orientation = 0;
    const bool hasOrientation = vips_image_get_typeof(raw, VIPS_META_ORIENTATION) != 0
        && vips_image_get_int(raw, VIPS_META_ORIENTATION, &orientation) == 0;

    gchar **fields = vips_image_get_fields(raw);
    for (gchar **field = fields; *field; ++field) {
        const void *data = nullptr;
        size_t length = 0;
        if (vips_image_get_typeof(raw, *field) == VIPS_TYPE_BLOB
            && vips_image_get_blob(raw, *field, &data, &length) == 0)
            vips_image_set_blob_copy(raw, *field, data, length);
    }
    g_strfreev(fields);

    if (hasOrientation)
        vips_image_set_int(raw, VIPS_META_ORIENTATION, orientation);
    else
        vips_autorot_remove_angle(raw);
}

} // namespace

bool usesImagePath(const QString &sourcePath, bool targetIsImage)
{
    if (!targetIsImage)
        return false;
    const QString ext = QFileInfo(sourcePath).suffix().toLower();
    return std::find(imagePathExtensions.begin(), imagePathExtensions.end(), ext)
        != imagePathExtensions.end();
}

bool isRadiancePicture(const QString &path)
{
    if (!vipsStarted())
        return false;
    const char *loader = vips_foreign_find_load(QFile::encodeName(path).constData());
    vips_error_clear();
    return loader && QByteArray(loader).startsWith("VipsForeignLoadRad");
}

std::optional<FFmpegError> writeImage(const QString &sourcePath, const QString &outputPath,
                                      const QString &ext)
{
    const QString lowerExt = ext.toLower();
    if (!vipsStarted())
        return imageError(QCoreApplication::translate("ImagePath", "Could not read image"));
    if (!hasSaver(lowerExt))
        return imageError(QCoreApplication::translate("ImagePath", "Unsupported output format: %1")
                              .arg(lowerExt));

    VImage loaded;
    try {
        // A source rather than a file name: libvips would read a trailing
        // "[...]" of a file name as loader options. Without "page" the HEIF
        // loader picks the primary image, and libheif applies the file's
        // rotation and mirroring itself and drops the orientation tag.
        const QByteArray path = QFile::encodeName(sourcePath);
        loaded = VImage::new_from_source(VSource::new_from_file(path.constData()), "",
                                         VImage::option()->set("access", VIPS_ACCESS_SEQUENTIAL));
    } catch (const VError &) {
        return imageError(QCoreApplication::translate("ImagePath", "Could not read image"));
    }

    QSaveFile file(outputPath);
    if (!file.open(QIODevice::WriteOnly))
        return imageError(
            QCoreApplication::translate("ImagePath", "Could not create %1").arg(lowerExt));

    VImage image;
    try {
        // Decoding completely first keeps a broken source apart from a failed
        // write, lets autorot turn an image whose loader only reads top to
        // bottom, and frees the loader's own copy of the pixels early.
        image = loaded.copy_memory();
        ownMetadata(image);
        loaded = VImage();
        // For sources that carry an EXIF orientation (a JPEG named .heic).
        // autorot removes the tag, so the savers write orientation 1 and
        // nothing turns the result a second time.
        image = image.autorot();
    } catch (const VError &) {
        return imageError(QCoreApplication::translate("ImagePath", "Could not decode image"));
    }

    std::unique_ptr<void, decltype(&g_free)> encoded(nullptr, &g_free);
    size_t size = 0;
    try {
        void *buffer = nullptr;
        image.write_to_buffer(('.' + lowerExt.toLatin1()).constData(), &buffer, &size);
        encoded.reset(buffer);
    } catch (const VError &) {
        return imageError(QCoreApplication::translate("ImagePath", "Could not write image"));
    }

    if (file.write(static_cast<const char *>(encoded.get()), qint64(size)) != qint64(size)
        || !file.commit())
        return imageError(QCoreApplication::translate("ImagePath", "Could not write image"));
    return std::nullopt;
}

QByteArray thumbnailPng(const QString &path, int size)
{
    if (!vipsStarted())
        return {};
    // Options in "[...]" after a file name would be read by libvips; the
    // file is given by its exact name.
    const QByteArray name = QFile::encodeName(path);
    if (name.contains('['))
        return {};
    VipsImage *image = nullptr;
    if (vips_thumbnail(name.constData(), &image, size, "height", size, nullptr) != 0) {
        vips_error_clear();
        return {};
    }
    void *buffer = nullptr;
    size_t length = 0;
    const int failed = vips_pngsave_buffer(image, &buffer, &length, "compression", 1, nullptr);
    g_object_unref(image);
    if (failed != 0) {
        vips_error_clear();
        return {};
    }
    QByteArray png(static_cast<const char *>(buffer), qsizetype(length));
    g_free(buffer);
    return png;
}
