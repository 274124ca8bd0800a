#pragma once

#include "tools/FFmpegError.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <array>
#include <optional>

// Still images in the HEIF family, AVIF and Radiance HDR are converted with
// libvips instead of ffmpeg; this is the synchronous half of that path.

// Lower-case source extensions that take the image path.
inline constexpr std::array<QStringView, 5> imagePathExtensions {u"heic", u"heif", u"hif", u"avif",
                                                                 u"hdr"};

// True when libvips reads the file as a Radiance HDR picture (which FFmpeg
// cannot read). Blocks; safe on any thread.
bool isRadiancePicture(const QString &path);

// True when the target belongs to the image group and the file name's
// extension, in any case, is one of imagePathExtensions. Only the name is
// looked at, never the file's content.
bool usesImagePath(const QString &sourcePath, bool targetIsImage);

// Writes the primary image of the source file to outputPath in the format of
// the extension `ext` (any case), upright. Blocks; safe on any thread. Fails
// with FFmpegError::nonZeroExit(1, message), the message being one of
// "Unsupported output format: <ext>", "Could not read image",
// "Could not create <ext>", "Could not decode image", "Could not write image".
// An existing output is replaced only when the new one is complete; a failed
// write leaves nothing behind.
std::optional<FFmpegError> writeImage(const QString &sourcePath, const QString &outputPath,
                                      const QString &ext);

// A small PNG of the image at path, at most `size` pixels on its longer
// side, upright; empty when libvips cannot read the file. Blocks; safe on
// any thread but meant for worker threads.
QByteArray thumbnailPng(const QString &path, int size);
