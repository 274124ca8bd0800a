#pragma once

#include <QList>
#include <QString>

#include <optional>

// The codec choice of the "video codec" preference. The preference itself
// stays a plain string; consumers compare it with the raw values.
enum class VideoCodec {
    h264,
    hevc,
    copy,
};

// Every case, in picker order.
QList<VideoCodec> allVideoCodecs();

// The string stored in the preference: "h264", "hevc", "copy".
QString rawValue(VideoCodec codec);

// The exact raw value of a case; any other text (other case, spaces) is nothing.
std::optional<VideoCodec> videoCodecFromRawValue(const QString &raw);

// The translated picker label, e.g. "H.265 / HEVC".
QString label(VideoCodec codec);
