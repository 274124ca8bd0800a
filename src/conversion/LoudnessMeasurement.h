#pragma once

#include <QString>
#include <QStringList>

#include <optional>

struct ConversionSettings;
struct MediaTarget;

// The EBU R128 figures of one input, as the first pass of ffmpeg's loudnorm
// filter reports them, and the filter texts of both passes. The second pass
// feeds the figures back, so that the filter can apply one linear gain to the
// whole file instead of riding the level.
struct LoudnessMeasurement {
    double integrated = 0.0; // LUFS; -inf for digital silence
    double truePeak = 0.0; // dBTP
    double range = 0.0; // LU
    double threshold = 0.0; // LUFS
    double offset = 0.0; // LU
    // The sample rate of the measured audio stream, when ffmpeg named it.
    std::optional<int> sampleRate;

    // The true-peak ceiling and the loudness range both passes ask for.
    static constexpr double truePeakLimit = -1.5;
    static constexpr double rangeTarget = 11.0;

    // Reads ffmpeg's error output of a measuring pass (run at log level
    // "info"): the JSON block that loudnorm prints last, and the sample rate
    // from the input's first audio stream. Nothing when the block is missing,
    // incomplete, or holds a value that is no number.
    static std::optional<LoudnessMeasurement> fromReport(const QStringList &lines);

    // Nothing measurable was heard (silence, or below the gate): no gain can
    // bring it to a target, so the file is converted as it is.
    bool isSilent() const;

    friend bool operator==(const LoudnessMeasurement &, const LoudnessMeasurement &) = default;
};

// Whether a conversion with these settings normalises: the switch is on and
// the target writes audio.
bool normalizesLoudness(const MediaTarget &target, const ConversionSettings &settings);

// "loudnorm=I=-16:TP=-1.5:LRA=11:print_format=json", the measuring filter.
QString loudnessMeasuringFilter(double targetLufs);

// The second pass: loudnorm with the measured figures and linear gain, then
// back to the input's sample rate (loudnorm works at 192 kHz whenever it
// cannot stay linear).
QString loudnessNormalizingFilter(double targetLufs, const LoudnessMeasurement &measured);
