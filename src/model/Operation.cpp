#include "model/Operation.h"

#include <QMetaObject>

Operation::Operation(QObject *parent)
    : QObject(parent)
{
}

Operation::~Operation() = default;

void Operation::cancel()
{
    if (m_cancelled)
        return;
    m_cancelled = true;
    if (!m_finished)
        onCancel();
}

void Operation::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    QMetaObject::invokeMethod(this, &Operation::finished, Qt::QueuedConnection);
}
