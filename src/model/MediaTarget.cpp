#include "model/MediaTarget.h"

#include <QCoreApplication>
#include <QHashFunctions>

namespace {

// Format targets are named "<group word>.<extension>".
QList<MediaTarget> formatTargets(const char *word, MediaGroup group,
                                 const QList<MediaOption> &options,
                                 std::initializer_list<std::pair<const char *, const char *>> rows)
{
    QList<MediaTarget> targets;
    for (const auto &[title, ext] : rows) {
        const QString extension = QString::fromLatin1(ext);
        targets.append(MediaTarget {QLatin1String(word) + u'.' + extension,
                                    QString::fromLatin1(title), extension, group, options, false});
    }
    return targets;
}

} // namespace

QString MediaTarget::outputExtension(const QString &videoToAudioExt) const
{
    if (!ext.isEmpty())
        return ext;
    if (id == extractAudioTarget().id)
        return videoToAudioExt;
    return {};
}

const QList<MediaTarget> &MediaTarget::audioTargets()
{
    static const QList<MediaTarget> targets
        = formatTargets("audio", MediaGroup::audio, {MediaOption::audioQuality},
                        {{"MP3", "mp3"},
                         {"M4A", "m4a"},
                         {"AAC", "aac"},
                         {"FLAC", "flac"},
                         {"WAV", "wav"},
                         {"OGG", "ogg"},
                         {"OPUS", "opus"},
                         {"WMA", "wma"},
                         {"AIFF", "aiff"}});
    return targets;
}

const QList<MediaTarget> &MediaTarget::videoTargets()
{
    static const QList<MediaTarget> targets
        = formatTargets("video", MediaGroup::video,
                        {MediaOption::videoCodec, MediaOption::videoQuality, MediaOption::hwAccel,
                         MediaOption::audioQuality},
                        {{"MP4", "mp4"},
                         {"MKV", "mkv"},
                         {"WEBM", "webm"},
                         {"3GPP", "3gp"},
                         {"MOV", "mov"},
                         {"OGG", "ogv"},
                         {"FLV", "flv"},
                         {"AVI", "avi"},
                         {"WMV", "wmv"}});
    return targets;
}

const QList<MediaTarget> &MediaTarget::imageTargets()
{
    static const QList<MediaTarget> targets = formatTargets("image", MediaGroup::image, {},
                                                            {{"PNG", "png"},
                                                             {"JPG", "jpg"},
                                                             {"GIF", "gif"},
                                                             {"WEBP", "webp"},
                                                             {"TIFF", "tiff"},
                                                             {"BMP", "bmp"}});
    return targets;
}

const QList<MediaTarget> &MediaTarget::subtitleTargets()
{
    static const QList<MediaTarget> targets = formatTargets(
        "subtitle", MediaGroup::subtitle, {}, {{"SRT", "srt"}, {"SUB", "sub"}, {"SSA", "ssa"}});
    return targets;
}

const MediaTarget &MediaTarget::extractAudioTarget()
{
    static const MediaTarget target {QStringLiteral("video.extract-audio"),
                                     QCoreApplication::translate("MediaTarget", "Convert to Audio"),
                                     QString(),
                                     MediaGroup::video,
                                     {MediaOption::videoToAudio, MediaOption::audioQuality},
                                     true};
    return target;
}

const QList<MediaTarget> &MediaTarget::allTargets()
{
    static const QList<MediaTarget> targets = audioTargets() + videoTargets() + imageTargets()
        + subtitleTargets() + QList<MediaTarget> {extractAudioTarget()};
    return targets;
}

const QList<MediaTarget> &MediaTarget::targets(MediaGroup group)
{
    static const QList<MediaTarget> none;
    switch (group) {
    case MediaGroup::audio:
        return audioTargets();
    case MediaGroup::video:
        return videoTargets();
    case MediaGroup::image:
        return imageTargets();
    case MediaGroup::subtitle:
        return subtitleTargets();
    case MediaGroup::other:
        break;
    }
    return none;
}

const QList<MediaTarget> &MediaTarget::extras(MediaGroup group)
{
    static const QList<MediaTarget> none;
    static const QList<MediaTarget> videoExtras {extractAudioTarget()};
    return group == MediaGroup::video ? videoExtras : none;
}

const MediaTarget &MediaTarget::initialTarget(MediaGroup group)
{
    const QList<MediaTarget> &offered = targets(group);
    // A workspace always has a selection, even for a group nothing is offered for.
    return offered.isEmpty() ? imageTargets().constFirst() : offered.constFirst();
}

std::optional<MediaTarget> MediaTarget::fromId(const QString &id)
{
    for (const MediaTarget &target : allTargets()) {
        if (target.id == id)
            return target;
    }
    return std::nullopt;
}

size_t qHash(const MediaTarget &target, size_t seed)
{
    return qHash(target.id, seed);
}
