#pragma once

#include "tools/FFProgress.h"

#include <QString>

#include <functional>

// Something one ffmpeg run reported: a progress block or a line of its
// error output.
struct FFEvent {
    enum class Kind { progress, log };

    Kind kind = Kind::log;
    FFProgress progress; // for Kind::progress
    QString line; // for Kind::log

    static FFEvent makeProgress(const FFProgress &p) { return {Kind::progress, p, {}}; }
    static FFEvent makeLog(const QString &text) { return {Kind::log, {}, text}; }
};

using FFEventHandler = std::function<void(const FFEvent &)>;
