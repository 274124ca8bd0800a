#include "conversion/ArgumentBuilder.h"

#include "conversion/BatchSettings.h"
#include "conversion/LoudnessMeasurement.h"
#include "model/MediaTarget.h"
#include "settings/ConversionSettings.h"
#include "settings/PreferenceKeys.h"

#include <QCoreApplication>

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace {

using Api = HardwareProfile::Api;

QString h264Encoder(const HardwareProfile &profile)
{
    switch (profile.api) {
    case Api::videoToolbox:
        return QStringLiteral("h264_videotoolbox");
    case Api::vaapi:
        return QStringLiteral("h264_vaapi");
    case Api::nvenc:
        return QStringLiteral("h264_nvenc");
    case Api::qsv:
        return QStringLiteral("h264_qsv");
    case Api::none:
        break;
    }
    return QStringLiteral("libx264");
}

QString hevcEncoder(const HardwareProfile &profile)
{
    if (!profile.encodesHevc)
        return QStringLiteral("libx265");
    switch (profile.api) {
    case Api::videoToolbox:
        return QStringLiteral("hevc_videotoolbox");
    case Api::vaapi:
        return QStringLiteral("hevc_vaapi");
    case Api::nvenc:
        return QStringLiteral("hevc_nvenc");
    case Api::qsv:
        return QStringLiteral("hevc_qsv");
    case Api::none:
        break;
    }
    return QStringLiteral("libx265");
}

// Hardware decoding, and for VA-API the device that the upload filter needs.
// The decoders fall back to software for a codec the hardware cannot decode.
QStringList hardwareInputOptions(const HardwareProfile &profile)
{
    switch (profile.api) {
    case Api::videoToolbox:
        return {QStringLiteral("-hwaccel"), QStringLiteral("videotoolbox")};
    case Api::vaapi: {
        QString device = QStringLiteral("vaapi=vireo");
        if (!profile.device.isEmpty())
            device += u':' + profile.device;
        return {QStringLiteral("-init_hw_device"),   device,
                QStringLiteral("-filter_hw_device"), QStringLiteral("vireo"),
                QStringLiteral("-hwaccel"),          QStringLiteral("vaapi"),
                QStringLiteral("-hwaccel_device"),   QStringLiteral("vireo")};
    }
    case Api::nvenc:
        return {QStringLiteral("-hwaccel"), QStringLiteral("cuda")};
    case Api::qsv: // h264_qsv uploads system-memory frames itself
    case Api::none:
        break;
    }
    return {};
}

// More than 8 bits per component: "yuv420p10le", "p010le", "rgb48be"; not
// "nv12" nor the packed "rgb565le".
bool isDeepPixelFormat(const QString &name)
{
    static const QRegularExpression depth(QStringLiteral("(\\d+)[lb]e$"));
    const QRegularExpressionMatch match = depth.match(name);
    static const QList<int> deep {9, 10, 12, 14, 16, 32, 48, 64, 210, 212, 216, 410, 412, 416};
    return match.hasMatch() && deep.contains(match.captured(1).toInt());
}

// H.264 leaves the 8-bit 4:2:0 of phones and browsers when the source is 10-bit
// or 4:4:4, since the encoders keep the source's format where they can. H.265
// from 4:2:2 or 4:4:4 would be the RExt profile, and VP9 profile 1 or 3, which
// players do not play either: they get 4:2:0, 10-bit (Main 10, VP9 profile 2)
// for deep sources. Theora has only 8 bits.
QStringList pixelFormatOptions(const QString &encoder, const SourceVideo &source)
{
    if (encoder == u"libx264" || encoder == u"h264_nvenc")
        return {QStringLiteral("-pix_fmt"), QStringLiteral("yuv420p")};
    if (encoder == u"h264_qsv")
        return {QStringLiteral("-pix_fmt"), QStringLiteral("nv12")};
    if (encoder == u"libtheora" && !source.pixelFormat.isEmpty())
        return {QStringLiteral("-pix_fmt"), QStringLiteral("yuv420p")};
    if ((encoder == u"libx265" || encoder == u"libvpx-vp9") && !source.pixelFormat.isEmpty())
        return {QStringLiteral("-pix_fmt"),
                isDeepPixelFormat(source.pixelFormat) ? QStringLiteral("yuv420p10le")
                                                      : QStringLiteral("yuv420p")};
    return {};
}

// These encoders refuse odd frame sizes (4:2:0 halves them); a crop of at
// most one pixel per side evens them. Autorotation runs before the filters,
// so the crop is written in the frame's own terms.
std::optional<QString> evenSizeFilter(const QString &encoder, const SourceVideo &source)
{
    const bool needsEven = encoder == u"libx264" || encoder == u"libx265" || encoder == u"wmv2";
    if (!needsEven || (source.width % 2 == 0 && source.height % 2 == 0))
        return std::nullopt;
    return QStringLiteral("crop=trunc(iw/2)*2:trunc(ih/2)*2");
}

// VA-API encoders take frames in GPU memory: convert (to 8-bit, which also
// keeps H.264 playable) and upload after any scaling.
std::optional<QString> uploadFilter(const QString &encoder)
{
    if (encoder.endsWith(u"_vaapi"))
        return QStringLiteral("format=nv12,hwupload");
    return std::nullopt;
}

qint64 audioKbps(double quality)
{
    if (!std::isfinite(quality))
        quality = PreferenceKeys::audioQuality.defaultValue;
    return qint64(std::trunc(std::clamp(quality, double(minAudioKbps), double(maxAudioKbps))));
}

// What an encoder cannot take of the input's channels or sample rate, as an
// aformat restriction: ffmpeg then downmixes or resamples only inputs outside
// it. MP3, AAC, FLAC and PCM need none (ffmpeg adapts the input to the
// formats they declare; MP3 takes mono and stereo). Measured with ffmpeg 5.1:
//  - wmav2: at most two channels and 48 kHz.
//  - libvorbis: "encoder setup failed" outside 44.1/48 kHz for most rates and
//    bitrates; at those rates stereo works from 48k to 500k, mono fails above
//    240k, 5.1 below 88k and 7.1 below 256k (the limits below keep a margin).
//  - libopus: only the Vorbis channel orders (5.1(side) becomes 5.1), at most
//    256k per channel.
std::optional<QString> encoderChannelLayouts(const QString &encoder, qint64 kbps)
{
    QStringList layouts;
    if (encoder == u"wmav2" || encoder == u"libmp3lame")
        layouts << QStringLiteral("mono") << QStringLiteral("stereo");
    if (encoder == u"libvorbis") {
        if (kbps <= 192)
            layouts << QStringLiteral("mono");
        layouts << QStringLiteral("stereo");
        if (kbps >= 96)
            layouts << QStringLiteral("5.1");
        if (kbps >= 256)
            layouts << QStringLiteral("7.1");
    }
    if (encoder == u"libopus") {
        if (kbps <= 256)
            layouts << QStringLiteral("mono");
        layouts << QStringLiteral("stereo") << QStringLiteral("3.0") << QStringLiteral("quad")
                << QStringLiteral("5.0") << QStringLiteral("5.1") << QStringLiteral("6.1")
                << QStringLiteral("7.1");
    }
    if (layouts.isEmpty())
        return std::nullopt;
    return layouts.join(u'|');
}

std::optional<QString> audioFormatFilter(const QString &encoder, qint64 kbps)
{
    // libmp3lame declares its channels itself.
    const std::optional<QString> layouts = encoderChannelLayouts(encoder, kbps);
    if (!layouts || encoder == u"libmp3lame")
        return std::nullopt;
    if (encoder == u"wmav2")
        return QStringLiteral("aformat=channel_layouts=%1"
                              ":sample_rates=8000|11025|12000|16000|22050|24000|32000|44100|48000")
            .arg(*layouts);
    if (encoder == u"libvorbis")
        return QStringLiteral("aformat=channel_layouts=%1:sample_rates=44100|48000").arg(*layouts);
    return QStringLiteral("aformat=channel_layouts=%1").arg(*layouts);
}

// The audio codec of a video container: WebM and Ogg refuse AAC.
QString videoAudioEncoder(const QString &ext)
{
    const QString lower = ext.toLower();
    if (lower == u"webm")
        return QStringLiteral("libopus");
    if (lower == u"ogv")
        return QStringLiteral("libvorbis");
    return QStringLiteral("aac");
}

// Still-image outputs hold one picture; an animated input would otherwise
// make the image muxer fail on the second frame.
bool writesOneFrame(const QString &ext)
{
    static const QStringList stills {QStringLiteral("png"), QStringLiteral("jpg"),
                                     QStringLiteral("tiff"), QStringLiteral("bmp")};
    return stills.contains(ext.toLower());
}

// Formats that carry cover art as a picture stream (AIFF in its ID3v2 chunk);
// music files mostly have one, which ffmpeg sees as a video stream.
bool keepsCoverArt(const QString &ext)
{
    static const QStringList withCover {QStringLiteral("mp3"), QStringLiteral("m4a"),
                                        QStringLiteral("flac"), QStringLiteral("aiff"),
                                        QStringLiteral("aif")};
    return withCover.contains(ext.toLower());
}

// Formats whose tags ffmpeg writes only when asked, as an ID3v2 chunk.
bool writesId3Chunk(const QString &ext)
{
    const QString lower = ext.toLower();
    return lower == u"aiff" || lower == u"aif";
}

// Vorbis and Opus hold a cover only as a picture comment.
bool keepsCoverAsComment(const QString &ext)
{
    static const QStringList withComment {QStringLiteral("ogg"), QStringLiteral("oga"),
                                          QStringLiteral("opus")};
    return withComment.contains(ext.toLower());
}

// What an audio format loses of the source's tags and cover, in words.
std::optional<QString> metadataNote(const QString &ext, bool hasCover)
{
    const QString lower = ext.toLower();
    if (lower == u"aac")
        return QCoreApplication::translate("ArgumentBuilder",
                                           "AAC files cannot hold tags or cover art");
    if (!hasCover)
        return std::nullopt;
    if (lower == u"wav")
        return QCoreApplication::translate("ArgumentBuilder", "WAV files cannot hold cover art");
    if (lower == u"wma")
        return QCoreApplication::translate("ArgumentBuilder", "WMA files cannot hold cover art");
    return std::nullopt;
}

// Codec generations by the bits they need for one picture: MPEG-4 Part 2 and
// its kin, then H.264 and VP8, then HEVC, VP9 and AV1.
std::optional<int> codecGeneration(const QString &codec)
{
    static const QStringList first {QStringLiteral("mpeg1video"), QStringLiteral("mpeg2video"),
                                    QStringLiteral("mpeg4"),      QStringLiteral("msmpeg4v2"),
                                    QStringLiteral("msmpeg4v3"),  QStringLiteral("h263"),
                                    QStringLiteral("flv1"),       QStringLiteral("theora"),
                                    QStringLiteral("wmv1"),       QStringLiteral("wmv2"),
                                    QStringLiteral("wmv3"),       QStringLiteral("vc1")};
    if (first.contains(codec))
        return 0;
    if (codec == u"h264" || codec == u"vp8")
        return 1;
    if (codec == u"hevc" || codec == u"vp9" || codec == u"av1")
        return 2;
    // Intra-only and lossless codecs (ProRes, FFV1, MJPEG, raw) spend far
    // more than any of these; their bitrate says nothing.
    return std::nullopt;
}

int encoderGeneration(const QString &encoder)
{
    if (encoder == u"libx264" || encoder.startsWith(u"h264_"))
        return 1;
    if (encoder == u"libx265" || encoder.startsWith(u"hevc_") || encoder == u"libvpx-vp9")
        return 2;
    return 0;
}

// Bits per pixel and frame at the default quality for 1080p: about 0.12 keeps
// H.264 free of visible loss; HEVC and VP9 need about a third less, MPEG-4
// Part 2, Theora and WMV more.
double bitsPerPixel(int generation)
{
    switch (generation) {
    case 2:
        return 0.08;
    case 1:
        return 0.12;
    default:
        return 0.2;
    }
}

qint64 videoKbps(double quality)
{
    const double exponent = quality < 40 ? (std::max(quality, 10.0) - 18) / -5 : -4.4;
    const qint64 kbps = std::llround(std::exp2(exponent) * 10 * 1000);
    return std::max<qint64>(kbps, 300);
}

// ffmpeg's "-2:N" scale: the height, and the width that keeps the aspect.
std::optional<int> scaledHeight(const QStringList &scaleArguments)
{
    static const QRegularExpression height(QStringLiteral(R"(^scale=-2:(\d+)$)"));
    const QRegularExpressionMatch match = height.match(scaleArguments.value(1));
    return match.hasMatch() ? std::optional<int>(match.captured(1).toInt()) : std::nullopt;
}

} // namespace

