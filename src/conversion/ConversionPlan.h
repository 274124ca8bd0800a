#pragma once

#include "conversion/ConversionRoute.h"
#include "conversion/LoudnessMeasurement.h"
#include "conversion/SourceVideo.h"
#include "model/MediaGroup.h"
#include "tools/MediaTags.h"
#include "tools/FFArgs.h"

#include <QString>
#include <QStringList>

#include <optional>

struct BatchSettings;
struct ConversionSettings;
struct HardwareProfile;
struct MediaTarget;
struct ProbeResult;
class Media;

// What the plan needs to know of one item. Facts learnt about the source
// before the run (a probe's play length or frame size, a loudness pass) go
// here, so that everything the arguments depend on is an input of the plan.
struct PlanSource {
    QString path;
    QString baseName; // the file name without its last extension
    // The imported folder the file was found in; empty for a file given by
    // itself.
    QString importRoot;
    MediaGroup group = MediaGroup::other;
    std::optional<double> duration;
    SourceVideo video {};
    // The measuring pass's figures, when the conversion normalises loudness.
    std::optional<LoudnessMeasurement> loudness {};
    // A subtitle file's character set when it is not UTF-8 (iconv's name).
    std::optional<QString> textEncoding {};
    // The front cover, read where the target needs its bytes.
    std::optional<CoverArt> cover {};

    static PlanSource of(const Media &item);
};

// Everything one conversion will do, decided before anything runs: where the
// output goes, by which route, and the exact ffmpeg command line. The job
// executes it; the dry run of vireo-cli prints it.
struct ConversionPlan {
    QString sourcePath;
    QString outputPath;
    ConversionRoute route = ConversionRoute::ffmpeg;
    // The conversion-specific options of the ffmpeg step; for the WebP
    // route those of the PNG-to-WebP step, none for the image path.
    FFArgs ffArgs;
    bool overwrite = true;

    bool runsFFmpeg() const { return route != ConversionRoute::imagePath; }
    // The file the ffmpeg step writes, given the job's temporary output:
    // the SRT beside it for MicroDVD, the output itself otherwise.
    QString ffmpegDestination(const QString &temporaryOutput) const;
    // The complete ffmpeg command line of the ffmpeg step when it writes
    // `destination`; empty for the image path. The WebP step reads the
    // temporary PNG, named by `source`.
    QStringList ffmpegArguments(const QString &destination, const QString &source = {}) const;
};

// The first video stream's size and pixel format as the probe found them;
// cover art counts too, which is what ffmpeg would encode.
SourceVideo sourceVideoOf(const ProbeResult &probe);

// Whether the plan's arguments depend on the detected hardware encoder.
bool planNeedsHardwareProfile(const MediaTarget &target, const ConversionSettings &settings);

// The output of an item: the destination folder, the base name, and the
// target's output extension. Keeping the folder structure puts it below the
// destination where the source lies below its import root. An empty
// destination is the source's own folder.
QString plannedOutputPath(const PlanSource &source, const MediaTarget &target,
                          const QString &destination, const ConversionSettings &settings);

// The plan of one item under settings read once for the run. Pure: reads no
// file and no preference.
ConversionPlan planConversion(const PlanSource &source, const MediaTarget &target,
                              const QString &destination, const BatchSettings &batch,
                              const ConversionSettings &settings, const HardwareProfile &profile,
                              bool overwrite);
