#pragma once

#include "tools/FFProgress.h"

#include <QHash>
#include <QString>

#include <optional>

// Reads ffmpeg's "-progress" stream: key=value lines, each block closed by a
// "progress" line. One parser per run; feed it every standard-output line.
class FFProgressParser final {
public:
    // Returns the finished block when `line` closes one.
    std::optional<FFProgress> parseProgressLine(const QString &line);

private:
    QHash<QString, QString> m_pending;
};
