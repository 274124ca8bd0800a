#pragma once

#include <QObject>

// The one shape of every asynchronous operation of the core (process run,
// ffmpeg run, probe, image conversion, job): an object that is already
// running when it is handed out, can be asked to cancel(), and emits
// finished() exactly once, always from the event loop (never from inside the
// call that created it), so a caller can connect after starting it.
// The result is read from the subclass once finished() has been emitted.
class Operation : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Operation)

public:
    ~Operation() override;

    // Cooperative: records the request and lets the subclass stop its work.
    // The operation still finishes normally, with whatever outcome the
    // subclass decides a cancelled run has.
    void cancel();
    bool isCancelled() const { return m_cancelled; }
    bool isFinished() const { return m_finished; }

Q_SIGNALS:
    void finished();

protected:
    explicit Operation(QObject *parent = nullptr);

    // Called once, on the first cancel(), while the operation has not finished.
    virtual void onCancel() { }

    // Marks the operation finished and queues the finished() signal.
    // Later calls are ignored.
    void finish();

private:
    bool m_cancelled = false;
    bool m_finished = false;
};
