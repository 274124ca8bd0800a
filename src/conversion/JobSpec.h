#pragma once

#include "conversion/BatchSettings.h"
#include "model/MediaTarget.h"
#include "settings/ConversionSettings.h"

#include <QString>

// The facts of a batch, fixed when it starts: a preference changed (here or
// by another process) while it runs reaches the next batch, never half of
// this one.
struct JobSpec {
    MediaTarget target;
    // Empty: each output goes into its input's own folder.
    QString destination;
    BatchSettings batch;
    ConversionSettings settings;
    bool overwrite = true;
    // An item whose output is already there from the same settings is skipped.
    bool skipConverted = true;

    bool keepStructure() const { return settings.keepFolderStructure; }
    bool nextToSource() const { return destination.isEmpty(); }

    // Reads the preferences once.
    static JobSpec current(const MediaTarget &target, const QString &destination,
                           const BatchSettings &batch);
};
