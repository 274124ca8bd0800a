#pragma once

#include <QString>

#include <optional>

// The video encoder for one output format and codec choice.
struct VideoEncoderChoice {
    QString encoder; // an ffmpeg encoder name, or "copy" for a stream copy
    std::optional<QString> rateFlag; // "-b:v"; absent for a stream copy
    bool needsHvc1Tag = false; // "-tag:v" "hvc1" must follow (HEVC in MP4/MOV/M4V)

    friend bool operator==(const VideoEncoderChoice &, const VideoEncoderChoice &) = default;
};
