#include "model/MediaGroup.h"

#include <QCoreApplication>
#include <QHashFunctions>

namespace {

const char *rawText(MediaGroup group)
{
    switch (group) {
    case MediaGroup::audio:
        return QT_TRANSLATE_NOOP("MediaGroup", "Audio");
    case MediaGroup::video:
        return QT_TRANSLATE_NOOP("MediaGroup", "Video");
    case MediaGroup::image:
        return QT_TRANSLATE_NOOP("MediaGroup", "Images");
    case MediaGroup::subtitle:
        return QT_TRANSLATE_NOOP("MediaGroup", "Subtitles");
    case MediaGroup::other:
        break;
    }
    return QT_TRANSLATE_NOOP("MediaGroup", "Other");
}

} // namespace

QString rawValue(MediaGroup group)
{
    return QString::fromLatin1(rawText(group));
}

QString label(MediaGroup group)
{
    return QCoreApplication::translate("MediaGroup", rawText(group));
}

const QList<MediaGroup> &allGroups()
{
    static const QList<MediaGroup> groups {MediaGroup::audio, MediaGroup::video, MediaGroup::image,
                                           MediaGroup::subtitle, MediaGroup::other};
    return groups;
}

size_t qHash(MediaGroup group, size_t seed)
{
    return ::qHash(static_cast<int>(group), seed);
}
