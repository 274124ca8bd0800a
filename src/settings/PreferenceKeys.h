#pragma once

#include "settings/VideoCodec.h"

#include <QJsonObject>
#include <QList>
#include <QString>

// One preference: the key it is stored under, its value type and the value
// read while nothing decodable is stored. Read and write it through
// Preferences::value() and Preferences::setValue().
template<typename T> struct PreferenceKey {
    using ValueType = T;

    QString name;
    T defaultValue;
};

// Every preference of the program. The key strings are stored exactly as
// written, spaces included.
namespace PreferenceKeys {

// Replace an output file that already exists (off: such a conversion fails).
inline const PreferenceKey<bool> overwriteExisting {QStringLiteral("overwriteExisting"), true};

// Skip items already converted with the same target and settings.
inline const PreferenceKey<bool> ignoreAlreadyProcessedFiles {
    QStringLiteral("ignore already processed files"), true};

// Recreate each imported folder's subfolders under the destination, instead
// of writing every output side by side.
inline const PreferenceKey<bool> keepFolderStructure {QStringLiteral("keep folder structure"),
                                                      false};

// Open the destination folder when a batch has finished.
inline const PreferenceKey<bool> openDestinationOnFinish {
    QStringLiteral("open destination on finish"), true};

// The Process dialog's last choice: each output beside its input instead of
// in one chosen folder.
inline const PreferenceKey<bool> writeNextToOriginals {QStringLiteral("write next to originals"),
                                                       false};

// Audio bitrate in kbit/s; the controls offer 96, 128, 192, 256 and 320.
inline const PreferenceKey<double> audioQuality {QStringLiteral("audio quality"), 192.0};

// Extension of the audio format the extract-audio target writes.
inline const PreferenceKey<QString> videoToAudio {QStringLiteral("video to audio"),
                                                  QStringLiteral("mp3")};

// The raw value of a VideoCodec; other texts are possible and left to the reader.
inline const PreferenceKey<QString> videoCodec {QStringLiteral("video codec"),
                                                rawValue(VideoCodec::h264)};

// Lower is better quality and larger files; the controls offer 16 to 32.
inline const PreferenceKey<double> videoQuality {QStringLiteral("video quality"), 23.0};

// Use the hardware video encoder (and decoder) where one works.
inline const PreferenceKey<bool> hardwareAcceleration {QStringLiteral("hardware acceleration"),
                                                       true};

// Bring audio outputs (and extracted audio) to one loudness, measured the
// EBU R128 way. Off by default: it takes a second pass over every file.
inline const PreferenceKey<bool> normalizeLoudness {QStringLiteral("normalize loudness"), false};

// The integrated loudness that normalising aims at, in LUFS; the controls
// offer -14 (streaming), -16 (podcast) and -23 (broadcast).
inline const PreferenceKey<double> loudnessTarget {QStringLiteral("loudness target"), -16.0};

// Files a batch converts at the same time; the controls offer 1 to 16.
inline const PreferenceKey<int> maxConcurrentJobs {QStringLiteral("max concurrent jobs"), 2};

// The user's own conversion presets, one JSON object each, in saving order.
inline const PreferenceKey<QList<QJsonObject>> userPresets {QStringLiteral("user presets"), {}};

// Look for a new version of the program at most once a week, unasked. Off
// until the user turns it on.
inline const PreferenceKey<bool> automaticallyCheckForUpdates {
    QStringLiteral("automatically check for updates"), false};

// When the update feed was last read successfully (ISO 8601, UTC); empty
// before the first check.
inline const PreferenceKey<QString> lastUpdateCheck {QStringLiteral("last update check"), {}};

} // namespace PreferenceKeys

// The newsletter prompt's state. What the user answered holds for all of the
// maker's programs and lives in their shared file where there is one (see
// MailingListManager); the launch counters are this program's own.
namespace NewsletterKeys {

// The program's reverse-DNS id, or "unknown.app" when the build has none.
QString programId();

// A Decision's raw value.
inline const PreferenceKey<QString> decision {QStringLiteral("mailingList.shared.decision"), {}};
// ISO 8601, UTC, like every date below.
inline const PreferenceKey<QString> snoozeUntil {QStringLiteral("mailingList.shared.snoozeUntil"),
                                                 {}};
inline const PreferenceKey<int> launchCount {
    QStringLiteral("mailingList.%1.launchCount").arg(programId()), 0};
inline const PreferenceKey<QString> installDate {
    QStringLiteral("mailingList.%1.installDate").arg(programId()), {}};
inline const PreferenceKey<QString> lastShownAt {
    QStringLiteral("mailingList.%1.lastShownAt").arg(programId()), {}};

} // namespace NewsletterKeys
