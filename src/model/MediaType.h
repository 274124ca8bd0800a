#pragma once

#include "model/MediaGroup.h"

#include <QSet>
#include <QString>

#include <functional>
#include <optional>

struct ProbeResult;

// How one file was classified: its group and a human-readable description of
// its type. Fixed when the file is imported.
class MediaType final {
public:
    using ProbeFunction = std::function<std::optional<ProbeResult>(const QString &path)>;

    MediaType() = default; // other, no description
    MediaType(MediaGroup group, const QString &descr);

    MediaGroup group() const { return m_group; }
    // Empty when no description was found.
    const QString &descr() const { return m_descr; }

    // Classifies a file by the MIME database and, for files it cannot place,
    // by the streams the media probe finds. Blocks on the file system and
    // possibly on the probe: call it off the main thread. Never fails: anything unplaced is
    // other.
    static MediaType classify(const QString &path);
    // The same with another probe, so that callers can observe or replace it.
    static MediaType classify(const QString &path, const ProbeFunction &probe);

    // The group that a probe's streams stand for.
    static MediaGroup groupFromProbe(const ProbeResult &result);

    // Lower-case extensions that make a file a subtitle: the MIME database
    // has no common parent type for subtitle formats.
    static const QSet<QString> &subtitleExtensions();

    friend bool operator==(const MediaType &, const MediaType &) = default;

private:
    MediaGroup m_group = MediaGroup::other;
    QString m_descr;
};