VideoEncoderChoice videoEncoder(const QString &ext, VideoCodec codec,
                                const HardwareProfile &profile)
{
    const QString lower = ext.toLower();
    const QString rate = QStringLiteral("-b:v");
    if (lower == u"webm")
        return {QStringLiteral("libvpx-vp9"), rate, false};
    if (lower == u"ogv")
        return {QStringLiteral("libtheora"), rate, false};
    if (lower == u"wmv")
        return {QStringLiteral("wmv2"), rate, false};
    if (lower == u"flv")
        return {QStringLiteral("flv"), rate, false};
    if (lower == u"avi")
        return {QStringLiteral("mpeg4"), rate, false};
    if (lower == u"3gp")
        return {h264Encoder(profile), rate, false};
    switch (codec) {
    case VideoCodec::h264:
        break;
    case VideoCodec::hevc: {
        // Apple players only play HEVC in MP4 and QuickTime files tagged hvc1.
        const bool tag = lower == u"mp4" || lower == u"mov" || lower == u"m4v";
        return {hevcEncoder(profile), rate, tag};
    }
    case VideoCodec::copy:
        return {QStringLiteral("copy"), std::nullopt, false};
    }
    return {h264Encoder(profile), rate, false};
}

QString videoBitrate(double quality)
{
    return QString::number(videoKbps(quality)) + u'k';
}

