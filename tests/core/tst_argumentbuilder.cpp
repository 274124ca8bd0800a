#include "conversion/ArgumentBuilder.h"
#include "conversion/BatchSettings.h"
#include "model/MediaTarget.h"
#include "settings/ConversionSettings.h"

#include <QTest>

#include <cmath>
#include <limits>

namespace {

QStringList words(const QString &text)
{
    return text.split(u' ', Qt::SkipEmptyParts);
}

const QString opusFilter = "-af aformat=channel_layouts=mono|stereo|3.0|quad|5.0|5.1|6.1|7.1";
const QString vorbisFilter = "-af aformat=channel_layouts=mono|stereo|5.1:sample_rates=44100|48000";
const QString wmaFilter = "-af aformat=channel_layouts=mono|stereo"
                          ":sample_rates=8000|11025|12000|16000|22050|24000|32000|44100|48000";
const QString coverOptions = "-map 0:v? -c:v copy -disposition:v attached_pic";

// The tables name the profile; any other name is software.
const QHash<QString, HardwareProfile> profiles {
    {"videotoolbox", HardwareProfile::videoToolbox()},
    {"vaapi", HardwareProfile::vaapi("/dev/dri/renderD128")},
    {"vaapi-h264", {HardwareProfile::Api::vaapi, "/dev/dri/renderD128", false}},
    {"nvenc", HardwareProfile::nvenc()},
    {"qsv", HardwareProfile::qsv()}};

} // namespace

Q_DECLARE_METATYPE(BatchSettings)

class TestArgumentBuilder : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void commandLines_data();
    void commandLines();
    void bitrates_data();
    void bitrates();
    void videoRatesFollowTheSource_data();
    void videoRatesFollowTheSource();
};

namespace {

// The defaults, and the codec, extracted audio and hardware switch of a row.
ConversionSettings settingsWith(const QString &codec, const QString &videoToAudio = "mp3",
                                bool hardware = true)
{
    ConversionSettings settings;
    settings.videoCodec = codec;
    settings.videoToAudio = videoToAudio;
    settings.hardwareAcceleration = hardware;
    return settings;
}

} // namespace

