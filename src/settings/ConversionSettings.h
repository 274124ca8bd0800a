#pragma once

#include <QString>

// The preferences that decide what a conversion writes, read together at one
// moment, so that a signature and the arguments of one job agree.
struct ConversionSettings {
    // The range of integrated loudness that ffmpeg's loudnorm filter accepts.
    static constexpr double minLoudnessLufs = -70.0;
    static constexpr double maxLoudnessLufs = -5.0;

    QString videoCodec;
    double videoQuality = 23.0;
    bool hardwareAcceleration = true;
    double audioQuality = 192.0;
    QString videoToAudio;
    bool normalizeLoudness = false;
    double loudnessTarget = -16.0;
    // Where outputs go, not what they hold: no part of a success signature.
    bool keepFolderStructure = false;

    static ConversionSettings current();

    // The audio bitrate in kbit/s as the tools take it: truncated toward zero,
    // and kept within what any encoder could be asked for.
    qint64 audioKbps() const;

    // The loudness target in LUFS within what the measuring filter takes
    // (-70 to -5); a non-finite value gives the default.
    double loudnessLufs() const;

    friend bool operator==(const ConversionSettings &, const ConversionSettings &) = default;
};
