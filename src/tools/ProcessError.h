#pragma once

#include <QString>

// A child process that could not be run.
struct ProcessError {
    enum class Kind { failedToLaunch, cancelled };

    Kind kind = Kind::failedToLaunch;
    QString message; // the platform's reason, for failedToLaunch

    static ProcessError failedToLaunch(const QString &reason)
    {
        return {Kind::failedToLaunch, reason};
    }
    static ProcessError cancelled() { return {Kind::cancelled, {}}; }

    QString errorDescription() const;
};
