#include "ui/workspace/BatchPopover.h"

#include "ui/workspace/BatchPanel.h"

#include <QMouseEvent>
#include <QScreen>
#include <QVBoxLayout>

BatchPopover::BatchPopover(QWidget *anchor, QWidget *parent)
    : QFrame(parent, Qt::Popup)
    , m_anchor(anchor)
    , m_panel(new BatchPanel)
{
    setObjectName(QStringLiteral("batchPopover"));
    setFrameShape(QFrame::StyledPanel);
    m_panel->setObjectName(QStringLiteral("batchPanel"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(m_panel);
}

void BatchPopover::popUp(const BatchSettings &batch)
{
    m_panel->setBatch(batch);
    adjustSize();
    const QSize size = sizeHint();
    QPoint position = m_anchor->mapToGlobal(
        QPoint(m_anchor->width() / 2 - size.width() / 2, m_anchor->height() + 2));
    QRect room = m_anchor->window()->geometry();
    if (const QScreen *screen = m_anchor->screen())
        room = room.intersected(screen->availableGeometry());
    position.setX(
        std::clamp(position.x(), room.left(), std::max(room.left(), room.right() - size.width())));
    move(position);
    show();
}

void BatchPopover::mousePressEvent(QMouseEvent *event)
{
    const QPoint global = event->globalPosition().toPoint();
    if (!rect().contains(event->position().toPoint())
        && QRect(m_anchor->mapToGlobal(QPoint()), m_anchor->size()).contains(global))
        setAttribute(Qt::WA_NoMouseReplay);
    QFrame::mousePressEvent(event);
}

void BatchPopover::hideEvent(QHideEvent *event)
{
    QFrame::hideEvent(event);
    Q_EMIT hidden();
}
