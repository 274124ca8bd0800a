#pragma once

#include <QString>

// The preferences that decide what a conversion writes, read together at one
// moment, so that a signature and the arguments of one job agree.
struct ConversionSettings {
    QString videoCodec;
    double videoQuality = 23.0;
    bool hardwareAcceleration = true;
    double audioQuality = 192.0;
    QString videoToAudio;

    static ConversionSettings current();

    // The audio bitrate in kbit/s as the tools take it: truncated toward zero,
    // and kept within what any encoder could be asked for.
    qint64 audioKbps() const;

    friend bool operator==(const ConversionSettings &, const ConversionSettings &) = default;
};
