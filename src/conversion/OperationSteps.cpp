#include "conversion/OperationSteps.h"

#include "conversion/OutputLocks.h"
#include "model/WorkPool.h"

#include <QFutureWatcher>
#include <QtConcurrent>

PoolStep::PoolStep(QObject *parent)
    : Operation(parent)
{
}

PoolStep *PoolStep::run(Work work, QObject *parent)
{
    auto *step = new PoolStep(parent);
    auto *watcher = new QFutureWatcher<std::optional<QString>>(step);
    connect(watcher, &QFutureWatcherBase::finished, step, [step, watcher] {
        step->m_problem = watcher->result();
        step->finish();
    });
    watcher->setFuture(QtConcurrent::run(WorkPool::instance(), std::move(work)));
    return step;
}

OutputLockWait::OutputLockWait(const QString &canonicalPath, std::function<void()> acquired,
                               QObject *parent)
    : Operation(parent)
    , m_path(canonicalPath)
    , m_acquired(std::move(acquired))
{
}

OutputLockWait *OutputLockWait::run(const QString &canonicalPath, std::function<void()> acquired,
                                    QObject *parent)
{
    auto *wait = new OutputLockWait(canonicalPath, std::move(acquired), parent);
    wait->tryAcquire();
    return wait;
}

void OutputLockWait::tryAcquire()
{
    OutputLocks &locks = OutputLocks::instance();
    if (locks.tryAcquire(m_path)) {
        disconnect(m_wait);
        m_acquired();
        finish();
        return;
    }
    if (!m_wait)
        m_wait = connect(&locks, &OutputLocks::released, this, [this](const QString &path) {
            if (path == m_path)
                tryAcquire();
        });
}

void OutputLockWait::onCancel()
{
    disconnect(m_wait);
    finish();
}
