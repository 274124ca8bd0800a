#pragma once

#include "model/Operation.h"

#include <QMetaObject>
#include <QString>

#include <functional>
#include <optional>

// Work for the thread pool in the shape of an Operation: the work runs once,
// its problem (if any) is read once finished(). A cancel cannot stop work
// already on the pool; the operation finishes when the work returns. Deleting
// the operation does not wait for the work.
class PoolStep final : public Operation {
public:
    using Work = std::function<std::optional<QString>()>;
    static PoolStep *run(Work work, QObject *parent);

    const std::optional<QString> &problem() const { return m_problem; }

private:
    explicit PoolStep(QObject *parent);

    std::optional<QString> m_problem;
};

// Waits until this process holds the lock of an output path that other jobs
// may be writing (OutputLocks); `acquired` is told at once, so a cancel that
// arrives later still finds the lock to release. A cancel ends the wait.
class OutputLockWait final : public Operation {
public:
    static OutputLockWait *run(const QString &canonicalPath, std::function<void()> acquired,
                               QObject *parent);

private:
    OutputLockWait(const QString &canonicalPath, std::function<void()> acquired, QObject *parent);
    void tryAcquire();
    void onCancel() override;

    const QString m_path;
    const std::function<void()> m_acquired;
    QMetaObject::Connection m_wait;
};
