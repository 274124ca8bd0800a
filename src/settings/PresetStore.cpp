#include "settings/PresetStore.h"

#include "settings/ConversionSettings.h"
#include "settings/Preferences.h"
#include "settings/SettingRange.h"

#include <QCoreApplication>
#include <QUuid>

#include <algorithm>

using namespace PreferenceKeys;

namespace {

QList<ConversionPreset> offeredIn(MediaGroup group, const QList<ConversionPreset> &presets)
{
    QList<ConversionPreset> offered;
    for (const ConversionPreset &preset : presets) {
        const std::optional<MediaTarget> target = preset.target();
        if (target && target->group == group)
            offered.append(preset);
    }
    return offered;
}

} // namespace

namespace PresetStore {

QList<ConversionPreset> userPresets()
{
    QList<ConversionPreset> presets;
    for (const QJsonObject &object : Preferences::instance().value(PreferenceKeys::userPresets)) {
        std::optional<ConversionPreset> preset = ConversionPreset::fromJson(object);
        if (preset && !preset->problem())
            presets.append(std::move(*preset));
    }
    return presets;
}

std::variant<ConversionPreset, QString> findPreset(const QString &idOrName)
{
    QList<ConversionPreset> presets = ConversionPreset::builtInPresets();
    for (const QJsonObject &object : Preferences::instance().value(PreferenceKeys::userPresets)) {
        if (std::optional<ConversionPreset> preset = ConversionPreset::fromJson(object))
            presets.append(std::move(*preset));
    }
    for (const ConversionPreset &preset : std::as_const(presets)) {
        if (preset.id != idOrName && preset.name.compare(idOrName, Qt::CaseInsensitive) != 0)
            continue;
        if (const std::optional<QString> problem = preset.problem())
            return QCoreApplication::translate("PresetStore", "the preset '%1' is refused: %2")
                .arg(preset.name, *problem);
        return preset;
    }
    return QCoreApplication::translate("PresetStore", "unknown preset '%1' (see --list-presets)")
        .arg(idOrName);
}

QList<ConversionPreset> offeredBuiltInPresets(MediaGroup group)
{
    return offeredIn(group, ConversionPreset::builtInPresets());
}

QList<ConversionPreset> offeredUserPresets(MediaGroup group)
{
    return offeredIn(group, userPresets());
}

QList<ConversionPreset> offeredPresets(MediaGroup group)
{
    return offeredBuiltInPresets(group) + offeredUserPresets(group);
}

std::optional<MediaTarget> applyPreset(const ConversionPreset &preset)
{
    Preferences &preferences = Preferences::instance();
    if (preset.audioKbps)
        preferences.setValue(audioQuality, double(*preset.audioKbps));
    if (preset.videoCodec)
        preferences.setValue(videoCodec, *preset.videoCodec);
    if (preset.videoQuality)
        preferences.setValue(videoQuality, *preset.videoQuality);
    if (preset.hwAccel)
        preferences.setValue(hardwareAcceleration, *preset.hwAccel);
    if (preset.normalizeLoudness)
        preferences.setValue(normalizeLoudness, *preset.normalizeLoudness);
    if (preset.loudnessTarget)
        preferences.setValue(loudnessTarget, *preset.loudnessTarget);
    return preset.target();
}

std::optional<ConversionPreset> savePreset(const QString &name, const MediaTarget &selectedTarget)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;

    const ConversionSettings settings = ConversionSettings::current();
    ConversionPreset preset;
    preset.id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    preset.name = trimmed;
    preset.targetId = selectedTarget.id;
    // A hand-edited bitrate out of range is stored the way a conversion
    // uses it, so that the preset is not refused.
    if (selectedTarget.hasOption(MediaOption::audioQuality))
        preset.audioKbps
            = int(std::clamp(double(settings.audioKbps()), SettingRanges::audioKbps.min,
                             SettingRanges::audioKbps.max));
    if (selectedTarget.hasOption(MediaOption::videoCodec))
        preset.videoCodec = settings.videoCodec;
    if (selectedTarget.hasOption(MediaOption::videoQuality))
        preset.videoQuality = settings.videoQuality;
    if (selectedTarget.hasOption(MediaOption::hwAccel))
        preset.hwAccel = settings.hardwareAcceleration;
    // Absent while off, so such presets are stored exactly as before the
    // switch existed.
    if (settings.normalizeLoudness && selectedTarget.writesAudio()) {
        preset.normalizeLoudness = true;
        preset.loudnessTarget = settings.loudnessLufs();
    }

    Preferences &preferences = Preferences::instance();
    QList<QJsonObject> stored = preferences.value(PreferenceKeys::userPresets);
    stored.append(preset.toJson());
    preferences.setValue(PreferenceKeys::userPresets, stored);
    return preset;
}

void deletePreset(const QString &presetId)
{
    Preferences &preferences = Preferences::instance();
    QList<QJsonObject> stored = preferences.value(PreferenceKeys::userPresets);
    const qsizetype removed = stored.removeIf([&](const QJsonObject &object) {
        const QJsonValue id = object.value(QStringLiteral("id"));
        return id.isString() && id.toString() == presetId;
    });
    if (removed > 0)
        preferences.setValue(PreferenceKeys::userPresets, stored);
}

} // namespace PresetStore