VideoRate chooseVideoRate(const QString &encoder, double quality, const SourceVideo &source,
                          int outputHeight)
{
    const qint64 asked = videoKbps(quality);
    VideoRate rate {asked, {}};
    if (source.width <= 0 || source.height <= 0)
        return rate;
    const int height = outputHeight > 0 ? outputHeight : source.height;
    const int width = outputHeight > 0
        ? int(std::lround(double(source.width) * outputHeight / source.height / 2) * 2)
        : source.width;
    // An unknown or odd rate (variable-rate files report a thousand) counts
    // as ordinary video.
    const double fps = source.frameRate >= 1.0 ? std::min(source.frameRate, 60.0) : 30.0;
    const int generation = encoderGeneration(encoder);
    // The quality setting keeps its meaning: each step of 5 halves or doubles
    // the bits a pixel gets, as it does the bitrate.
    const double scale = double(asked) / videoKbps(23.0);
    // Small pictures need more bits for each pixel: fewer of them share
    // the same motion and detail.
    const double pixels = double(width) * height;
    const double sizeFactor = std::pow(1920.0 * 1080.0 / pixels, 0.2);
    const qint64 forSize
        = std::llround(bitsPerPixel(generation) * sizeFactor * pixels * fps * scale / 1000);
    QString reason;
    if (forSize < rate.kbps) {
        rate.kbps = forSize;
        reason = QCoreApplication::translate("ArgumentBuilder", "capped for %1×%2")
                     .arg(width)
                     .arg(height);
    }
    const std::optional<int> sourceGeneration = codecGeneration(source.codecName);
    if (source.bitrate > 0 && sourceGeneration && generation >= *sourceGeneration) {
        // A little more than the source spent: a second lossy generation
        // needs some room, more bits than that only copy its artefacts.
        const qint64 forSource = std::llround(source.bitrate * 1.5 / 1000);
        if (forSource < rate.kbps) {
            rate.kbps = forSource;
            reason = QCoreApplication::translate("ArgumentBuilder", "capped by the source's %1k")
                         .arg(std::llround(source.bitrate / 1000.0));
        }
    }
    // Tiny pictures still get enough for the encoder's headers and motion.
    rate.kbps = std::max(rate.kbps, std::min<qint64>(64, asked));
    if (rate.kbps < asked)
        rate.note = QCoreApplication::translate("ArgumentBuilder", "video bitrate %1k, %2 (%3k asked)")
                        .arg(rate.kbps)
                        .arg(reason)
                        .arg(asked);
    return rate;
}

