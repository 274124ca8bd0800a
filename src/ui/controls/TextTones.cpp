#include "ui/controls/TextTones.h"

#include <QPalette>
#include <QWidget>

namespace TextTones {

QColor secondary(const QWidget *widget)
{
    QColor color = widget->palette().color(QPalette::WindowText);
    color.setAlphaF(0.65f);
    return color;
}

void setErrorText(QWidget *widget)
{
    // Readable on the light and on the dark window colours.
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, QColor(0xd0, 0x2c, 0x2c));
    widget->setPalette(palette);
}

} // namespace TextTones
