#pragma once

#include <QList>
#include <QString>

#include <optional>

// Where an item stands. The raw value names the status icon the views show.
enum class MediaStatus { unprocessed, processing, failed, successful, unrecognized, cancelled };

QString rawValue(MediaStatus status);
std::optional<MediaStatus> mediaStatusFromRawValue(const QString &raw);
const QList<MediaStatus> &allStatuses();
