#include "model/WorkPool.h"

#include <QCoreApplication>
#include <QMutex>
#include <QPointer>
#include <QThread>
#include <QThreadPool>

QThreadPool *WorkPool::instance()
{
    static QMutex lock;
    static QPointer<QThreadPool> pool;
    const QMutexLocker locked(&lock);
    if (!pool) {
        // A child of the application: made where it lives, before any task
        // that could ask for it runs.
        Q_ASSERT(QThread::currentThread() == QCoreApplication::instance()->thread());
        pool = new QThreadPool(QCoreApplication::instance());
        pool->setObjectName(QStringLiteral("vireo work"));
    }
    return pool;
}
