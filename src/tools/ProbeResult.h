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

    // The dominant stream kind: the only stream's kind, else "video" if any
    // stream is video, else "audio" if any is audio, else the first stream's
    // kind; nothing when there are no streams.
    std::optional<QString> primaryCodecType() const;

    friend bool operator==(const ProbeResult &, const ProbeResult &) = default;
};