bool needsSourceCover(const MediaTarget &target)
{
    return target.group == MediaGroup::audio && keepsCoverAsComment(target.ext);
}

QByteArray pictureBlock(const CoverArt &cover)
{
    QByteArray block;
    const auto number = [&block](quint32 value) {
        for (int shift = 24; shift >= 0; shift -= 8)
            block.append(char((value >> shift) & 0xff));
    };
    const QByteArray mime = cover.mimeType.toLatin1();
    number(3); // front cover
    number(quint32(mime.size()));
    block += mime;
    number(0); // no description
    number(quint32(cover.width));
    number(quint32(cover.height));
    number(0); // colour depth and palette size: unknown
    number(0);
    number(quint32(cover.data.size()));
    block += cover.data;
    return block;
}

QByteArray coverMetadataDocument(const CoverArt &cover)
{
    QByteArray value = pictureBlock(cover).toBase64();
    // ffmetadata escapes "=", ";", "#", "\\" and line breaks in values;
    // base64 holds only "=" of these.
    value.replace('=', "\\=");
    return QByteArrayLiteral(";FFMETADATA1\nMETADATA_BLOCK_PICTURE=") + value + '\n';
}

std::optional<QString> channelConversionFilter(const MediaTarget &target,
                                               const ConversionSettings &settings)
{
    if (!target.writesAudio())
        return std::nullopt;
    const QString ext = target.id == MediaTarget::extractAudioTarget().id ? settings.videoToAudio
        : target.group == MediaGroup::audio                              ? target.ext
                                                                         : QString();
    const QString encoder = ext.isEmpty() ? videoAudioEncoder(target.ext)
                                          : audioEncoder(ext).value_or(QString());
    // In doubles, as ebur128 takes them: a downmix to an integer format
    // would be scaled down to avoid clipping, and no longer be what was
    // measured.
    const std::optional<QString> layouts = encoderChannelLayouts(encoder, settings.audioKbps());
    if (!layouts)
        return std::nullopt;
    return QStringLiteral("aformat=sample_fmts=dbl:channel_layouts=%1").arg(*layouts);
}

