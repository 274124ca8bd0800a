#pragma once

#include "conversion/VideoScale.h"

#include <QString>
#include <QStringList>

#include <optional>

// The per-batch trim range and video scale of one group workspace. Never
// persisted. The time texts are ffmpeg time durations as the user typed them
// and reach ffmpeg unchanged; ffmpeg reports what it cannot read.
struct BatchSettings {
    bool trimEnabled = false;
    // Turning trimEnabled off keeps both texts for when it is turned on again.
    QString trimStart {};
    QString trimEnd {};
    VideoScale scale = VideoScale::original;

    // "-ss" and trimStart as typed, when trimming is on and the start is not
    // blank; otherwise nothing. An input option: it stands before the input.
    QStringList trimStartArguments() const;

    // "-to" and trimEnd as typed, when trimming is on and the end is not
    // blank; otherwise nothing. An input option right after the start: as an
    // output option after an input "-ss" ffmpeg would read it on the output's
    // timeline, and Start 90 with End 120 would keep 120 seconds.
    QStringList trimEndArguments() const;

    // The length of the kept range of a file `duration` seconds long: from
    // the start (or 0) to the end (or the file's end). Nothing when the file's
    // length is unknown and the end is not given, or a bound cannot be read.
    std::optional<double> keptDuration(std::optional<double> duration) const;

    // What is wrong with the trim range as typed, for the user to read: a
    // bound that is not a time, or an end not later than the start. Nothing
    // when trimming is off or the range can be used. The conversion does not
    // depend on it; ffmpeg would refuse such a range for every file.
    std::optional<QString> trimProblem() const;

    // "-vf" and the scale filter, for a target of the video group (extract-
    // audio included) when the scale is not original and the "video codec"
    // preference is not exactly "copy" (a stream copy cannot be filtered);
    // otherwise nothing. Output options, after the trim end.
    QStringList scaleArguments(bool videoTarget, const QString &videoCodecPreference) const;

    friend bool operator==(const BatchSettings &, const BatchSettings &) = default;
};

// True when a time text holds nothing but spaces and tabs; such a bound is skipped.
bool isBlankTimeText(const QString &text);

// Seconds of an ffmpeg time text: "90", "1.5", "01:30", "00:01:30.250", "1500ms".
std::optional<double> timeTextSeconds(const QString &text);
