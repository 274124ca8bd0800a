#pragma once

#include "conversion/VideoScale.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <variant>

// What the user asked vireo-cli for.
struct CliOptions {
    // Part `index` (1-based) of `count` parts of the planned items.
    struct Shard {
        int index = 1;
        int count = 1;
    };

    QStringList inputs;
    std::optional<QString> target;
    std::optional<QString> preset;
    // Empty with --next-to-source: each output goes next to its input.
    QString outputDir;
    std::optional<int> jobs;
    std::optional<bool> overwrite;
    std::optional<double> audioBitrate;
    std::optional<QString> videoCodec;
    std::optional<double> videoQuality;
    std::optional<bool> hardwareAcceleration;
    std::optional<QString> audioFormat;
    std::optional<QString> trimStart;
    std::optional<QString> trimEnd;
    std::optional<VideoScale> scale;
    std::optional<double> normalizeLufs;
    std::optional<Shard> shard;
    // --watch: the folder whose new files are converted until interrupted,
    // and how long a file must stay unchanged to count as complete.
    std::optional<QString> watch;
    double settleSeconds = 2;
    // Outputs below the destination where the inputs lie below the folders
    // given; without it the stored preference decides.
    bool keepStructure = false;
    bool dryRun = false;
    bool json = false;
    bool quiet = false;
    bool listTargets = false;
    bool listPresets = false;
};

// Text to print and the exit status, for --help, --version and usage errors.
struct CliExit {
    int status = 0;
    QString text;
};

std::variant<CliOptions, CliExit> parseCliOptions(const QStringList &arguments);