QString audioBitrate(double quality)
{
    return QString::number(audioKbps(quality)) + u'k';
}

std::optional<QString> audioEncoder(const QString &ext)
{
    const QString lower = ext.toLower();
    if (lower == u"mp3")
        return QStringLiteral("libmp3lame");
    if (lower == u"m4a" || lower == u"m4b" || lower == u"aac")
        return QStringLiteral("aac");
    if (lower == u"flac")
        return QStringLiteral("flac");
    if (lower == u"wav")
        return QStringLiteral("pcm_s16le");
    if (lower == u"aiff" || lower == u"aif")
        return QStringLiteral("pcm_s16be");
    if (lower == u"ogg" || lower == u"oga")
        return QStringLiteral("libvorbis");
    if (lower == u"opus")
        return QStringLiteral("libopus");
    if (lower == u"wma")
        return QStringLiteral("wmav2");
    if (lower == u"ac3")
        return QStringLiteral("ac3");
    if (lower == u"alac")
        return QStringLiteral("alac");
    return std::nullopt;
}

bool acceptsAudioBitrate(const std::optional<QString> &encoder)
{
    static const QStringList lossy {
        QStringLiteral("libmp3lame"), QStringLiteral("aac"),     QStringLiteral("aac_at"),
        QStringLiteral("libvorbis"),  QStringLiteral("libopus"), QStringLiteral("wmav1"),
        QStringLiteral("wmav2"),      QStringLiteral("ac3"),     QStringLiteral("eac3")};
    return encoder && lossy.contains(*encoder);
}

