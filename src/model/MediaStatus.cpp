#include "model/MediaStatus.h"

QString rawValue(MediaStatus status)
{
    switch (status) {
    case MediaStatus::unprocessed:
        return QStringLiteral("circle");
    case MediaStatus::processing:
        return QStringLiteral("arrow.triangle.2.circlepath");
    case MediaStatus::failed:
        return QStringLiteral("x.circle.fill");
    case MediaStatus::successful:
        return QStringLiteral("checkmark.circle.fill");
    case MediaStatus::unrecognized:
        return QStringLiteral("questionmark.circle");
    case MediaStatus::cancelled:
        return QStringLiteral("stop.circle");
    }
    return {};
}

const QList<MediaStatus> &allStatuses()
{
    static const QList<MediaStatus> statuses {MediaStatus::unprocessed,  MediaStatus::processing,
                                              MediaStatus::failed,       MediaStatus::successful,
                                              MediaStatus::unrecognized, MediaStatus::cancelled};
    return statuses;
}

std::optional<MediaStatus> mediaStatusFromRawValue(const QString &raw)
{
    for (MediaStatus status : allStatuses()) {
        if (rawValue(status) == raw)
            return status;
    }
    return std::nullopt;
}