void TestArgumentBuilder::commandLines_data()
{
    QTest::addColumn<QString>("profile");
    QTest::addColumn<QString>("targetId");
    QTest::addColumn<QString>("codec");
    QTest::addColumn<QString>("videoToAudio");
    QTest::addColumn<bool>("hardware");
    QTest::addColumn<BatchSettings>("batch");
    QTest::addColumn<QStringList>("input");
    QTest::addColumn<QStringList>("output");

    // The defaults' table under both profiles; only the video encoders, the
    // pixel format and -hwaccel differ.
    for (const QString profile : {"videotoolbox", "software"}) {
        const bool vt = profile == "videotoolbox";
        const QString hwaccel = vt ? "-hwaccel videotoolbox" : "";
        const QString h264
            = vt ? "-c:v h264_videotoolbox -b:v 5000k" : "-c:v libx264 -b:v 5000k -pix_fmt yuv420p";
        const QString hevc = vt ? "-c:v hevc_videotoolbox -b:v 5000k" : "-c:v libx265 -b:v 5000k";
        const auto row = [&profile](const QString &name, const QString &id, const QString &codec,
                                    const QString &videoToAudio, bool hardware, const QString &in,
                                    const QString &out) {
            QTest::addRow("%s %s", qPrintable(profile), qPrintable(name))
                << profile << id << codec << videoToAudio << hardware << BatchSettings {}
                << words(in) << words(out);
        };
        // Targets without video: no input options, the codec does not matter.
        const auto plain = [&row](const QString &name, const QString &id, const QString &out,
                                  const QString &videoToAudio = "mp3") {
            row(name, id, "h264", videoToAudio, true, "", out);
        };
        const auto video = [&](const QString &name, const QString &id, const QString &codec,
                               const QString &out) {
            row(name, id, codec, "mp3", true, hwaccel, out);
        };
        const QString aac = " -c:a aac -b:a 192k";
        const QString webm = "-c:v libvpx-vp9 -b:v 5000k -c:a libopus -b:a 192k " + opusFilter;

        plain("m4a", "audio.m4a", "-map 0:a:0 " + coverOptions + aac);
        plain("aac", "audio.aac", "-map 0:a:0" + aac);
        plain("ogg", "audio.ogg", "-map 0:a:0 -c:a libvorbis -b:a 192k " + vorbisFilter);
        plain("opus", "audio.opus", "-map 0:a:0 -c:a libopus -b:a 192k " + opusFilter);
        plain("wma", "audio.wma", "-map 0:a:0 -c:a wmav2 -b:a 192k " + wmaFilter);
        video("webm", "video.webm", "h264", webm);
        video("ogv", "video.ogv", "h264",
              "-c:v libtheora -b:v 5000k -c:a libvorbis -b:a 192k " + vorbisFilter);
        video("mp4 hevc", "video.mp4", "hevc", hevc + " -tag:v hvc1" + aac);
        video("mp4 copy", "video.mp4", "copy", "-c:v copy" + aac);
        plain("extract mp3", "video.extract-audio", "-vn -map 0:a:0? -c:a libmp3lame -b:a 192k");
        plain("extract flac", "video.extract-audio", "-vn -map 0:a:0? -c:a flac", "flac");
        plain("extract aiff", "video.extract-audio",
              "-vn -map 0:a:0? -c:a pcm_s16be -write_id3v2 1", "aiff");
        for (const QString ext : {"png", "jpg", "tiff", "bmp"})
            plain(ext, "image." + ext, "-frames:v 1");
        for (const QString id : {"image.gif", "image.webp", "subtitle.srt", "subtitle.ssa"})
            plain(id, id, "");
        video("hevc mkv", "video.mkv", "hevc", hevc + aac);
        video("unexpected codec", "video.mp4", " copy", h264 + aac);
        video("3gp ignores hevc", "video.3gp", "hevc", h264 + aac);
        // Without the toggle VideoToolbox keeps its encoders and drops -hwaccel.
        row("mp4 acceleration off", "video.mp4", "h264", "mp3", false, "", h264 + aac);
    }

    // Linux hardware: the toggle switches to the software encoder.
    const QString vaapi = "-init_hw_device vaapi=vireo:/dev/dri/renderD128 -filter_hw_device "
                          "vireo -hwaccel vaapi -hwaccel_device vireo";
    const QString upload = " -vf format=nv12,hwupload";
    const QString aac = " -c:a aac -b:a 192k";
    const auto row = [](const char *name, const char *profile, const char *targetId,
                        const char *codec, bool hardware, const QString &in, const QString &out) {
        QTest::newRow(name) << profile << targetId << codec << "mp3" << hardware << BatchSettings {}
                            << words(in) << words(out);
    };
    row("vaapi mp4", "vaapi", "video.mp4", "h264", true, vaapi,
        "-c:v h264_vaapi -b:v 5000k" + aac + upload);
    row("vaapi mp4 hevc", "vaapi", "video.mp4", "hevc", true, vaapi,
        "-c:v hevc_vaapi -b:v 5000k -tag:v hvc1" + aac + upload);
    row("vaapi without hevc", "vaapi-h264", "video.mov", "hevc", true, vaapi,
        "-c:v libx265 -b:v 5000k -tag:v hvc1" + aac);
    row("vaapi webm", "vaapi", "video.webm", "h264", true, vaapi,
        "-c:v libvpx-vp9 -b:v 5000k -c:a libopus -b:a 192k " + opusFilter);
    row("vaapi acceleration off", "vaapi", "video.mp4", "h264", false, "",
        "-c:v libx264 -b:v 5000k -pix_fmt yuv420p" + aac);
    row("vaapi audio target", "vaapi", "audio.wav", "h264", true, "", "-map 0:a:0 -c:a pcm_s16le");
    row("nvenc mp4", "nvenc", "video.mp4", "h264", true, "-hwaccel cuda",
        "-c:v h264_nvenc -b:v 5000k -pix_fmt yuv420p" + aac);
    row("nvenc acceleration off", "nvenc", "video.mkv", "hevc", false, "",
        "-c:v libx265 -b:v 5000k" + aac);
    row("qsv 3gp", "qsv", "video.3gp", "h264", true, "",
        "-c:v h264_qsv -b:v 5000k -pix_fmt nv12" + aac);

    const QStringList mp3 = words("-map 0:a:0 " + coverOptions + " -c:a libmp3lame -b:a 192k");
    const QStringList mp4 = words("-c:v libx264 -b:v 5000k -pix_fmt yuv420p -c:a aac -b:a 192k");
    const QStringList extract = words("-vn -map 0:a:0? -c:a libmp3lame -b:a 192k");
    const QStringList vf720 {"-vf", "scale=-2:720"};

    // Trimming and scaling, with the times as typed.
    const auto batch = [](const char *name, const char *profile, const char *targetId,
                          const char *codec, const char *start, const char *end, VideoScale scale,
                          const QStringList &in, const QStringList &out, bool trim = true) {
        QTest::newRow(name) << profile << targetId << codec << "mp3" << true
                            << BatchSettings {trim, start, end, scale} << in << out;
    };
    const VideoScale original = VideoScale::original;
    batch("trim mp3", "software", "audio.mp3", "h264", "00:01:30", "00:02:00", original,
          {"-ss", "00:01:30", "-to", "00:02:00"}, mp3);
    batch("blank start", "software", "audio.mp3", "h264", " \t ", "", original, {}, mp3);
    batch("end only", "software", "audio.mp3", "h264", "", "00:02:00", original,
          {"-to", "00:02:00"}, mp3);
    batch("trim off keeps the times out", "software", "audio.mp3", "h264", "1", "2", original, {},
          mp3, false);
    batch("start as typed", "software", "audio.mp3", "h264", " 90 ", "", original, {"-ss", " 90 "},
          mp3);
    batch("vt trim after -hwaccel", "videotoolbox", "video.mkv", "copy", "5", "", original,
          {"-hwaccel", "videotoolbox", "-ss", "5"}, words("-c:v copy -c:a aac -b:a 192k"));
    batch("scale mp4", "software", "video.mp4", "h264", "1", "2", VideoScale::p720,
          {"-ss", "1", "-to", "2"}, mp4 + vf720);
    batch("2160p, a codec that is not exactly copy", "software", "video.mp4", "Copy", "", "",
          VideoScale::p2160, {}, mp4 + QStringList {"-vf", "scale=-2:2160"});
    batch("copy ignores scale", "software", "video.mp4", "copy", "", "", VideoScale::p720, {},
          words("-c:v copy -c:a aac -b:a 192k"));
    batch("webm copy ignores scale", "software", "video.webm", "copy", "", "", VideoScale::p720, {},
          words("-c:v libvpx-vp9 -b:v 5000k -c:a libopus -b:a 192k " + opusFilter));
    batch("audio never scales", "software", "audio.mp3", "h264", "", "", VideoScale::p720, {}, mp3);
    batch("extract scales after audio", "software", "video.extract-audio", "h264", "", "3",
          VideoScale::p720, {"-to", "3"}, extract + vf720);
    batch("vaapi scale before upload", "vaapi", "video.mp4", "h264", "1", "2", VideoScale::p480,
          words("-init_hw_device vaapi=vireo:/dev/dri/renderD128 -filter_hw_device vireo "
                "-hwaccel vaapi -hwaccel_device vireo -ss 1 -to 2"),
          words("-c:v h264_vaapi -b:v 5000k -c:a aac -b:a 192k "
                "-vf scale=-2:480,format=nv12,hwupload"));
}

