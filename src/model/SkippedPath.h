#pragma once

#include <QString>

// A file or folder that an import could not take, and why (translated).
// Shown to the user so that no file goes missing without a word.
struct SkippedPath {
    QString path;
    QString reason;

    friend bool operator==(const SkippedPath &, const SkippedPath &) = default;
};
