#pragma once

#include <QList>
#include <QString>

#include <optional>

// The output frame height of a batch's video conversions.
enum class VideoScale {
    original,
    p2160,
    p1440,
    p1080,
    p720,
    p480,
    p360,
};

// Every case, in picker order.
QList<VideoScale> allVideoScales();

// The untranslated label ("Original", "2160p (4K)", "720p", …). It is part of
// success signatures, so it must never be translated or reworded.
QString rawValue(VideoScale scale);

// The exact raw value of a case; any other text is nothing.
std::optional<VideoScale> videoScaleFromRawValue(const QString &raw);

// The label shown in the picker: the raw value, translated.
QString label(VideoScale scale);

// The ffmpeg filter that sets the output height, e.g. "scale=-2:720"; nothing
// for original. The width keeps the aspect ratio and is rounded to an even
// number, which the 4:2:0 encoders require.
std::optional<QString> filterArgument(VideoScale scale);
