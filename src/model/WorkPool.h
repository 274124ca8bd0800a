#pragma once

class QThreadPool;

// The threads that our background work runs on: imports and their
// classification, reading and checking files, image codecs, the steps of a
// conversion. Not Qt's global pool: the raster painter splits a large fill
// over that one and waits for it, so a window would stall behind whatever
// work sat there.
namespace WorkPool {

// Made on first use and owned by the application, whose end waits for the
// tasks still running, as it does for Qt's global pool.
QThreadPool *instance();

} // namespace WorkPool
