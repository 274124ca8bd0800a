#pragma once

#include "model/Operation.h"
#include "tools/ProbeResult.h"

#include <QString>

#include <atomic>
#include <memory>
#include <optional>

template<typename T> class QFutureWatcher;

// Reads what a file contains with libavformat, inside this process. Only
// regular files are opened, by a descriptor of our own, so a name is never
// taken for a protocol ("concat:…") or a pattern ("%d"), and nothing else is
// ever opened on the file's behalf. A probe reads a bounded amount and gives
// up after a fixed time. Every failure (missing, unreadable or non-media
// file, a timeout, a cancellation) yields nothing.

// Blocking: reads on the calling thread, which must not be the main thread.
// `cancelled`, when given, is polled while reading and ends the probe early.
std::optional<ProbeResult> probeMedia(const QString &path,
                                      const std::atomic_bool *cancelled = nullptr);

// The asynchronous probe: reads on a pool thread, reports on the thread the
// operation lives on.
class ProbeRun final : public Operation {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ProbeRun)

public:
    ~ProbeRun() override;

    // Valid once finished(); nothing on any failure or after cancel().
    const std::optional<ProbeResult> &result() const { return m_result; }
    // The read did not return within the deadline (a stalled network share):
    // the probe finished without it and left its thread behind.
    bool timedOut() const { return m_timedOut; }

private:
    friend ProbeRun *probeMediaAsync(const QString &path, QObject *parent);
    explicit ProbeRun(QObject *parent);
    void onCancel() override;
    void awaitDeadline(int milliseconds);

    // Shared with the pool thread, which may outlive this object by one read.
    std::shared_ptr<std::atomic_bool> m_stop;
    std::shared_ptr<std::atomic<qint64>> m_began; // monotonic ms, 0 until it began
    QFutureWatcher<std::optional<ProbeResult>> *m_watcher = nullptr;
    std::optional<ProbeResult> m_result;
    bool m_timedOut = false;
};

ProbeRun *probeMediaAsync(const QString &path, QObject *parent = nullptr);
