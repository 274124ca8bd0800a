#pragma once

#include "settings/PreferenceKeys.h"

#include <QMetaObject>
#include <QString>
#include <QStringList>

#include <functional>

class QObject;

// The preferences that decide what a conversion writes, read together at one
// moment, so that a signature and the arguments of one job agree.
struct ConversionSettings {
    QString videoCodec = PreferenceKeys::videoCodec.defaultValue;
    double videoQuality = PreferenceKeys::videoQuality.defaultValue;
    bool hardwareAcceleration = PreferenceKeys::hardwareAcceleration.defaultValue;
    double audioQuality = PreferenceKeys::audioQuality.defaultValue;
    QString videoToAudio = PreferenceKeys::videoToAudio.defaultValue;
    bool normalizeLoudness = PreferenceKeys::normalizeLoudness.defaultValue;
    double loudnessTarget = PreferenceKeys::loudnessTarget.defaultValue;
    // Where outputs go, not what they hold: no part of a success signature.
    bool keepFolderStructure = PreferenceKeys::keepFolderStructure.defaultValue;

    // Every member with the preference it is read from, in member order. A
    // setting added here is read by current(), signals onChanged() and enters
    // every success signature unless that says otherwise.
    template<typename Visit> static void forEachKey(Visit &&visit)
    {
        visit(PreferenceKeys::videoCodec, &ConversionSettings::videoCodec);
        visit(PreferenceKeys::videoQuality, &ConversionSettings::videoQuality);
        visit(PreferenceKeys::hardwareAcceleration, &ConversionSettings::hardwareAcceleration);
        visit(PreferenceKeys::audioQuality, &ConversionSettings::audioQuality);
        visit(PreferenceKeys::videoToAudio, &ConversionSettings::videoToAudio);
        visit(PreferenceKeys::normalizeLoudness, &ConversionSettings::normalizeLoudness);
        visit(PreferenceKeys::loudnessTarget, &ConversionSettings::loudnessTarget);
        visit(PreferenceKeys::keepFolderStructure, &ConversionSettings::keepFolderStructure);
    }

    static const QStringList &keyNames();

    static ConversionSettings current();

    // Calls slot, in context's thread, once for every change of one of these
    // preferences, stored or set for the session.
    static QMetaObject::Connection onChanged(const QObject *context, std::function<void()> slot);

    // The audio bitrate in kbit/s as the tools take it: truncated toward zero,
    // and kept within what any encoder could be asked for.
    qint64 audioKbps() const;

    // The loudness target in LUFS within what the measuring filter takes
    // (SettingRanges::loudnessLufs); a non-finite value gives the default.
    double loudnessLufs() const;

    friend bool operator==(const ConversionSettings &, const ConversionSettings &) = default;
};
