#pragma once

#include "model/MediaTarget.h"

#include <QJsonObject>
#include <QList>
#include <QString>

#include <optional>

// A named snapshot of an output target and the conversion preferences that
// apply to it. A setting the target does not use is absent, and applying the
// preset leaves that preference alone.
struct ConversionPreset {
    QString id; // "builtin.…" for the built-in presets, a UUID for the user's
    QString name;
    QString targetId;
    std::optional<int> audioKbps;
    std::optional<QString> videoCodec; // a VideoCodec raw value
    std::optional<double> videoQuality;
    std::optional<bool> hwAccel;
    bool isBuiltIn = false;
    // Loudness normalisation, kept only by presets saved while it was on: a
    // preset without these keys leaves the switch and the level alone.
    std::optional<bool> normalizeLoudness;
    std::optional<double> loudnessTarget; // LUFS

    // The target named by targetId; none when the catalogue no longer has it.
    std::optional<MediaTarget> target() const;

    // Nothing when every setting the preset carries is one the command line
    // would take too; else why not, naming the key and the values it takes.
    // Such a preset is refused: never offered, never applied.
    std::optional<QString> problem() const;

    // The JSON object stored for the preset: the keys are the field names,
    // and an absent setting has no key at all.
    QJsonObject toJson() const;

    // Needs the keys id, name, targetId and isBuiltIn; a setting key may be
    // missing or null. Unknown keys are ignored. A value of the wrong JSON
    // type, or an audioKbps that is fractional or beyond an int, makes the
    // whole object undecodable.
    static std::optional<ConversionPreset> fromJson(const QJsonObject &object);

    // The five presets that ship with the program, in menu order.
    static const QList<ConversionPreset> &builtInPresets();

    friend bool operator==(const ConversionPreset &, const ConversionPreset &) = default;
};

size_t qHash(const ConversionPreset &preset, size_t seed = 0);
