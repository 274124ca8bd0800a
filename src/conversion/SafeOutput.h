#pragma once

#include "model/FileIdentity.h"

#include <QString>
#include <QStringList>

#include <optional>

// The rules that keep a conversion from losing a file: an output never
// replaces its own input, it is written under a hidden temporary name in the
// destination folder and only renamed to its final name once it is known to
// be good, and an existing file is replaced only when the user allows it.
namespace SafeOutput {

// True when both paths name the same existing file, or resolve to the same
// canonical path.
bool isSameFile(const QString &a, const QString &b);

// The final path with its folder resolved (links, "." and ".."), so that two
// spellings of one output compare equal even before the file exists.
QString canonicalOutputPath(const QString &path);

// True when the path names an entry inside the folder or one of its
// subfolders once "." and ".." are resolved: whatever built the name ("../",
// "/" or "." in an extension), nothing is written elsewhere.
bool isInside(const QString &path, const QString &folder);

// A hidden name beside the final one that keeps its extension (ffmpeg picks
// the muxer from it) and names its owner, this process:
// "/out/.Song.vireo-<machine>-<boot>-<pid>-<start time>-<random>.mp3". The name is no
// longer than the final one (or than a short name): the stem is cut, at a
// character boundary, so it fits wherever the final name fits.
QString temporaryPathFor(const QString &finalPath);

// Removes from `folder` the temporary files that runs which no longer exist
// left behind (killed, or a power loss): only names of the exact form above
// written on this machine whose owner process is gone, whose id now belongs
// to another process, or that were written before the last boot.
// Files of live runs, of other machines and everything else stay. Returns how
// many it removed. Reads the folder: never on the UI thread.
int removeStaleTemporaries(const QString &folder);

// removeStaleTemporaries() on the thread pool, the first time this process
// writes into `folder`.
void sweepFolderOnce(const QString &folder);

// Why an output that is one of the inputs is refused.
QString replacesInputMessage(const QString &finalPath);

// ffmpeg's own wording for an output that exists while overwriting is off.
QString alreadyExistsMessage(const QString &finalPath);

// Checks that the temporary output holds something; a missing or empty file
// is an error message.
std::optional<QString> verifyOutput(const QString &temporaryPath);

// Moves the finished temporary file to its final name. With `overwrite` off
// an existing final file (also one that appeared during the conversion) is
// never replaced. Returns the error message on failure; the temporary file
// is then still there for the caller to remove.
std::optional<QString> commitOutput(const QString &temporaryPath, const QString &finalPath,
                                    bool overwrite);

} // namespace SafeOutput
