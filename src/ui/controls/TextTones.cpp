#include "ui/controls/TextTones.h"

#include <QApplication>
#include <QEvent>
#include <QPalette>
#include <QWidget>

namespace {

class FaintText final : public QObject {
public:
    FaintText(QWidget *widget, float opacity)
        : QObject(widget)
        , m_opacity(opacity)
    {
        widget->installEventFilter(this);
        apply(widget);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::PaletteChange:
        case QEvent::ParentChange:
        case QEvent::Show:
            apply(static_cast<QWidget *>(watched));
            break;
        default:
            break;
        }
        return false;
    }

private:
    void apply(QWidget *widget) const
    {
        // The widget's own text colour is the one set here: the base comes
        // from around it.
        const QWidget *parent = widget->parentWidget();
        QColor colour = (parent ? parent->palette() : QApplication::palette(widget))
                            .color(QPalette::WindowText);
        colour.setAlphaF(m_opacity);
        // Setting the palette sends another PaletteChange: stop when settled.
        if (widget->palette().color(QPalette::WindowText) == colour)
            return;
        QPalette palette = widget->palette();
        palette.setColor(QPalette::WindowText, colour);
        widget->setPalette(palette);
    }

    float m_opacity;
};

} // namespace

namespace TextTones {

QColor secondary(const QWidget *widget)
{
    QColor color = widget->palette().color(QPalette::WindowText);
    color.setAlphaF(0.65f);
    return color;
}

void keepFaint(QWidget *widget, float opacity)
{
    new FaintText(widget, opacity);
}

void setErrorText(QWidget *widget)
{
    // Readable on the light and on the dark window colours.
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, QColor(0xd0, 0x2c, 0x2c));
    widget->setPalette(palette);
}

} // namespace TextTones
