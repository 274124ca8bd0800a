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
    // Reads a file's streams when the MIME database cannot place it. Blocking;
    // nothing when the file is no media or the probe failed.
    using ProbeFunction = std::function<std::optional<ProbeSummary>(const QString &path)>;

    MediaType() = default; // other, no description
    MediaType(MediaGroup group, const QString &descr);

    MediaGroup group() const { return m_group; }
    // Empty when no description was found.
    const QString &descr() const { return m_descr; }

    // Classifies a file by the MIME database and, for files it cannot place,
    // by the streams the probe finds (without a probe, such a file is other).
    // Blocks on the file system and possibly on the probe: call it off the
    // main thread. Never fails: anything unplaced is other.
    static MediaType classify(const QString &path, const ProbeFunction &probe = {});

    // The group that a probe's streams stand for.
    static MediaGroup groupFromProbe(const ProbeSummary &result);

    // Lower-case extensions that make a file a subtitle: the MIME database
    // has no common parent type for subtitle formats.
    static const QSet<QString> &subtitleExtensions();

    friend bool operator==(const MediaType &, const MediaType &) = default;

private:
    MediaGroup m_group = MediaGroup::other;
    QString m_descr;
};
