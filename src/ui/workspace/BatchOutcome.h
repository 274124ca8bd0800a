#pragma once

#include <QList>
#include <QString>

// What one run of the queue did with the files of a workspace, as the
// result bar shows it once the run has ended.
struct BatchOutcome {
    struct Failure {
        QString path; // the user's file
        QString reason;
    };

    int converted = 0;
    int skipped = 0; // already converted with these settings
    int failed = 0;
    int cancelled = 0; // stopped while converting; what never started is not counted
    // Sizes of the converted files and of their outputs, in bytes.
    qint64 bytesIn = 0;
    qint64 bytesOut = 0;
    QString destination;
    QList<Failure> failures;
};
