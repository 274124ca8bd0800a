#include "settings/ConversionPreset.h"

#include "settings/SettingRange.h"
#include "settings/VideoCodec.h"

#include <QCoreApplication>
#include <QHashFunctions>
#include <QJsonValue>

#include <cmath>
#include <limits>

namespace {

// The JSON keys, equal to the field names.
const QString idKey = QStringLiteral("id");
const QString nameKey = QStringLiteral("name");
const QString targetIdKey = QStringLiteral("targetId");
const QString audioKbpsKey = QStringLiteral("audioKbps");
const QString videoCodecKey = QStringLiteral("videoCodec");
const QString videoQualityKey = QStringLiteral("videoQuality");
const QString hwAccelKey = QStringLiteral("hwAccel");
const QString isBuiltInKey = QStringLiteral("isBuiltIn");
const QString normalizeLoudnessKey = QStringLiteral("normalizeLoudness");
const QString loudnessTargetKey = QStringLiteral("loudnessTarget");

// An optional key decodes to nothing when it is missing or null, to a value
// when it holds one of the right kind, and fails otherwise.
template<typename T> struct Optional {
    bool ok = true;
    std::optional<T> value;
};

bool isAbsent(const QJsonValue &value)
{
    return value.isUndefined() || value.isNull();
}

Optional<int> decodeInt(const QJsonValue &value)
{
    if (isAbsent(value))
        return {};
    // JSON numbers are doubles here; only whole numbers an int holds are
    // integers (128.0 is, 128.5 is not).
    const double number = value.toDouble(std::numeric_limits<double>::quiet_NaN());
    if (!value.isDouble() || std::trunc(number) != number
        || number < double(std::numeric_limits<int>::min())
        || number > double(std::numeric_limits<int>::max()))
        return {false, {}};
    return {true, int(number)};
}

Optional<double> decodeDouble(const QJsonValue &value)
{
    if (isAbsent(value))
        return {};
    if (!value.isDouble())
        return {false, {}};
    return {true, value.toDouble()};
}

Optional<bool> decodeBool(const QJsonValue &value)
{
    if (isAbsent(value))
        return {};
    if (!value.isBool())
        return {false, {}};
    return {true, value.toBool()};
}

Optional<QString> decodeString(const QJsonValue &value)
{
    if (isAbsent(value))
        return {};
    if (!value.isString())
        return {false, {}};
    return {true, value.toString()};
}

ConversionPreset builtIn(const char *id, const QString &name, const char *targetId, int audioKbps,
                         std::optional<VideoCodec> codec = {},
                         std::optional<double> videoQuality = {})
{
    ConversionPreset preset;
    preset.id = QString::fromLatin1(id);
    preset.name = name;
    preset.targetId = QString::fromLatin1(targetId);
    preset.audioKbps = audioKbps;
    if (codec) {
        preset.videoCodec = rawValue(*codec);
        preset.videoQuality = videoQuality;
        preset.hwAccel = true;
    }
    preset.isBuiltIn = true;
    return preset;
}

} // namespace

std::optional<MediaTarget> ConversionPreset::target() const
{
    return MediaTarget::fromId(targetId);
}

std::optional<QString> ConversionPreset::problem() const
{
    if (audioKbps) {
        if (auto problem = SettingRanges::audioKbps.problem(audioKbpsKey, *audioKbps))
            return problem;
    }
    if (loudnessTarget) {
        if (auto problem = SettingRanges::loudnessLufs.problem(loudnessTargetKey, *loudnessTarget))
            return problem;
    }
    if (videoCodec && !videoCodecFromRawValue(*videoCodec))
        return QCoreApplication::translate("ConversionPreset", "%1 takes h264, hevc or copy")
            .arg(videoCodecKey);
    return std::nullopt;
}

