#pragma once

// The job's disk work belongs on the pool: a stat, a rename or a file read on
// the GUI thread stalls the window for as long as the disk takes. The
// helpers that do such work call check(); a call on the application's main
// thread is counted and named in the log, and the tests that run every route
// require the count to stay zero.
namespace OffMainThread {

void check(const char *what);
int violations();

} // namespace OffMainThread
