#pragma once

#include <QString>

#include <optional>

// One stream of a probed file, named the way ffprobe names it.
struct ProbeStream {
    QString codecType; // "video", "audio", "subtitle", …; empty when unknown
    std::optional<QString> codecLongName {};
    std::optional<qint64> width {};
    std::optional<qint64> height {};
    std::optional<QString> codecName {}; // "mp3", "h264", …
    std::optional<QString> pixelFormat {}; // "yuv420p", …
    std::optional<int> channels {};
    std::optional<QString> channelLayout {}; // "stereo", "5.1(side)", …
    std::optional<int> sampleRate {}; // Hz
    bool decodable = false; // this FFmpeg has a decoder for it
    bool attachedPicture = false; // a cover picture, not a moving one
    // Of a video stream: frames per second on average, and bits per second
    // where the container says.
    std::optional<double> frameRate {};
    std::optional<qint64> bitrate {};

    friend bool operator==(const ProbeStream &, const ProbeStream &) = default;
};
