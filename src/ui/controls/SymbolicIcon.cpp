#include "ui/controls/SymbolicIcon.h"

#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPalette>

namespace {

class TintedEngine final : public QIconEngine {
public:
    explicit TintedEngine(QIcon source)
        : m_source(std::move(source))
    {
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        painter->drawPixmap(rect, scaledPixmap(rect.size(), mode, state, ratio));
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }

    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override
    {
        QPixmap pixmap = m_source.pixmap(size, scale, QIcon::Normal, state);
        const QPalette::ColorGroup group
            = mode == QIcon::Disabled ? QPalette::Disabled : QPalette::Active;
        QPainter painter(&pixmap);
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(QRectF(QPointF(0, 0), pixmap.deviceIndependentSize()),
                         QGuiApplication::palette().color(group, QPalette::WindowText));
        return pixmap;
    }

    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return m_source.actualSize(size, mode, state);
    }

    QIconEngine *clone() const override { return new TintedEngine(m_source); }

private:
    QIcon m_source;
};

} // namespace

QIcon symbolicIcon(std::initializer_list<const char *> names)
{
    for (const char *name : names) {
        QIcon icon = QIcon::fromTheme(QLatin1String(name));
        if (!icon.isNull())
            return QIcon(new TintedEngine(std::move(icon)));
    }
    return {};
}
