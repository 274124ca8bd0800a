#include "ui/main/AnimatedOrb.h"

#include <QPainter>
#include <QRadialGradient>

#include <cmath>
#include <utility>

namespace {

constexpr int swingMs = 9000;

} // namespace

AnimatedOrb::AnimatedOrb(const QColor &color, int size, QPointF offset, qreal phase,
                         QWidget *parent)
    : QWidget(parent)
    , m_color(color)
    , m_size(size)
    , m_offset(offset)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    resize(size, size);

    m_animation.setStartValue(0.0);
    m_animation.setEndValue(1.0);
    m_animation.setDuration(swingMs);
    m_animation.setEasingCurve(QEasingCurve::InOutSine);
    m_animation.setLoopCount(1);
    connect(&m_animation, &QVariantAnimation::valueChanged, this, [this](const QVariant &value) {
        m_drift = value.toReal();
        place();
    });
    // Back and forth for ever: every swing ends by turning round.
    connect(&m_animation, &QVariantAnimation::finished, this, [this] {
        m_animation.setDirection(m_animation.direction() == QAbstractAnimation::Forward
                                     ? QAbstractAnimation::Backward
                                     : QAbstractAnimation::Forward);
        m_animation.start();
    });
    m_phaseMs = int(std::clamp(phase, 0.0, 1.0) * swingMs);
    m_drift = m_animation.easingCurve().valueForProgress(std::clamp(phase, 0.0, 1.0));
}

void AnimatedOrb::setColor(const QColor &color)
{
    if (color == m_color)
        return;
    m_color = color;
    m_cache = {};
    update();
}

void AnimatedOrb::setCentre(QPointF centre)
{
    m_centre = centre;
    place();
}

bool AnimatedOrb::isDrifting() const
{
    return m_animation.state() == QAbstractAnimation::Running;
}

void AnimatedOrb::place()
{
    const QPointF at = m_centre + m_offset * m_drift - QPointF(m_size, m_size) / 2;
    move(std::lround(at.x()), std::lround(at.y()));
}

void AnimatedOrb::paintEvent(QPaintEvent *)
{
    const qreal ratio = devicePixelRatioF();
    if (m_cache.isNull() || !qFuzzyCompare(m_cache.devicePixelRatio(), ratio)) {
        m_cache = QPixmap(QSize(m_size, m_size) * ratio);
        m_cache.setDevicePixelRatio(ratio);
        m_cache.fill(Qt::transparent);
        QPainter painter(&m_cache);
        painter.setRenderHint(QPainter::Antialiasing);
        const qreal radius = m_size / 2.0;
        QRadialGradient gradient(QPointF(radius, radius), radius);
        QColor inner = m_color;
        QColor middle = m_color;
        middle.setAlphaF(m_color.alphaF() * 0.45);
        QColor outer = m_color;
        outer.setAlphaF(0);
        gradient.setColorAt(0, inner);
        gradient.setColorAt(0.55, middle);
        gradient.setColorAt(1, outer);
        painter.setPen(Qt::NoPen);
        painter.setBrush(gradient);
        painter.drawEllipse(QRectF(0, 0, m_size, m_size));
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_cache);
}

void AnimatedOrb::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_animation.state() == QAbstractAnimation::Paused)
        m_animation.resume();
    else if (m_animation.state() == QAbstractAnimation::Stopped) {
        // Starting rewinds; the phase applies to the first swing only.
        m_animation.start();
        m_animation.setCurrentTime(std::exchange(m_phaseMs, 0));
    }
}

void AnimatedOrb::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (m_animation.state() == QAbstractAnimation::Running)
        m_animation.pause();
}
