#include "ui/controls/ShimmerProgressBar.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

constexpr int barHeight = 8;
constexpr qreal bandWidth = 80;
constexpr qint64 sweepMs = 1600;
constexpr int frameMs = 33;

} // namespace

ShimmerProgressBar::ShimmerProgressBar(QWidget *parent)
    : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_frameTimer.setInterval(frameMs);
    connect(&m_frameTimer, &QTimer::timeout, this, qOverload<>(&QWidget::update));
}

void ShimmerProgressBar::setValue(double value)
{
    value = std::isfinite(value) ? std::clamp(value, 0.0, 1.0) : 0.0;
    if (value == m_value)
        return;
    m_value = value;
    update();
}

void ShimmerProgressBar::setActive(bool active)
{
    if (active == m_active)
        return;
    m_active = active;
    updateAnimation();
    update();
}

QSize ShimmerProgressBar::sizeHint() const
{
    return {240, barHeight};
}

QSize ShimmerProgressBar::minimumSizeHint() const
{
    return {40, barHeight};
}

void ShimmerProgressBar::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    updateAnimation();
}

void ShimmerProgressBar::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    updateAnimation();
}

void ShimmerProgressBar::updateAnimation()
{
    // Frames are drawn only while someone can see the band move.
    if (m_active && isVisible()) {
        if (!m_frameTimer.isActive()) {
            m_phase.start();
            m_frameTimer.start();
        }
    } else {
        m_frameTimer.stop();
    }
}

void ShimmerProgressBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF track = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal radius = track.height() / 2;

    QColor trackColor = palette().color(QPalette::WindowText);
    trackColor.setAlphaF(0.15f);
    painter.setPen(Qt::NoPen);
    painter.setBrush(trackColor);
    painter.drawRoundedRect(track, radius, radius);

    if (m_value <= 0)
        return;
    QRectF fill = track;
    fill.setWidth(std::max(track.height(), track.width() * m_value));
    QPainterPath fillPath;
    fillPath.addRoundedRect(fill, radius, radius);

    const QColor accent = palette().color(QPalette::Highlight);
    QLinearGradient gradient(fill.topLeft(), fill.topRight());
    gradient.setColorAt(0, accent.lighter(130));
    gradient.setColorAt(1, accent);
    painter.fillPath(fillPath, gradient);

    if (!m_active || !m_frameTimer.isActive())
        return;
    // The band enters from the left of the fill and leaves at its right.
    const qreal phase = qreal(m_phase.elapsed() % sweepMs) / sweepMs;
    const qreal x = fill.left() - bandWidth + phase * (fill.width() + bandWidth);
    QLinearGradient band(QPointF(x, 0), QPointF(x + bandWidth, 0));
    band.setColorAt(0, QColor(255, 255, 255, 0));
    band.setColorAt(0.5, QColor(255, 255, 255, 110));
    band.setColorAt(1, QColor(255, 255, 255, 0));
    painter.setClipPath(fillPath);
    painter.fillRect(QRectF(x, fill.top(), bandWidth, fill.height()), band);
}
