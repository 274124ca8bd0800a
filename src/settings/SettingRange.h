#pragma once

#include <QString>

#include <optional>

// The values a conversion setting may take, the same whether a preset or the
// command line gives it, and what the argument builder keeps to.
struct SettingRange {
    double min;
    double max;
    const char *unit;

    constexpr bool contains(double value) const { return value >= min && value <= max; }
    // Nothing for a value in range; else a reason naming the setting and the range.
    std::optional<QString> problem(const QString &name, double value) const;
};

namespace SettingRanges {

inline constexpr SettingRange audioKbps {48, 320, "kbit/s"};
// What ffmpeg's loudnorm filter accepts as integrated loudness.
inline constexpr SettingRange loudnessLufs {-70, -5, "LUFS"};

} // namespace SettingRanges
