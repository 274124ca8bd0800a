#include "ui/workspace/Glyph.h"

#include <QPainter>
#include <QPixmap>
#include <QWidget>

Glyph Glyph::find(std::initializer_list<const char *> names, QStyle::StandardPixmap fallback,
                  const QWidget *widget)
{
    for (const char *name : names) {
        const QIcon icon = QIcon::fromTheme(QLatin1String(name));
        if (!icon.isNull())
            return {icon, QLatin1String(name).endsWith(QLatin1String("-symbolic"))};
    }
    return {widget->style()->standardIcon(fallback, nullptr, widget), false};
}

QIcon Glyph::tinted(const QColor &color) const
{
    if (!tintable)
        return icon;
    QIcon result;
    for (int size : {16, 22, 32}) {
        QPixmap pixmap = icon.pixmap(size, size);
        QPainter painter(&pixmap);
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(pixmap.rect(), color);
        painter.end();
        result.addPixmap(pixmap);
    }
    return result;
}
