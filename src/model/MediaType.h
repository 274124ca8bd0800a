#pragma once

#include "model/MediaGroup.h"
#include "model/ProbeSummary.h"

#include <QSet>
#include <QString>

#include <functional>
#include <optional>

// How one file was classified: its group and a human-readable description of
// its type. Fixed when the file is imported.
class MediaType final {
public:
    // Reads a file's streams. Blocking; nothing when the file is no media or
    // the probe failed.
    using ProbeFunction = std::function<std::optional<ProbeSummary>(const QString &path)>;

    MediaType() = default; // other, no description
    MediaType(MediaGroup group, const QString &descr);

    MediaGroup group() const { return m_group; }
    // Empty when no description was found.
    const QString &descr() const { return m_descr; }

    // A classified file and, when it was probed, what the probe found.
    struct Examined;

    // Classifies a file by the MIME database where its type alone decides
    // (stills, subtitles, audio-only formats) and otherwise by the streams
    // the probe finds: a container type may hold audio alone or video, and
    // the database cannot place every file. Audio and video files are always
    // probed, for their play length. Blocks on the file system and the
    // probe: call it off the main thread. Never fails: anything unplaced is
    // other, and so is a file without a stream that can be decoded.
    static Examined examine(const QString &path, const ProbeFunction &probe = {});
    static MediaType classify(const QString &path, const ProbeFunction &probe = {});

    // The group that a probe's streams stand for, whatever the file's name.
    static MediaGroup groupFromProbe(const ProbeSummary &result);

    // Lower-case extensions that make a file a subtitle: the MIME database
    // has no common parent type for subtitle formats.
    static const QSet<QString> &subtitleExtensions();

    friend bool operator==(const MediaType &, const MediaType &) = default;

private:
    MediaGroup m_group = MediaGroup::other;
    QString m_descr;
};

struct MediaType::Examined {
    MediaType type;
    std::optional<ProbeSummary> probed;
};
