#include "ui/workspace/Divider.h"

#include <QPainter>

Divider::Divider(Qt::Orientation orientation, QWidget *parent)
    : QWidget(parent)
{
    if (orientation == Qt::Vertical)
        setFixedSize(1, 18);
    else
        setFixedHeight(1);
}

void Divider::paintEvent(QPaintEvent *)
{
    QColor color = palette().color(QPalette::WindowText);
    color.setAlphaF(0.2f);
    QPainter(this).fillRect(rect(), color);
}
