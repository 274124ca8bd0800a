#include "conversion/OutputLocks.h"

OutputLocks &OutputLocks::instance()
{
    static OutputLocks *locks = new OutputLocks;
    return *locks;
}

bool OutputLocks::tryAcquire(const QString &canonicalPath)
{
    if (m_held.contains(canonicalPath))
        return false;
    m_held.insert(canonicalPath);
    return true;
}

void OutputLocks::release(const QString &canonicalPath)
{
    if (m_held.remove(canonicalPath))
        Q_EMIT released(canonicalPath);
}
