#pragma once

#include <QMetaType>
#include <QString>

// How one started item ended. A cancelled item is not a failure, and a skip
// (its output is already there from the same settings) is not a conversion.
enum class JobOutcomeKind { converted, skipped, failed, cancelled };

struct JobOutcome {
    JobOutcomeKind kind = JobOutcomeKind::failed;
    QString message; // the reason of a failure, for the user
    QString outputPath; // the final name, also of a failure: what the user knows
};

Q_DECLARE_METATYPE(JobOutcome)
