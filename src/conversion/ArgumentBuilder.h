#pragma once

#include "tools/MediaTags.h"
#include "conversion/HardwareProfile.h"
#include "conversion/SourceVideo.h"
#include "conversion/LoudnessMeasurement.h"
#include "conversion/VideoEncoderChoice.h"
#include "settings/SettingRange.h"
#include "settings/VideoCodec.h"
#include "tools/FFArgs.h"

#include <QString>

#include <optional>

struct BatchSettings;
struct ConversionSettings;
struct MediaTarget;

// The conversion-specific ffmpeg options of one file: which encoder serves
// which format, how the quality preferences become bitrates, and the order of
// the options. Pure functions of their inputs; the builder never looks at the
// input file, so everything that depends on the input (cover art, channel
// count, sample rate, pixel format) is expressed as options that only act
// where needed.

// The encoder for an output extension (any case) and codec. WebM, OGV, WMV,
// FLV and AVI have fixed encoders whatever the codec; everything else gets the
// profile's H.264 or HEVC encoder (libx264/libx265 for the software profile).
VideoEncoderChoice videoEncoder(const QString &ext, VideoCodec codec,
                                const HardwareProfile &profile);

// The "video quality" value as a bitrate text such as "5000k": 23 gives
// 5000k, and each step of 5 halves or doubles it (10 and below 30314k, 40 and
// above 474k).
QString videoBitrate(double quality);

// The audio bitrates the builder asks for, in kbit/s: the lowest at which
// libvorbis still encodes stereo and the highest that libmp3lame takes.
inline constexpr qint64 minAudioKbps = qint64(SettingRanges::audioKbps.min);
inline constexpr qint64 maxAudioKbps = qint64(SettingRanges::audioKbps.max);

// The "audio quality" value (kbit/s) as a bitrate text: truncated toward zero
// (127.9 gives "127k"). A value no control can store (a corrupted or
// hand-edited preference) is kept within 48k to 320k, the range that every
// lossy encoder accepts; a non-finite one gives the default.
QString audioBitrate(double quality);

// The audio encoder for an extension (any case): libmp3lame, aac, flac,
// pcm_s16le, pcm_s16be, libvorbis, libopus, wmav2, ac3, alac; nothing for
// other extensions (video extensions included).
std::optional<QString> audioEncoder(const QString &ext);

// Whether the encoder takes "-b:a": the lossy ones; not the lossless and PCM
// encoders, nor an absent one.
bool acceptsAudioBitrate(const std::optional<QString> &encoder);

// The options of one conversion with preferences read once for the run, so
// that a job's arguments and its success signature come from one reading.
// What is known of the source's video lets H.265 keep to the 4:2:0 that
// players take, evens out odd frame sizes for the encoders that refuse them
// and keeps the video bitrate to what the frame size needs; unknown, nothing
// changes. With loudness figures of the input (measured under the same batch
// settings and channel conversion), a conversion that normalises gets its
// gain (or loudnorm) in its audio filters; a silent input keeps its level.
// With the input's cover, formats that keep one only in a comment get it
// through `metadataInput`. With a Linux hardware profile, the "hardware
// acceleration" preference off means the software encoder; with the
// VideoToolbox profile it only drops "-hwaccel".
FFArgs makeFFArgs(const MediaTarget &target, const BatchSettings &batch,
                  const HardwareProfile &profile, const ConversionSettings &settings,
                  const SourceVideo &source = {},
                  const std::optional<LoudnessMeasurement> &loudness = std::nullopt,
                  const std::optional<CoverArt> &cover = std::nullopt);

// The video bitrate (kbit/s) for an encoder: the "video quality" bitrate,
// never raised, and lowered to what the output frame size and rate need of
// that codec and to a little more than the source's own bitrate when the
// encoder is at least as efficient as the source's codec. `note` says why it
// was lowered; unknown sources keep the quality's bitrate.
struct VideoRate {
    qint64 kbps = 0;
    QString note;
};
VideoRate chooseVideoRate(const QString &encoder, double quality, const SourceVideo &source,
                          int outputHeight = 0);

// Whether the target's arguments need the source's cover itself (its bytes),
// not only a stream map: formats that keep a cover in a comment.
bool needsSourceCover(const MediaTarget &target);

// The FLAC picture block (the METADATA_BLOCK_PICTURE of Vorbis comments) of a
// front cover.
QByteArray pictureBlock(const CoverArt &cover);

// An ffmetadata document whose global tags hold the cover as a picture
// comment, base64-encoded and escaped as the format requires.
QByteArray coverMetadataDocument(const CoverArt &cover);

// The channel conversion that the target's encoder needs before anything
// else, as an aformat filter, so that loudness is measured on what is
// written (7.1 becomes stereo for MP3); nothing where the encoder takes the
// input's channels as they are.
std::optional<QString> channelConversionFilter(const MediaTarget &target,
                                               const ConversionSettings &settings);
