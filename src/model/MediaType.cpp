#include "model/MediaType.h"

#include <QFileInfo>
#include <QMimeDatabase>
#include <QMimeType>

namespace {

std::optional<MediaGroup> groupOfName(const QString &mimeName)
{
    if (mimeName.startsWith(u"image/"))
        return MediaGroup::image;
    if (mimeName.startsWith(u"audio/"))
        return MediaGroup::audio;
    if (mimeName.startsWith(u"video/"))
        return MediaGroup::video;
    return std::nullopt;
}

// shared-mime-info files playlists under audio/ and video/, but they only
// point at media. The probe cannot be trusted with them either (libavformat
// reads a .pls as LRC lyrics), so a playlist stays other.
bool isPlaylist(const QMimeType &type)
{
    static const char *const playlists[] = {
        "audio/x-mpegurl",
        "application/vnd.apple.mpegurl",
        "audio/x-scpls",
        "audio/x-ms-asx",
        "audio/x-iriver-pla",
        "video/vnd.mpegurl",
        "application/x-quicktime-media-link",
    };
    for (const char *name : playlists) {
        if (type.inherits(QLatin1String(name)))
            return true;
    }
    return false;
}

// A type conforms to a kind when its name or an ancestor's name has that
// top-level type. The type's own name is the most specific answer and wins:
// some types derive from a type of another kind (MJPEG video from JPEG, M4R
// ringtones from MP4 video). Among ancestors, image beats audio beats video.
MediaGroup groupOfType(const QMimeType &type)
{
    if (!type.isValid() || type.isDefault())
        return MediaGroup::other;
    if (const auto group = groupOfName(type.name()))
        return *group;
    const QStringList ancestors = type.allAncestors();
    for (MediaGroup kind : {MediaGroup::image, MediaGroup::audio, MediaGroup::video}) {
        for (const QString &ancestor : ancestors) {
            if (groupOfName(ancestor) == kind)
                return kind;
        }
    }
    return MediaGroup::other;
}

// Formats whose files hold audio alone as often as video: their streams,
// not their names, decide the group.
bool isContainer(const QMimeType &type)
{
    if (groupOfType(type) == MediaGroup::video)
        return true;
    for (const char *name : {"audio/ogg", "audio/x-matroska", "audio/webm", "application/ogg"}) {
        if (type.inherits(QLatin1String(name)))
            return true;
    }
    return false;
}

} // namespace

MediaType::MediaType(MediaGroup group, const QString &descr)
    : m_group(group)
    , m_descr(descr)
{
}

MediaType::Examined MediaType::examine(const QString &path, const ProbeFunction &probe)
{
    const QFileInfo info(path);
    // Only a readable regular file has a type. Anything else stays other
    // without a probe: a reader would block forever on a FIFO, and the probe
    // cannot read what we cannot read.
    if (!info.isFile() || !info.isReadable())
        return {};

    const QMimeDatabase database;
    // The default match mode reads the content when the name is ambiguous
    // (.ts: MPEG transport stream or Qt translation source).
    const QMimeType type = database.mimeTypeForFile(info);
    const bool known = type.isValid() && !type.isDefault();
    const QString descr = known ? type.comment() : QString();

    if (subtitleExtensions().contains(info.suffix().toLower()))
        return {{MediaGroup::subtitle, descr}, {}};
    if (known && isPlaylist(type))
        return {{MediaGroup::other, descr}, {}};
    const MediaGroup named = groupOfType(type);
    if (named == MediaGroup::image)
        return {{MediaGroup::image, descr}, {}};

    std::optional<ProbeSummary> probed = probe ? probe(path) : std::nullopt;
    if (!probed) {
        // A file the probe cannot open keeps the group of its type, so that
        // converting it says what is wrong with it; unless it is plain text
        // under a media name (a Go module's go.mod is no tracker module).
        if (named == MediaGroup::other
            || database.mimeTypeForFile(info, QMimeDatabase::MatchContent)
                   .inherits(QStringLiteral("text/plain")))
            return {};
        return {{named, descr}, {}};
    }
    MediaGroup group = groupFromProbe(*probed);
    // A raw video stream need not know its play length.
    if (named == MediaGroup::video && probed->movingPicture && !probed->textReader)
        group = MediaGroup::video;
    // An audio-only type stays audio whatever the probe calls a picture in
    // it; only containers that may hold either are placed by their streams.
    if (named == MediaGroup::audio && !isContainer(type) && group != MediaGroup::other)
        group = MediaGroup::audio;
    if (group == MediaGroup::other)
        return {{}, probed};
    if (named == MediaGroup::other)
        return {{group, probed->formatLongName.value_or(QString())}, probed};
    return {{group, descr}, probed};
}

MediaType MediaType::classify(const QString &path, const ProbeFunction &probe)
{
    return examine(path, probe).type;
}

MediaGroup MediaType::groupFromProbe(const ProbeSummary &result)
{
    if (result.textReader)
        return MediaGroup::other;
    // A single picture comes out as a video stream without a play length.
    if (result.movingPicture && result.duration.value_or(0.0) > 0.0)
        return MediaGroup::video;
    if (result.audio)
        return MediaGroup::audio;
    if (result.movingPicture || result.stillPicture)
        return MediaGroup::image;
    if (result.subtitle)
        return MediaGroup::subtitle;
    return MediaGroup::other;
}

const QSet<QString> &MediaType::subtitleExtensions()
{
    static const QSet<QString> extensions {QStringLiteral("srt"), QStringLiteral("sub"),
                                           QStringLiteral("ssa"), QStringLiteral("ass"),
                                           QStringLiteral("vtt")};
    return extensions;
}
