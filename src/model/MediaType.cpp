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

} // namespace

MediaType::MediaType(MediaGroup group, const QString &descr)
    : m_group(group)
    , m_descr(descr)
{
}

MediaType MediaType::classify(const QString &path, const ProbeFunction &probe)
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
        return {MediaGroup::subtitle, descr};
    if (known && isPlaylist(type))
        return {MediaGroup::other, descr};
    if (const MediaGroup group = groupOfType(type); group != MediaGroup::other)
        return {group, descr};

    const std::optional<ProbeSummary> result = probe ? probe(path) : std::nullopt;
    if (!result)
        return {};
    return {groupFromProbe(*result), result->formatLongName.value_or(QString())};
}

MediaGroup MediaType::groupFromProbe(const ProbeSummary &result)
{
    const std::optional<QString> &kind = result.primaryCodecType;
    if (kind == QLatin1String("audio"))
        return MediaGroup::audio;
    if (kind == QLatin1String("video")) {
        // A still picture comes out as a video stream without a play length.
        return result.duration.value_or(0.0) > 0.0 ? MediaGroup::video : MediaGroup::image;
    }
    if (kind == QLatin1String("subtitle"))
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
