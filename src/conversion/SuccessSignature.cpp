#include "conversion/SuccessSignature.h"

#include "conversion/BatchSettings.h"
#include "conversion/LoudnessMeasurement.h"
#include "model/MediaTarget.h"
#include "settings/ConversionSettings.h"

#include <QLocale>
#include <QStringList>

#include <optional>

namespace {

// Shortest round-trip form with at least one digit after the point: 23 → "23.0".
QString decimal(double value)
{
    QString text = QString::number(value, 'g', QLocale::FloatingPointShortest);
    if (!text.contains(u'.') && !text.contains(u'e') && !text.contains(u'n'))
        text += QStringLiteral(".0");
    return text;
}

QString text(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

QString text(double value)
{
    return decimal(value);
}

QString text(const QString &value)
{
    return value;
}

// The part a setting adds to target's signature: empty for none. Nothing for
// a setting not named here, which then adds "name=value": a new setting makes
// earlier results stale until it is given its place here.
std::optional<QString> knownPart(const QString &name, const MediaTarget &target,
                                 const ConversionSettings &settings)
{
    using namespace PreferenceKeys;
    const auto ifOption = [&target](MediaOption option, const QString &part) {
        return target.hasOption(option) ? part : QString();
    };
    if (name == videoCodec.name)
        return ifOption(MediaOption::videoCodec, QStringLiteral("vc=") + settings.videoCodec);
    if (name == videoQuality.name)
        return ifOption(MediaOption::videoQuality,
                        QStringLiteral("vq=") + decimal(settings.videoQuality));
    if (name == hardwareAcceleration.name)
        return ifOption(MediaOption::hwAccel,
                        QStringLiteral("hw=") + text(settings.hardwareAcceleration));
    if (name == audioQuality.name)
        return ifOption(MediaOption::audioQuality,
                        QStringLiteral("ak=") + QString::number(settings.audioKbps()));
    if (name == videoToAudio.name)
        return ifOption(MediaOption::videoToAudio, QStringLiteral("a2=") + settings.videoToAudio);
    // Both loudness settings are told by the one part after the batch's.
    if (name == normalizeLoudness.name || name == loudnessTarget.name
        || name == keepFolderStructure.name)
        return QString();
    return std::nullopt;
}

} // namespace

QString successSignature(const MediaTarget &target, const BatchSettings &batch,
                         const ConversionSettings &settings)
{
    QStringList parts {target.id};
    ConversionSettings::forEachKey([&](const auto &key, auto member) {
        const std::optional<QString> part = knownPart(key.name, target, settings);
        if (!part)
            parts << key.name + u'=' + text(settings.*member);
        else if (!part->isEmpty())
            parts << *part;
    });
    if (batch.trimEnabled)
        parts << QStringLiteral("trim=") + batch.trimStart + u'-' + batch.trimEnd;
    if (target.group == MediaGroup::video)
        parts << QStringLiteral("sc=") + rawValue(batch.scale);
    // Only while on, so that signatures stored before the switch existed hold.
    if (normalizesLoudness(target, settings))
        parts << QStringLiteral("ln=") + decimal(settings.loudnessLufs());
    return parts.join(u'|');
}

QString successSignature(const MediaTarget &target, const BatchSettings &batch)
{
    return successSignature(target, batch, ConversionSettings::current());
}
