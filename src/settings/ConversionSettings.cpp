#include "settings/ConversionSettings.h"

#include "settings/Preferences.h"

#include <algorithm>
#include <cmath>

ConversionSettings ConversionSettings::current()
{
    const Preferences &preferences = Preferences::instance();
    return {preferences.value(PreferenceKeys::videoCodec),
            preferences.value(PreferenceKeys::videoQuality),
            preferences.value(PreferenceKeys::hardwareAcceleration),
            preferences.value(PreferenceKeys::audioQuality),
            preferences.value(PreferenceKeys::videoToAudio),
            preferences.value(PreferenceKeys::normalizeLoudness),
            preferences.value(PreferenceKeys::loudnessTarget),
            preferences.value(PreferenceKeys::keepFolderStructure)};
}

qint64 ConversionSettings::audioKbps() const
{
    // The store never yields a non-finite value; a hand-edited huge one is
    // clamped rather than overflowing.
    if (!std::isfinite(audioQuality))
        return qint64(PreferenceKeys::audioQuality.defaultValue);
    return qint64(std::trunc(std::clamp(audioQuality, -1e9, 1e9)));
}

double ConversionSettings::loudnessLufs() const
{
    if (!std::isfinite(loudnessTarget))
        return PreferenceKeys::loudnessTarget.defaultValue;
    return std::clamp(loudnessTarget, minLoudnessLufs, maxLoudnessLufs);
}
