#pragma once

#include <QString>
#include <QStringList>

#include <optional>

struct ConversionSettings;
struct MediaTarget;

// The EBU R128 figures of one input, as ffmpeg's ebur128 filter sums them up
// in the measuring pass, and the filter texts of both passes. ebur128 costs a
// fraction of loudnorm's own first pass; the second pass applies one gain to
// the whole file and needs loudnorm only when that gain would clip.
struct LoudnessMeasurement {
    double integrated = 0.0; // LUFS; -inf for digital silence
    double truePeak = 0.0; // dBTP
    double range = 0.0; // LU
    double threshold = 0.0; // LUFS
    // The sample rate of the measured audio stream, when ffmpeg named it.
    std::optional<int> sampleRate;

    // The true-peak ceiling and the loudness range both passes ask for.
    static constexpr double truePeakLimit = -1.5;
    static constexpr double rangeTarget = 11.0;

    // ebur128 reports anything below its absolute gate this low.
    static constexpr double silenceFloor = -70.0;

    // Reads ffmpeg's error output of a measuring pass (run at log level
    // "info"): the summary that ebur128 prints last, and the sample rate
    // from the input's first audio stream. Nothing when the summary is
    // missing, incomplete, or holds a value that is no number.
    static std::optional<LoudnessMeasurement> fromReport(const QStringList &lines);

    // Nothing measurable was heard (silence, or below the gate): no gain can
    // bring it to a target, so the file is converted as it is.
    bool isSilent() const;

    friend bool operator==(const LoudnessMeasurement &, const LoudnessMeasurement &) = default;
};

// Whether a conversion with these settings normalises: the switch is on and
// the target writes audio.
bool normalizesLoudness(const MediaTarget &target, const ConversionSettings &settings);

// The measuring filter: ebur128 with true peaks, its per-frame log kept below
// log level "info".
QString loudnessMeasuringFilter();

// The second pass: a plain volume change when the gain to the target keeps
// the true peak under the ceiling; otherwise loudnorm with the measured
// figures, which then rides the level, and back to the input's sample rate
// (loudnorm works at 192 kHz whenever it cannot stay linear).
QString loudnessNormalizingFilter(double targetLufs, const LoudnessMeasurement &measured);
