#include "tools/UnixSignalWatcher.h"

#include <QSocketNotifier>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <semaphore.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

int signalSockets[2] = {-1, -1};
std::atomic_int firstSignal {0};
sem_t signalled; // posted by the handler: sem_post is async-signal-safe

// Only async-signal-safe work here: one byte into the socket.
void onSignal(int number)
{
    const unsigned char byte = static_cast<unsigned char>(number);
    [[maybe_unused]] const auto written = ::write(signalSockets[0], &byte, 1);
    int none = 0;
    if (firstSignal.compare_exchange_strong(none, number))
        ::sem_post(&signalled);
}

} // namespace

UnixSignalWatcher::UnixSignalWatcher(const QList<int> &signalNumbers, QObject *parent)
    : QObject(parent)
{
    ::sem_init(&signalled, 0, 0);
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalSockets) != 0)
        return;
    m_notifier = new QSocketNotifier(signalSockets[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        unsigned char byte = 0;
        if (::read(signalSockets[1], &byte, 1) == 1)
            Q_EMIT received(int(byte));
    });
    struct sigaction action { };
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int number : signalNumbers)
        sigaction(number, &action, nullptr);
}

UnixSignalWatcher::~UnixSignalWatcher()
{
    delete m_notifier;
    ::close(signalSockets[0]);
    ::close(signalSockets[1]);
    signalSockets[0] = signalSockets[1] = -1;
}

void UnixSignalWatcher::armExitDeadline(std::chrono::milliseconds grace,
                                        std::function<void()> lastWords)
{
    std::thread([grace, lastWords = std::move(lastWords)] {
        while (::sem_wait(&signalled) != 0) { }
        std::this_thread::sleep_for(grace);
        lastWords();
        std::fflush(stdout);
        std::fflush(stderr);
        ::_exit(128 + firstSignal.load());
    }).detach();
}
