#pragma once

#include <QMetaType>
#include <QString>
#include <QUrl>

// What one update check found.
struct UpdateCheckResult {
    enum class Outcome {
        updateAvailable, // the feed names a newer version
        upToDate, // the feed names this version or an older one
        failed, // the feed could not be fetched or read
        disabled, // this build checks for no updates
        cancelled, // the check was stopped before it found anything
    };

    Outcome outcome = Outcome::failed;
    // The version and release page the feed names; empty when it could not be read.
    QString latestVersion;
    QUrl releaseUrl;
    // Why the check failed, for the user.
    QString errorMessage;
    // The user asked for this check (the menu); otherwise it ran on its own.
    bool userInitiated = false;
};

Q_DECLARE_METATYPE(UpdateCheckResult)
