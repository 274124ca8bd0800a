#pragma once

#include <QList>
#include <QString>

#include <optional>

// The five groups every input file falls into. The declaration order is the
// order of every group list in the program (sidebar, grouped view).
enum class MediaGroup { audio, video, image, subtitle, other };

// The stored and compared form: "Audio", "Video", "Images", "Subtitles", "Other".
QString rawValue(MediaGroup group);

// The raw value translated for display.
QString label(MediaGroup group);

// All groups in declaration order.
const QList<MediaGroup> &allGroups();

size_t qHash(MediaGroup group, size_t seed = 0);
