#pragma once

#include "model/MediaGroup.h"
#include "model/MediaOption.h"

#include <QList>
#include <QString>

#include <optional>

// One output choice for a group: a format to convert into, or an operation
// beside the formats (extracting the audio of videos). A target is identified
// by its id alone; presets store nothing else.
struct MediaTarget {
    QString id; // "audio.mp3", "video.extract-audio", …
    QString title; // shown to the user
    QString ext; // output extension without a dot; empty for extract-audio
    MediaGroup group = MediaGroup::other;
    QList<MediaOption> options; // the settings the target uses, in display order
    bool isExtra = false;

    bool hasOption(MediaOption option) const { return options.contains(option); }
    // Writes an audio file: the audio formats and the extraction of a video's
    // audio (the targets whose loudness can be normalised).
    bool writesAudio() const
    {
        return group == MediaGroup::audio || hasOption(MediaOption::videoToAudio);
    }

    // The extension of the file this target writes. Extract-audio writes the
    // format of the "video to audio" preference: callers pass its current
    // value, read at the moment they ask.
    QString outputExtension(const QString &videoToAudioExt) const;

    // The fixed catalogue, built on first use and shared read-only.
    static const QList<MediaTarget> &audioTargets();
    static const QList<MediaTarget> &videoTargets();
    static const QList<MediaTarget> &imageTargets();
    static const QList<MediaTarget> &subtitleTargets();
    static const MediaTarget &extractAudioTarget();

    // Every target, the four lists in group order followed by extract-audio.
    static const QList<MediaTarget> &allTargets();

    // The formats offered for a group; empty for other.
    static const QList<MediaTarget> &targets(MediaGroup group);
    // The operations offered beside the formats; extract-audio for video only.
    static const QList<MediaTarget> &extras(MediaGroup group);
    // The target a new workspace of the group starts with.
    static const MediaTarget &initialTarget(MediaGroup group);

    // Exact, case-sensitive match of a target id.
    static std::optional<MediaTarget> fromId(const QString &id);

    friend bool operator==(const MediaTarget &a, const MediaTarget &b) { return a.id == b.id; }
};

size_t qHash(const MediaTarget &target, size_t seed = 0);
