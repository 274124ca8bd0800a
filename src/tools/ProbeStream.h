#pragma once

#include <QString>

#include <optional>

// One stream of a probed file, as ffprobe names it.
struct ProbeStream {
    QString codecType; // "video", "audio", "subtitle", …; empty when ffprobe gave none
    std::optional<QString> codecLongName;
    std::optional<qint64> width;
    std::optional<qint64> height;

    friend bool operator==(const ProbeStream &, const ProbeStream &) = default;
};
