#pragma once

// The per-process limit on open file descriptors. Each running tool holds a
// few (its output pipes, its process descriptor), so a large batch needs more
// than the usual soft limit of 1024.
namespace ResourceLimits {

// Raises the soft limit to the hard one. Called once at start, before any
// thread or child exists; children get the original soft limit back (see
// restoreInChild), since some programs still use select().
void raiseOpenFileLimit();

// Puts the soft limit back as it was before raiseOpenFileLimit(). For the
// child between fork and exec: async-signal-safe.
void restoreInChild();

// How many tool runs may go on at once with the descriptors still free, at
// least 1: what is free now, less a reserve for everything else, divided by
// what one conversion holds at most.
int concurrentRuns();

} // namespace ResourceLimits
