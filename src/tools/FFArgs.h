#pragma once

#include <QStringList>

// The conversion-specific options of one ffmpeg run.
struct FFArgs {
    QStringList inputOptions; // before "-y"/"-n" and "-i"
    QStringList outputOptions; // after the input path, before the output path

    friend bool operator==(const FFArgs &, const FFArgs &) = default;
};
