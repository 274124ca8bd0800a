#pragma once

#include <QString>

#include <optional>

// One block of ffmpeg's "-progress" stream.
struct FFProgress {
    std::optional<qint64> frame {};
    std::optional<double> fps {};
    std::optional<QString> bitrate {}; // the tool's text, with its own unit
    std::optional<double> outTimeSeconds {};
    std::optional<double> speed {}; // multiple of real time
    bool isEnd = false;

    friend bool operator==(const FFProgress &, const FFProgress &) = default;
};
