#include "model/MediaOption.h"

#include <QHashFunctions>

QString rawValue(MediaOption option)
{
    switch (option) {
    case MediaOption::audioQuality:
        return QStringLiteral("audioQuality");
    case MediaOption::videoToAudio:
        return QStringLiteral("videoToAudio");
    case MediaOption::videoCodec:
        return QStringLiteral("videoCodec");
    case MediaOption::videoQuality:
        return QStringLiteral("videoQuality");
    case MediaOption::hwAccel:
        return QStringLiteral("hwAccel");
    case MediaOption::audioCodec:
        break;
    }
    return QStringLiteral("audioCodec");
}

std::optional<MediaOption> mediaOptionFromRawValue(const QString &raw)
{
    for (MediaOption option : allOptions()) {
        if (raw == rawValue(option))
            return option;
    }
    return std::nullopt;
}

const QList<MediaOption> &allOptions()
{
    static const QList<MediaOption> options {MediaOption::audioQuality, MediaOption::videoToAudio,
                                             MediaOption::videoCodec,   MediaOption::videoQuality,
                                             MediaOption::hwAccel,      MediaOption::audioCodec};
    return options;
}

size_t qHash(MediaOption option, size_t seed)
{
    return ::qHash(static_cast<int>(option), seed);
}
