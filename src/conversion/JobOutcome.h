#pragma once

#include <QString>

// What became of one item of a run.
enum class JobOutcomeKind { converted, skipped, failed, cancelled };

struct JobOutcome {
    JobOutcomeKind kind;
    QString message; // why it failed
    QString outputPath;
};