FFArgs makeFFArgs(const MediaTarget &target, const BatchSettings &batch,
                  const HardwareProfile &profile, const ConversionSettings &settings,
                  const SourceVideo &source, const std::optional<LoudnessMeasurement> &loudness,
                  const std::optional<CoverArt> &cover)
{
    FFArgs args;
    QStringList &input = args.inputOptions;
    QStringList &output = args.outputOptions;

    // On Linux the toggle is the way out of a broken driver, so off means the
    // software encoder; VideoToolbox keeps its encoders and only drops -hwaccel.
    const bool hardware = target.hasOption(MediaOption::hwAccel) && settings.hardwareAcceleration
        && profile.isHardware();
    const HardwareProfile encoding
        = hardware || profile.api == Api::videoToolbox ? profile : HardwareProfile::software();

    if (hardware)
        input << hardwareInputOptions(profile);
    // Both bounds are input options, so both are read on the input's timeline.
    input << batch.trimStartArguments() << batch.trimEndArguments();

    if (target.group == MediaGroup::image && writesOneFrame(target.ext))
        output << QStringLiteral("-frames:v") << QStringLiteral("1");

    // One audio stream, and the cover art where the format holds one: without
    // a map ffmpeg would encode the cover as a video track or fail on it.
    if (target.group == MediaGroup::audio) {
        output << QStringLiteral("-map") << QStringLiteral("0:a:0");
        if (keepsCoverArt(target.ext))
            output << QStringLiteral("-map") << QStringLiteral("0:v?") << QStringLiteral("-c:v")
                   << QStringLiteral("copy") << QStringLiteral("-disposition:v")
                   << QStringLiteral("attached_pic");
        if (cover && keepsCoverAsComment(target.ext)) {
            // The cover comes in as the second input's tags; the source's
            // own tags stay where ffmpeg puts them by default.
            args.metadataInput = coverMetadataDocument(*cover);
            output << QStringLiteral("-map_metadata") << QStringLiteral("0")
                   << QStringLiteral("-map_metadata:s:a:0") << QStringLiteral("1");
        }
        if (const std::optional<QString> note = metadataNote(target.ext, cover.has_value()))
            args.notes << *note;
    }

    std::optional<QString> upload;
    std::optional<QString> evenSize;
    if (target.hasOption(MediaOption::videoCodec)) {
        const VideoCodec codec
            = videoCodecFromRawValue(settings.videoCodec).value_or(VideoCodec::h264);
        const VideoEncoderChoice choice = videoEncoder(target.ext, codec, encoding);
        output << QStringLiteral("-c:v") << choice.encoder;
        if (choice.rateFlag) {
            const std::optional<int> height = scaledHeight(
                batch.scaleArguments(target.group == MediaGroup::video, settings.videoCodec));
            const VideoRate rate = chooseVideoRate(choice.encoder, settings.videoQuality, source,
                                                   height.value_or(0));
            output << *choice.rateFlag << QString::number(rate.kbps) + u'k'
                   << pixelFormatOptions(choice.encoder, source);
            if (!rate.note.isEmpty())
                args.notes << rate.note;
        }
        if (choice.needsHvc1Tag)
            output << QStringLiteral("-tag:v") << QStringLiteral("hvc1");
        upload = uploadFilter(choice.encoder);
        evenSize = evenSizeFilter(choice.encoder, source);
    }

    // One audio stream: formats such as MP3 and FLAC hold exactly one.
    if (target.hasOption(MediaOption::videoToAudio))
        output << QStringLiteral("-vn") << QStringLiteral("-map") << QStringLiteral("0:a:0?");

    const qint64 kbps = audioKbps(settings.audioQuality);
    const QString bitrate = QString::number(kbps) + u'k';
    const QString audioExt
        = target.id == MediaTarget::extractAudioTarget().id ? settings.videoToAudio : target.ext;
    std::optional<QString> encoder;
    if (target.group == MediaGroup::audio || target.hasOption(MediaOption::videoToAudio)) {
        encoder = audioEncoder(audioExt);
        if (encoder)
            output << QStringLiteral("-c:a") << *encoder;
        if (writesId3Chunk(audioExt))
            output << QStringLiteral("-write_id3v2") << QStringLiteral("1");
        if (acceptsAudioBitrate(encoder)
            && (target.hasOption(MediaOption::audioQuality)
                || target.hasOption(MediaOption::videoToAudio)))
            output << QStringLiteral("-b:a") << bitrate;
    } else if (target.hasOption(MediaOption::audioQuality)) {
        encoder = videoAudioEncoder(target.ext);
        output << QStringLiteral("-c:a") << *encoder << QStringLiteral("-b:a") << bitrate;
    }
    // One audio filter chain: the channels and gain first, then what the
    // encoder needs.
    QStringList audioFilters;
    if (loudness && !loudness->isSilent() && normalizesLoudness(target, settings)) {
        // The gain is for the channels that are written, as they were measured.
        if (const std::optional<QString> channels = channelConversionFilter(target, settings))
            audioFilters << *channels;
        audioFilters << loudnessNormalizingFilter(settings.loudnessLufs(), *loudness);
    }
    if (encoder) {
        const std::optional<QString> filter = audioFormatFilter(*encoder, kbps);
        if (filter && !audioFilters.contains(*filter))
            audioFilters << *filter;
    }
    if (!audioFilters.isEmpty())
        output << QStringLiteral("-af") << audioFilters.join(u',');

    // The scale runs on the decoded frames, before any upload to the GPU.
    QStringList filters;
    const QStringList scale
        = batch.scaleArguments(target.group == MediaGroup::video, settings.videoCodec);
    // The scale filter's "-2" already gives an even size.
    if (scale.size() == 2)
        filters << scale.at(1);
    else if (evenSize)
        filters << *evenSize;
    if (upload)
        filters << *upload;
    if (!filters.isEmpty())
        output << QStringLiteral("-vf") << filters.join(u',');

    return args;
}