QJsonObject ConversionPreset::toJson() const
{
    QJsonObject object {
        {idKey, id}, {nameKey, name}, {targetIdKey, targetId}, {isBuiltInKey, isBuiltIn}};
    if (audioKbps)
        object.insert(audioKbpsKey, *audioKbps);
    if (videoCodec)
        object.insert(videoCodecKey, *videoCodec);
    if (videoQuality)
        object.insert(videoQualityKey, *videoQuality);
    if (hwAccel)
        object.insert(hwAccelKey, *hwAccel);
    if (normalizeLoudness)
        object.insert(normalizeLoudnessKey, *normalizeLoudness);
    if (loudnessTarget)
        object.insert(loudnessTargetKey, *loudnessTarget);
    return object;
}

std::optional<ConversionPreset> ConversionPreset::fromJson(const QJsonObject &object)
{
    const QJsonValue id = object.value(idKey);
    const QJsonValue name = object.value(nameKey);
    const QJsonValue targetId = object.value(targetIdKey);
    const QJsonValue isBuiltIn = object.value(isBuiltInKey);
    if (!id.isString() || !name.isString() || !targetId.isString() || !isBuiltIn.isBool())
        return std::nullopt;

    const Optional<int> audioKbps = decodeInt(object.value(audioKbpsKey));
    const Optional<QString> videoCodec = decodeString(object.value(videoCodecKey));
    const Optional<double> videoQuality = decodeDouble(object.value(videoQualityKey));
    const Optional<bool> hwAccel = decodeBool(object.value(hwAccelKey));
    const Optional<bool> normalizeLoudness = decodeBool(object.value(normalizeLoudnessKey));
    const Optional<double> loudnessTarget = decodeDouble(object.value(loudnessTargetKey));
    if (!audioKbps.ok || !videoCodec.ok || !videoQuality.ok || !hwAccel.ok || !normalizeLoudness.ok
        || !loudnessTarget.ok)
        return std::nullopt;

    return ConversionPreset {id.toString(),       name.toString(),    targetId.toString(),
                             audioKbps.value,     videoCodec.value,   videoQuality.value,
                             hwAccel.value,       isBuiltIn.toBool(), normalizeLoudness.value,
                             loudnessTarget.value};
}

const QList<ConversionPreset> &ConversionPreset::builtInPresets()
{
    static const QList<ConversionPreset> presets = [] {
        // Names are translated once, when first listed; the ids stay English.
        const auto name = [](const char *text) {
            return QCoreApplication::translate("ConversionPreset", text);
        };
        return QList<ConversionPreset> {
            builtIn("builtin.iphone-h264",
                    name(QT_TRANSLATE_NOOP("ConversionPreset", "iPhone (H.264)")), "video.mp4", 192,
                    VideoCodec::h264, 23.0),
            builtIn("builtin.hevc-archive",
                    name(QT_TRANSLATE_NOOP("ConversionPreset", "HEVC Archive")), "video.mp4", 192,
                    VideoCodec::hevc, 22.0),
            builtIn("builtin.web-mp4",
                    name(QT_TRANSLATE_NOOP("ConversionPreset", "Web (small MP4)")), "video.mp4",
                    128, VideoCodec::h264, 26.0),
            builtIn("builtin.podcast-mp3",
                    name(QT_TRANSLATE_NOOP("ConversionPreset", "Podcast (MP3 128k)")), "audio.mp3",
                    128),
            builtIn("builtin.hifi-flac",
                    name(QT_TRANSLATE_NOOP("ConversionPreset", "Hi-Fi (FLAC)")), "audio.flac", 320),
        };
    }();
    return presets;
}

size_t qHash(const ConversionPreset &preset, size_t seed)
{
    // An absent setting hashes apart from every present value.
    const auto hashOptional = [](const auto &value) -> size_t {
        return value ? qHashMulti(1, *value) : 0;
    };
    return qHashMulti(seed, preset.id, preset.name, preset.targetId, hashOptional(preset.audioKbps),
                      hashOptional(preset.videoCodec), hashOptional(preset.videoQuality),
                      hashOptional(preset.hwAccel), preset.isBuiltIn,
                      hashOptional(preset.normalizeLoudness), hashOptional(preset.loudnessTarget));
}
