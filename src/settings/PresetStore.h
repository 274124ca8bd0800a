#pragma once

#include "model/MediaGroup.h"
#include "model/MediaTarget.h"
#include "settings/ConversionPreset.h"

#include <QList>
#include <QString>

#include <optional>
#include <variant>

// The user's presets, kept in the "user presets" preference in saving order,
// and what the presets menu does with them and with the built-in ones.
//
// A stored object that does not decode as a preset is left out of every list
// shown, but it stays stored: saving and deleting rewrite the list around it.
namespace PresetStore {

// The stored presets that decode and carry no refused setting, in saving order.
QList<ConversionPreset> userPresets();

// The built-in or stored preset with this id or name (in any case), or why
// there is none: no such preset, or one whose settings are refused.
std::variant<ConversionPreset, QString> findPreset(const QString &idOrName);

// The presets a workspace of the group offers: those whose target exists and
// belongs to the group. A preset whose target no longer resolves is offered
// nowhere.
QList<ConversionPreset> offeredBuiltInPresets(MediaGroup group);
QList<ConversionPreset> offeredUserPresets(MediaGroup group);
// The built-in ones, then the user's.
QList<ConversionPreset> offeredPresets(MediaGroup group);

// Writes the settings the preset carries into the preferences, leaving the
// others alone. Returns the target the workspace should select, if any.
std::optional<MediaTarget> applyPreset(const ConversionPreset &preset);

// Stores the selected target with the current values of the preferences the
// target uses, under the name without surrounding white space. A name that
// is blank saves nothing. Returns the stored preset.
std::optional<ConversionPreset> savePreset(const QString &name, const MediaTarget &selectedTarget);

// Removes every stored preset with this id; nothing happens when none is left.
void deletePreset(const QString &presetId);

} // namespace PresetStore
