#include "settings/ConversionSettings.h"

#include "settings/Preferences.h"
#include "settings/SettingRange.h"

#include <algorithm>
#include <cmath>

const QStringList &ConversionSettings::keyNames()
{
    static const QStringList names = [] {
        QStringList list;
        forEachKey([&list](const auto &key, auto) { list.append(key.name); });
        return list;
    }();
    return names;
}

ConversionSettings ConversionSettings::current()
{
    const Preferences &preferences = Preferences::instance();
    ConversionSettings settings;
    forEachKey([&](const auto &key, auto member) { settings.*member = preferences.value(key); });
    return settings;
}

QMetaObject::Connection ConversionSettings::onChanged(const QObject *context,
                                                      std::function<void()> slot)
{
    return QObject::connect(&Preferences::instance(), &Preferences::changed, context,
                            [slot = std::move(slot)](const QString &key) {
                                if (keyNames().contains(key))
                                    slot();
                            });
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
    return std::clamp(loudnessTarget, SettingRanges::loudnessLufs.min,
                      SettingRanges::loudnessLufs.max);
}