void TestArgumentBuilder::commandLines()
{
    QFETCH(QString, profile);
    QFETCH(QString, targetId);
    QFETCH(QString, codec);
    QFETCH(QString, videoToAudio);
    QFETCH(bool, hardware);
    QFETCH(BatchSettings, batch);

    const FFArgs args = makeFFArgs(MediaTarget::fromId(targetId).value(), batch,
                                   profiles.value(profile, HardwareProfile::software()),
                                   settingsWith(codec, videoToAudio, hardware));
    QTEST(args.inputOptions, "input");
    QTEST(args.outputOptions, "output");
}

void TestArgumentBuilder::bitrates_data()
{
    QTest::addColumn<bool>("video");
    QTest::addColumn<double>("quality");
    QTest::addColumn<QString>("bitrate");

    const double inf = std::numeric_limits<double>::infinity();
    const QList<std::pair<double, const char *>> video {
        {16, "13195k"}, {18, "10000k"}, {23, "5000k"},         {28, "2500k"},
        {32, "1436k"},  {10, "30314k"}, {-4, "30314k"},        {39.9, "480k"},
        {40, "474k"},   {1e9, "474k"},  {std::nan(""), "474k"}};
    for (const auto &[quality, bitrate] : video)
        QTest::addRow("video %g", quality) << true << quality << QString(bitrate);
    // A stored value that no control can produce stays within what every
    // lossy encoder accepts.
    const QList<std::pair<double, const char *>> audio {
        {192, "192k"},   {127.9, "127k"}, {320, "320k"},         {96, "96k"}, {320.5, "320k"},
        {1e300, "320k"}, {1000, "320k"},  {20, "48k"},           {-5, "48k"}, {0, "48k"},
        {inf, "192k"},   {-inf, "192k"},  {std::nan(""), "192k"}};
    for (const auto &[quality, bitrate] : audio)
        QTest::addRow("audio %g", quality) << false << quality << QString(bitrate);
}

