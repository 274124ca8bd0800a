#pragma once

#include <QString>

// Finds the external tool: an explicit override (VIREO_FFMPEG), then a copy
// beside Vireo's own executable (bundled builds), then the PATH (Debian's
// ffmpeg package).
namespace ToolLocator {

// Pure lookup, for tests: `overridePath` wins when it is set; an override
// that names no executable file means the tool is missing.
QString resolve(const QString &name, const QString &overridePath, const QString &appDir,
                const QString &searchPath);

// Resolved once per process, thread-safe; empty when the tool is missing.
QString ffmpegPath();

// The message for a missing tool: names it and says how to install it.
QString missingToolMessage(const QString &name);

} // namespace ToolLocator
