#include "conversion/OffMainThread.h"

#include <QCoreApplication>
#include <QThread>
#include <QtGlobal>

#include <atomic>

namespace {
std::atomic_int g_violations {0};
}

void OffMainThread::check(const char *what)
{
    const QCoreApplication *app = QCoreApplication::instance();
    if (!app || QThread::currentThread() != app->thread())
        return;
    ++g_violations;
    qWarning("%s ran on the main thread", what);
}

int OffMainThread::violations()
{
    return g_violations;
}
