#include "conversion/LoudnessMeasurement.h"

#include "model/MediaTarget.h"
#include "settings/ConversionSettings.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// loudnorm prints every figure as a JSON string, "-inf" for silence.
std::optional<double> figure(const QJsonObject &report, const char *key)
{
    const QJsonValue value = report.value(QLatin1String(key));
    if (!value.isString())
        return std::nullopt;
    const QString text = value.toString().trimmed();
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

// Two decimals, as loudnorm reports them; the filter's option parser takes
// neither exponents nor infinities.
QString fixed(double value)
{
    return QString::number(value, 'f', 2);
}

} // namespace

std::optional<LoudnessMeasurement> LoudnessMeasurement::fromReport(const QStringList &lines)
{
    qsizetype header = -1;
    for (qsizetype i = lines.size() - 1; i >= 0 && header < 0; --i) {
        if (lines.at(i).contains(u"Parsed_loudnorm"))
            header = i;
    }
    if (header < 0)
        return std::nullopt;
    QString block;
    bool open = false;
    for (qsizetype i = header + 1; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        open = open || line.startsWith(u'{');
        if (!open)
            continue;
        block += line;
        if (line.startsWith(u'}'))
            break;
    }
    const QJsonDocument document = QJsonDocument::fromJson(block.toUtf8());
    if (!document.isObject())
        return std::nullopt;
    const QJsonObject report = document.object();
    const auto integrated = figure(report, "input_i");
    const auto truePeak = figure(report, "input_tp");
    const auto range = figure(report, "input_lra");
    const auto threshold = figure(report, "input_thresh");
    const auto offset = figure(report, "target_offset");
    if (!integrated || !truePeak || !range || !threshold || !offset)
        return std::nullopt;
    return LoudnessMeasurement {*integrated, *truePeak, *range,
                                *threshold,  *offset,   inputSampleRate(lines)};
}

bool LoudnessMeasurement::isSilent() const
{
    return !std::isfinite(integrated) || !std::isfinite(truePeak) || !std::isfinite(range)
        || !std::isfinite(threshold) || !std::isfinite(offset);
}

bool normalizesLoudness(const MediaTarget &target, const ConversionSettings &settings)
{
    return settings.normalizeLoudness && target.writesAudio();
}

QString loudnessMeasuringFilter(double targetLufs)
{
    return QStringLiteral("loudnorm=I=%1:TP=%2:LRA=%3:print_format=json")
        .arg(QString::number(targetLufs), QString::number(LoudnessMeasurement::truePeakLimit),
             QString::number(LoudnessMeasurement::rangeTarget));
}

QString loudnessNormalizingFilter(double targetLufs, const LoudnessMeasurement &measured)
{
    // Linear gain needs a range target no narrower than the measured range;
    // asking for 11 LU would make wide-range music take the dynamic mode,
    // which compresses it. 50 LU is the filter's upper bound.
    const double range = std::clamp(measured.range, LoudnessMeasurement::rangeTarget, 50.0);
    QString filter
        = QStringLiteral("loudnorm=I=%1:TP=%2:LRA=%3:measured_I=%4:measured_LRA=%5"
                         ":measured_TP=%6:measured_thresh=%7:offset=%8:linear=true")
              .arg(QString::number(targetLufs), QString::number(LoudnessMeasurement::truePeakLimit),
                   fixed(range), fixed(measured.integrated), fixed(measured.range),
                   fixed(measured.truePeak), fixed(measured.threshold), fixed(measured.offset));
    if (measured.sampleRate)
        filter += QStringLiteral(",aresample=%1").arg(*measured.sampleRate);
    return filter;
}
