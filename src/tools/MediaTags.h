#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

#include <optional>

// The front cover of a music file, as its container holds it.
struct CoverArt {
    QByteArray data; // the picture file's bytes
    QString mimeType; // "image/jpeg" or "image/png"
    int width = 0;
    int height = 0;

    friend bool operator==(const CoverArt &, const CoverArt &) = default;
};

// A file's tags and front cover as libavformat reads them: the container's
// tags and those of its first audio stream (where Vorbis comments live), keys
// in lower case.
struct MediaTags {
    QMap<QString, QString> tags;
    std::optional<CoverArt> cover;
};

// Reads in this process; nothing when the file cannot be read as media. A
// cover larger than any real one is left out. Blocking: never on the main
// thread.
std::optional<MediaTags> readMediaTags(const QString &path);
