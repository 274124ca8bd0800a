#include "conversion/SuccessSignature.h"

#include "conversion/BatchSettings.h"
#include "conversion/LoudnessMeasurement.h"
#include "model/MediaTarget.h"
#include "settings/ConversionSettings.h"

#include <QLocale>
#include <QStringList>

namespace {

// Shortest round-trip form with at least one digit after the point: 23 → "23.0".
QString decimal(double value)
{
    QString text = QString::number(value, 'g', QLocale::FloatingPointShortest);
    if (!text.contains(u'.') && !text.contains(u'e') && !text.contains(u'n'))
        text += QStringLiteral(".0");
    return text;
}

} // namespace

QString successSignature(const MediaTarget &target, const BatchSettings &batch,
                         const ConversionSettings &settings)
{
    QStringList parts {target.id};
    if (target.hasOption(MediaOption::videoCodec))
        parts << QStringLiteral("vc=") + settings.videoCodec;
    if (target.hasOption(MediaOption::videoQuality))
        parts << QStringLiteral("vq=") + decimal(settings.videoQuality);
    if (target.hasOption(MediaOption::hwAccel))
        parts << (settings.hardwareAcceleration ? QStringLiteral("hw=true")
                                                : QStringLiteral("hw=false"));
    if (target.hasOption(MediaOption::audioQuality))
        parts << QStringLiteral("ak=") + QString::number(settings.audioKbps());
    if (target.hasOption(MediaOption::videoToAudio))
        parts << QStringLiteral("a2=") + settings.videoToAudio;
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
