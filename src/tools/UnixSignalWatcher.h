#pragma once

#include <QList>
#include <QObject>

#include <chrono>
#include <functional>

class QSocketNotifier;

// Turns SIGINT, SIGTERM and SIGHUP into a Qt signal on the event loop, so a
// terminal's Ctrl+C or a logout ends a batch the orderly way: running tools
// stopped, temporary outputs removed. One per process.
class UnixSignalWatcher final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(UnixSignalWatcher)

public:
    explicit UnixSignalWatcher(const QList<int> &signalNumbers, QObject *parent = nullptr);
    ~UnixSignalWatcher() override;

    // From the first signal on, the process has `grace` to end the orderly
    // way; after that `lastWords` runs on a thread of its own and the process
    // ends with 128 + the signal's number, also when the event loop cannot
    // get there (threads stuck in the kernel on a stalled network share).
    void armExitDeadline(std::chrono::milliseconds grace, std::function<void()> lastWords);

Q_SIGNALS:
    void received(int signalNumber);

private:
    QSocketNotifier *m_notifier = nullptr;
};