void TestArgumentBuilder::bitrates()
{
    QFETCH(bool, video);
    QFETCH(double, quality);
    QTEST(video ? videoBitrate(quality) : audioBitrate(quality), "bitrate");
}

void TestArgumentBuilder::videoRatesFollowTheSource_data()
{
    QTest::addColumn<QString>("targetId");
    QTest::addColumn<double>("quality");
    QTest::addColumn<QString>("source"); // width height fps kbit/s codec
    QTest::addColumn<VideoScale>("scale");
    QTest::addColumn<QString>("bitrate");
    QTest::addColumn<QString>("note");

    const auto row
        = [](const char *tag, const char *id, double quality, const char *source,
             const char *bitrate, const char *note = "", VideoScale scale = VideoScale::original) {
              QTest::newRow(tag) << id << quality << source << scale << bitrate << note;
          };
    row("unknown source", "video.mp4", 23, "0 0 0 0 -", "5000k");
    row("720p", "video.mp4", 23, "1280 720 30 0 -", "3902k", "capped for 1280×720 (5000k asked)");
    row("screen recording", "video.mkv", 23, "320 240 25 0 -", "445k", "capped for 320×240");
    row("VP9 needs less", "video.webm", 23, "1280 720 30 0 -", "2601k");
    row("each step of 5 halves", "video.mp4", 28, "1280 720 30 0 -", "1951k");
    row("never raised", "video.mp4", 18, "1920 1080 30 0 -", "10000k");
    row("scaled down", "video.mp4", 23, "1920 1080 30 0 -", "2041k", "capped for 854×480",
        VideoScale::p480);
    row("H.264 source", "video.mp4", 23, "1920 1080 30 1000 h264", "1500k",
        "capped by the source's 1000k (5000k asked)");
    row("MPEG-2 source to H.264", "video.mkv", 23, "1920 1080 30 2000 mpeg2video", "3000k");
    row("HEVC source to MPEG-4 needs more", "video.avi", 23, "1920 1080 30 1000 hevc", "5000k");
    row("tiny", "video.mp4", 23, "64 48 30 0 -", "64k");
}

void TestArgumentBuilder::videoRatesFollowTheSource()
{
    QFETCH(QString, targetId);
    QFETCH(double, quality);
    QFETCH(QString, source);
    QFETCH(VideoScale, scale);
    QFETCH(QString, note);

    const QStringList facts = words(source);
    const SourceVideo video {facts[0].toInt(),
                             facts[1].toInt(),
                             "yuv420p",
                             facts[2].toDouble(),
                             facts[3].toLongLong() * 1000,
                             facts[4]};
    ConversionSettings settings = settingsWith("h264");
    settings.videoQuality = quality;
    const FFArgs args = makeFFArgs(MediaTarget::fromId(targetId).value(), {false, {}, {}, scale},
                                   HardwareProfile::software(), settings, video);
    QTEST(args.outputOptions.value(args.outputOptions.indexOf("-b:v") + 1), "bitrate");
    QCOMPARE(args.notes.join(u'\n').contains(note), true);
    QCOMPARE(args.notes.isEmpty(), args.outputOptions.contains(videoBitrate(quality)));
}

QTEST_GUILESS_MAIN(TestArgumentBuilder)
#include "tst_argumentbuilder.moc"
