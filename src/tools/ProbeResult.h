#pragma once

#include "tools/ProbeStream.h"

#include <QList>
#include <QString>

#include <optional>

// What the probe found in one file, in ffprobe's terms.
struct ProbeResult {
    std::optional<QString> formatLongName;
    std::optional<double> duration; // seconds
    std::optional<qint64> size; // bytes
    std::optional<qint64> bitrate; // bits per second
    QList<ProbeStream> streams; // in the container's order
    std::optional<QString> formatName; // "matroska,webm", …

    friend bool operator==(const ProbeResult &, const ProbeResult &) = default;
};
