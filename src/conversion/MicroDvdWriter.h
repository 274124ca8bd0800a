#pragma once

#include <QString>

#include <optional>

// ffmpeg reads MicroDVD subtitles but has no encoder for them, so a ".sub"
// output is made from the SRT that ffmpeg writes: one "{start}{end}text"
// line per cue, times in frames at a declared rate, line breaks as "|".
namespace MicroDvdWriter {

inline constexpr double frameRate = 23.976;

// The MicroDVD text of an SRT document; the first line declares the rate.
QString fromSrt(const QString &srt);

// Reads an SRT file and writes its MicroDVD form; the error message on failure.
std::optional<QString> convertFile(const QString &srtPath, const QString &outputPath);

} // namespace MicroDvdWriter
