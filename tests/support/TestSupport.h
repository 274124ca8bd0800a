#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class Operation;

namespace TestSupport {

// Path of the test-only fake tool (see tests/faketool).
QString fakeTool();

// Runs the real ffmpeg synchronously to make a test file:
// ffmpeg -y -hide_banner -loglevel error <arguments> <output>.
// Fails the current test (QVERIFY-style, returns false) when ffmpeg fails.
bool makeMedia(const QString &output, const QStringList &arguments);

// A sine tone of the given length, encoded by the output's extension.
bool makeTone(const QString &output, double seconds = 1.0);

// Runs the event loop until the operation finished or the timeout ran out.
bool waitFor(Operation *operation, int timeoutMs = 60000);

// Runs the event loop until the condition holds or the timeout ran out.
bool waitUntil(const std::function<bool()> &condition, int timeoutMs = 60000);

// Child processes of this process that are still alive (from /proc).
QStringList liveChildren();

// Resident memory of this process in kibibytes (from /proc/self/status).
qint64 residentKiB();

} // namespace TestSupport
