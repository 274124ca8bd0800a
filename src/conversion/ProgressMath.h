#pragma once

#include "conversion/Totals.h"

#include <QString>

#include <optional>

// How far a run is and how long it may still take, shared by the window's
// progress sheet and the command line.
namespace ProgressMath {

// How far one file is, from the position ffmpeg reached and the file's play
// length: within 0 to 1, and nothing when either is unknown or not a number.
std::optional<double> fileProgress(std::optional<double> outTimeSeconds, double duration);

// (completed + failed + the progress of the items in flight) / total, at most 1.
double overallProgress(const Totals &totals, double inFlightProgress);

// Seconds left, when enough is known to say: after the first 1.5 s and past 2 %.
std::optional<double> estimateRemaining(double elapsedSeconds, double fraction);

// "1:05" below an hour, "1:01:05" from an hour on; seconds rounded half away from zero.
QString formatDuration(double seconds);

// "Elapsed 0:20 · ETA 0:20", "Elapsed 0:41 · Finishing…" or "Elapsed 0:01".
QString timeLine(double elapsedSeconds, std::optional<double> estimate, bool isRunning);

} // namespace ProgressMath
