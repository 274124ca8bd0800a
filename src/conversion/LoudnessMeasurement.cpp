#include "conversion/LoudnessMeasurement.h"

#include "model/MediaTarget.h"
#include "settings/ConversionSettings.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// "    I:         -31.6 LUFS", "    Peak:       -inf dBFS": a number, or an
// infinity, before the unit.
std::optional<double> figure(const QString &value)
{
    const QString text = value.trimmed().section(u' ', 0, 0);
    if (text == u"-inf")
        return -std::numeric_limits<double>::infinity();
    if (text == u"inf" || text == u"+inf")
        return std::numeric_limits<double>::infinity();
    bool ok = false;
    const double number = text.toDouble(&ok);
    if (!ok || std::isnan(number))
        return std::nullopt;
    return number;
}

// "  Stream #0:1(eng): Audio: aac (LC), 48000 Hz, stereo, fltp" in the input's
// description, which ffmpeg prints before "Stream mapping:" and the output's.
std::optional<int> inputSampleRate(const QStringList &lines)
{
    static const QRegularExpression audioStream(
        QStringLiteral(R"(^\s*Stream #0:\d+\S*: Audio: .*?(\d+) Hz)"));
    for (const QString &line : lines) {
        if (line.startsWith(u"Stream mapping:") || line.startsWith(u"Output #"))
            break;
        const QRegularExpressionMatch match = audioStream.match(line);
        if (match.hasMatch()) {
            const int rate = match.captured(1).toInt();
            return rate > 0 ? std::optional<int>(rate) : std::nullopt;
        }
    }
    return std::nullopt;
}

// Two decimals: the filters' option parsers take neither exponents nor
// infinities.
QString fixed(double value)
{
    return QString::number(value, 'f', 2);
}

} // namespace

std::optional<LoudnessMeasurement> LoudnessMeasurement::fromReport(const QStringList &lines)
{
    qsizetype summary = -1;
    for (qsizetype i = lines.size() - 1; i >= 0 && summary < 0; --i) {
        if (lines.at(i).contains(u"Parsed_ebur128") && lines.at(i).contains(u"Summary:"))
            summary = i;
    }
    if (summary < 0)
        return std::nullopt;
    // Each section names its own "Threshold:"; the integrated one comes first.
    std::optional<double> integrated, threshold, range, truePeak;
    QStringView section;
    for (qsizetype i = summary + 1; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        const QString value = line.section(u':', 1);
        if (line.endsWith(u':'))
            section = line.startsWith(u"Integrated") ? u"I"
                : line.startsWith(u"Loudness range") ? u"LRA"
                : line.startsWith(u"True peak")      ? u"TP"
                                                     : u"";
        else if (section == u"I" && line.startsWith(u"I:"))
            integrated = figure(value);
        else if (section == u"I" && line.startsWith(u"Threshold:"))
            threshold = figure(value);
        else if (section == u"LRA" && line.startsWith(u"LRA:"))
            range = figure(value);
        else if (section == u"TP" && line.startsWith(u"Peak:"))
            truePeak = figure(value);
    }
    if (!integrated || !truePeak || !range || !threshold)
        return std::nullopt;
    // Below the absolute gate nothing was heard; no gain means anything then.
    if (*integrated <= silenceFloor)
        integrated = -std::numeric_limits<double>::infinity();
    return LoudnessMeasurement {*integrated, *truePeak, *range, *threshold, inputSampleRate(lines)};
}

bool LoudnessMeasurement::isSilent() const
{
    return !std::isfinite(integrated) || !std::isfinite(truePeak) || !std::isfinite(range)
        || !std::isfinite(threshold);
}

bool normalizesLoudness(const MediaTarget &target, const ConversionSettings &settings)
{
    return settings.normalizeLoudness && target.writesAudio();
}

QString loudnessMeasuringFilter()
{
    return QStringLiteral("ebur128=peak=true:framelog=verbose");
}

QString loudnessNormalizingFilter(double targetLufs, const LoudnessMeasurement &measured)
{
    // One gain for the whole file is exactly what loudnorm's linear mode does,
    // at a fraction of its cost, as long as it cannot clip.
    const double gain = targetLufs - measured.integrated;
    if (measured.truePeak + gain <= LoudnessMeasurement::truePeakLimit)
        return QStringLiteral("volume=%1dB").arg(fixed(gain));
    // Linear gain needs a range target no narrower than the measured range;
    // asking for 11 LU would make wide-range music take the dynamic mode,
    // which compresses it. 50 LU is the filter's upper bound.
    const double range = std::clamp(measured.range, LoudnessMeasurement::rangeTarget, 50.0);
    QString filter
        = QStringLiteral("loudnorm=I=%1:TP=%2:LRA=%3:measured_I=%4:measured_LRA=%5"
                         ":measured_TP=%6:measured_thresh=%7:linear=true")
              .arg(QString::number(targetLufs), QString::number(LoudnessMeasurement::truePeakLimit),
                   fixed(range), fixed(measured.integrated), fixed(measured.range),
                   fixed(measured.truePeak), fixed(measured.threshold));
    if (measured.sampleRate)
        filter += QStringLiteral(",aresample=%1").arg(*measured.sampleRate);
    return filter;
}
