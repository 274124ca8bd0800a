#pragma once

#include <QString>
#include <QStringList>

// What the benchmarks share: making sample media and reading memory use.
namespace BenchSupport {

// "a b c" → {"a", "b", "c"}: ffmpeg argument lists written as one text.
QStringList split(const char *text);

// ffmpeg -y -hide_banner -loglevel error <arguments> <output>; true on success.
bool ffmpeg(const QStringList &arguments, const QString &output);

// A stereo 44.1 kHz song of `seconds`: pink noise under a tone, as hard to
// encode as music, unlike a bare tone. The container follows the extension.
bool makeSong(const QString &output, double seconds);

// Resident memory of this process in kibibytes (from /proc/self/status).
qint64 residentKiB();

} // namespace BenchSupport
