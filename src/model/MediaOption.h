#pragma once

#include <QList>
#include <QString>

#include <optional>

// A setting that an output target uses; its raw value is the case name.
// audioCodec is declared for completeness: no target lists it.
enum class MediaOption {
    audioQuality,
    videoToAudio,
    videoCodec,
    videoQuality,
    hwAccel,
    audioCodec
};

QString rawValue(MediaOption option);

// Only an exact, case-sensitive raw value names an option.
std::optional<MediaOption> mediaOptionFromRawValue(const QString &raw);

// All options in declaration order.
const QList<MediaOption> &allOptions();

size_t qHash(MediaOption option, size_t seed = 0);
