#include "app/cli/CliOptions.h"

#include "conversion/ArgumentBuilder.h"
#include "conversion/BatchSettings.h"
#include "conversion/VideoScale.h"
#include "model/MediaTarget.h"
#include "settings/PreferenceKeys.h"
#include "settings/SettingRange.h"
#include "settings/VideoCodec.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>

#include <cmath>

namespace {

class CliText {
    Q_DECLARE_TR_FUNCTIONS(CliText)
};

std::optional<double> number(const QString &text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok && std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

CliExit usage(const QString &message)
{
    return {2, CliText::tr("vireo-cli: %1\nTry 'vireo-cli --help'.\n").arg(message)};
}

// "--normalize" takes its level only as "--normalize=LUFS", which
// QCommandLineParser cannot express: the option is taken out before parsing.
// Sets `lufs` for every occurrence; false for a malformed or out-of-range
// level.
bool takeNormalize(QStringList &arguments, std::optional<double> &lufs)
{
    for (qsizetype i = 1; i < arguments.size();) {
        const QString &argument = arguments.at(i);
        if (argument == u"--")
            break;
        QString name = argument.section(u'=', 0, 0);
        if (name != u"--normalize" && name != u"-normalize") {
            ++i;
            continue;
        }
        if (!argument.contains(u'=')) {
            lufs = PreferenceKeys::loudnessTarget.defaultValue;
        } else {
            lufs = number(argument.section(u'=', 1));
            if (!lufs || !SettingRanges::loudnessLufs.contains(*lufs))
                return false;
        }
        arguments.removeAt(i);
    }
    return true;
}

std::optional<CliOptions::Shard> shardFrom(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral(R"(^(\d{1,9})/(\d{1,9})$)"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const int index = match.captured(1).toInt();
    const int count = match.captured(2).toInt();
    if (index < 1 || index > count)
        return std::nullopt;
    return CliOptions::Shard {index, count};
}

} // namespace

std::variant<CliOptions, CliExit> parseCliOptions(const QStringList &givenArguments)
{
    QStringList arguments = givenArguments;
    std::optional<double> normalizeLufs;
    if (!takeNormalize(arguments, normalizeLufs))
        return usage(CliText::tr("--normalize takes a loudness in LUFS from -70 to -5"));

    QCommandLineParser parser;
    parser.setApplicationDescription(CliText::tr("Converts media files with Vireo's engine."));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption to(
        {"t", "to"},
        CliText::tr(
            "Target id, e.g. audio.mp3, video.mp4, video.extract-audio, image.png, subtitle.srt."),
        "TARGET");
    const QCommandLineOption preset(
        {"p", "preset"},
        CliText::tr("A built-in or saved preset (name or id): its target unless "
                    "--to is given, and its settings."),
        "NAME|ID");
    const QCommandLineOption output(
        {"o", "output"},
        CliText::tr("Destination folder; created if missing. Default: the current folder."), "DIR");
    const QCommandLineOption nextToSource(
        "next-to-source",
        CliText::tr("Write each output into its input's own folder instead of -o's. An output "
                    "that would replace its input is refused."));
    const QCommandLineOption jobs(
        {"j", "jobs"},
        CliText::tr("Parallel conversions (default: the \"max concurrent jobs\" preference)."),
        "N");
    const QCommandLineOption overwrite("overwrite", CliText::tr("Replace existing outputs."));
    const QCommandLineOption noOverwrite("no-overwrite",
                                         CliText::tr("Never replace existing outputs."));
    const QCommandLineOption audioBitrate("audio-bitrate", CliText::tr("Audio bitrate in kbit/s."),
                                          "KBPS");
    const QCommandLineOption videoCodec("video-codec",
                                        CliText::tr("Video codec: h264, hevc or copy."), "CODEC");
    const QCommandLineOption videoQuality("video-quality",
                                          CliText::tr("Video quality, 16 (best) to 32."), "N");
    const QCommandLineOption hwaccel(
        "hwaccel", CliText::tr("Use the hardware video encoder where one works."));
    const QCommandLineOption noHwaccel("no-hwaccel",
                                       CliText::tr("Use the software video encoder."));
    const QCommandLineOption audioFormat(
        "audio-format", CliText::tr("Format of video.extract-audio, e.g. mp3, m4a, flac."), "EXT");
    const QCommandLineOption trimStart(
        "trim-start", CliText::tr("Keep from this time on (seconds or HH:MM:SS)."), "TIME");
    const QCommandLineOption trimEnd(
        "trim-end", CliText::tr("Stop at this time of the input (seconds or HH:MM:SS)."), "TIME");
    const QCommandLineOption scale(
        "scale", CliText::tr("Video height: original, 2160p, 1440p, 1080p, 720p, 480p, 360p."),
        "SCALE");
    const QCommandLineOption keepStructure(
        "keep-structure",
        CliText::tr(
            "Recreate the subfolders of each input folder in the output folder instead of writing "
            "every output side by side."));
    const QCommandLineOption dryRun({"n", "dry-run"},
                                    CliText::tr("Classify and plan only; convert nothing."));
    const QCommandLineOption json(
        "json", CliText::tr("Machine-readable output, one JSON object per line."));
    const QCommandLineOption listTargets("list-targets", CliText::tr("List the targets."));
    const QCommandLineOption listPresets("list-presets",
                                         CliText::tr("List the built-in and saved presets."));
    const QCommandLineOption quiet({"q", "quiet"},
                                   CliText::tr("Print only errors and the summary."));
    const QCommandLineOption normalize(
        "normalize",
        CliText::tr(
            "Normalize the loudness of audio outputs (EBU R128) to -16 LUFS, or to the level of "
            "--normalize=LUFS (-70 to -5; -14 streaming, -23 broadcast)."));
    const QCommandLineOption shard(
        "shard",
        CliText::tr(
            "Convert only part K of N of the files (1 <= K <= N), split by a hash of their paths "
            "relative to the input folders: the same on every machine."),
        "K/N");
    const QCommandLineOption watch(
        "watch",
        CliText::tr("Keep running and convert every file that appears in DIR or below once it has "
                    "stopped growing; files converted before are skipped. Ends with Ctrl+C or "
                    "SIGTERM."),
        "DIR");
    const QCommandLineOption settle(
        "settle",
        CliText::tr("With --watch: how long a file must stay unchanged to count as complete "
                    "(default 2)."),
        "SECONDS");
    parser.addOptions({watch, settle, nextToSource});
    parser.addOptions({to,           preset,     output,       jobs,    overwrite,    noOverwrite,
                       audioBitrate, videoCodec, videoQuality, hwaccel, noHwaccel,    audioFormat,
                       trimStart,    trimEnd,    scale,        dryRun,  json,         listTargets,
                       listPresets,  quiet,      normalize,    shard,   keepStructure});
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument("INPUT", CliText::tr("Files or folders to convert."), "INPUT...");

    if (!parser.parse(arguments))
        return usage(parser.errorText());
    if (parser.isSet(help))
        return CliExit {0, parser.helpText()};
    if (parser.isSet(version))
        return CliExit {
            0, QStringLiteral("vireo-cli %1\n").arg(QCoreApplication::applicationVersion())};

    CliOptions options;
    // Always paths, never URLs: "file:x.mp3" is a file of the current folder.
    for (const QString &input : parser.positionalArguments())
        options.inputs << (input.isEmpty() ? input : QDir::current().absoluteFilePath(input));
    options.listTargets = parser.isSet(listTargets);
    options.listPresets = parser.isSet(listPresets);
    options.dryRun = parser.isSet(dryRun);
    options.json = parser.isSet(json);
    options.quiet = parser.isSet(quiet);
    if (parser.isSet(to))
        options.target = parser.value(to);
    if (parser.isSet(preset))
        options.preset = parser.value(preset);
    options.outputDir = QDir::current().absoluteFilePath(
        parser.isSet(output) ? parser.value(output) : QStringLiteral("."));
    options.outputDir = QDir::cleanPath(options.outputDir);
    if (parser.isSet(nextToSource)) {
        if (parser.isSet(output))
            return usage(CliText::tr("--next-to-source and --output exclude each other"));
        // Its outputs would appear in the watched folder as new files.
        if (parser.isSet(watch))
            return usage(CliText::tr("--next-to-source and --watch exclude each other"));
        options.outputDir.clear();
    }

    if (parser.isSet(jobs)) {
        bool ok = false;
        const int count = parser.value(jobs).toInt(&ok);
        if (!ok)
            return usage(CliText::tr("--jobs takes a whole number"));
        options.jobs = std::max(count, 1);
    }
    if (parser.isSet(overwrite) && parser.isSet(noOverwrite))
        return usage(CliText::tr("--overwrite and --no-overwrite exclude each other"));
    if (parser.isSet(overwrite) || parser.isSet(noOverwrite))
        options.overwrite = parser.isSet(overwrite);
    if (parser.isSet(hwaccel) && parser.isSet(noHwaccel))
        return usage(CliText::tr("--hwaccel and --no-hwaccel exclude each other"));
    if (parser.isSet(hwaccel) || parser.isSet(noHwaccel))
        options.hardwareAcceleration = parser.isSet(hwaccel);
    if (parser.isSet(audioBitrate)) {
        options.audioBitrate = number(parser.value(audioBitrate));
        // Outside this range the builder would quietly use another bitrate
        // than the one the run records.
        if (!options.audioBitrate)
            return usage(CliText::tr("--audio-bitrate takes a number"));
        if (const auto problem = SettingRanges::audioKbps.problem(
                QStringLiteral("--audio-bitrate"), std::trunc(*options.audioBitrate)))
            return usage(*problem);
    }
    if (parser.isSet(videoCodec)) {
        if (!videoCodecFromRawValue(parser.value(videoCodec)))
            return usage(CliText::tr("--video-codec takes h264, hevc or copy"));
        options.videoCodec = parser.value(videoCodec);
    }
    if (parser.isSet(videoQuality)) {
        options.videoQuality = number(parser.value(videoQuality));
        if (!options.videoQuality)
            return usage(CliText::tr("--video-quality takes a number"));
    }
    if (parser.isSet(audioFormat)) {
        // Part of every output's name: nothing but an audio format's extension.
        options.audioFormat = parser.value(audioFormat).toLower();
        QStringList formats;
        for (const MediaTarget &target : MediaTarget::audioTargets())
            formats << target.ext;
        if (!formats.contains(*options.audioFormat))
            return usage(CliText::tr("--audio-format takes one of %1").arg(formats.join(u", ")));
    }
    if (parser.isSet(trimStart))
        options.trimStart = parser.value(trimStart);
    if (parser.isSet(trimEnd))
        options.trimEnd = parser.value(trimEnd);
    // Checked here, once, rather than failing every file in ffmpeg.
    const BatchSettings trim {true, options.trimStart.value_or(QString()),
                              options.trimEnd.value_or(QString())};
    if (const std::optional<QString> problem = trim.trimProblem())
        return usage(CliText::tr("--trim-start/--trim-end: %1").arg(*problem));
    if (parser.isSet(scale)) {
        // The label ("2160p (4K)") or its first word ("2160p"), any case.
        const QString text = parser.value(scale).toLower();
        for (VideoScale candidate : allVideoScales()) {
            const QString raw = rawValue(candidate).toLower();
            if (raw == text || raw.section(u' ', 0, 0) == text)
                options.scale = candidate;
        }
        if (!options.scale)
            return usage(
                CliText::tr("--scale takes original, 2160p, 1440p, 1080p, 720p, 480p or 360p"));
    }
    options.normalizeLufs = normalizeLufs;
    options.keepStructure = parser.isSet(keepStructure);
    if (parser.isSet(shard)) {
        options.shard = shardFrom(parser.value(shard));
        if (!options.shard)
            return usage(CliText::tr("--shard takes K/N with 1 <= K <= N"));
    }
    if (parser.isSet(watch)) {
        options.watch = QDir::cleanPath(QDir::current().absoluteFilePath(parser.value(watch)));
        if (!options.inputs.isEmpty() || options.dryRun || options.shard)
            return usage(CliText::tr("--watch takes no INPUT, --dry-run or --shard"));
    }
    if (parser.isSet(settle)) {
        const std::optional<double> seconds = number(parser.value(settle));
        if (!seconds || *seconds < 0.1 || *seconds > 3600)
            return usage(CliText::tr("--settle takes 0.1 to 3600 seconds"));
        options.settleSeconds = *seconds;
    }
    if (!options.listTargets && !options.listPresets && !options.watch && options.inputs.isEmpty())
        return usage(CliText::tr("no INPUT given"));
    return options;
}
