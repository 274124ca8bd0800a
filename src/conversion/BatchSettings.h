#pragma once

#include "conversion/VideoScale.h"

#include <QString>
#include <QStringList>

// The per-batch trim range and video scale of one group workspace. Never
// persisted. The time texts are ffmpeg time durations as the user typed them;
// they are not parsed here, ffmpeg reports what it cannot read.
struct BatchSettings {
    bool trimEnabled = false;
    // Turning trimEnabled off keeps both texts for when it is turned on again.
    QString trimStart;
    QString trimEnd;
    VideoScale scale = VideoScale::original;

    // "-ss" and trimStart as typed, when trimming is on and the start is not
    // blank; otherwise nothing. An input option: it stands before the input.
    QStringList trimStartArguments() const;

    // "-to" and trimEnd as typed, when trimming is on and the end is not
    // blank; otherwise nothing. An output option, after the codec options.
    // Because the start seeks the input, ffmpeg measures the end on the
    // output's timeline: Start 90 and End 120 keep 120 seconds from 1:30 on.
    QStringList trimEndArguments() const;

    // "-vf" and the scale filter, for a target of the video group (extract-
    // audio included) when the scale is not original and the "video codec"
    // preference is not exactly "copy" (a stream copy cannot be filtered);
    // otherwise nothing. Output options, after the trim end.
    QStringList scaleArguments(bool videoTarget, const QString &videoCodecPreference) const;

    friend bool operator==(const BatchSettings &, const BatchSettings &) = default;
};

// True when a time text holds nothing but spaces and tabs; such a bound is skipped.
bool isBlankTimeText(const QString &text);
