#pragma once

#include <QByteArray>
#include <QStringList>

// The conversion-specific options of one ffmpeg run.
struct FFArgs {
    QStringList inputOptions; // before "-y"/"-n" and "-i"
    QStringList outputOptions; // after the input path, before the output path
    // An ffmetadata document that ffmpeg reads as a second input (what does
    // not fit in an argument, such as a cover); empty for none.
    QByteArray metadataInput {};
    // What the builder chose and why, for people; never passed to ffmpeg.
    QStringList notes {};

    friend bool operator==(const FFArgs &, const FFArgs &) = default;
};
