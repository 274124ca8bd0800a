#pragma once

#include <QColor>
#include <QPixmap>
#include <QPointF>
#include <QVariantAnimation>
#include <QWidget>

// A soft disc of colour that drifts slowly back and forth behind the splash
// screen. Purely decorative: it takes no input and animates only while it
// is visible. The gradient is drawn once into a pixmap; a frame only moves
// the widget, which Qt repaints when it crosses a whole pixel.
class AnimatedOrb final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AnimatedOrb)

public:
    // The orb swings between its centre and its centre moved by offset, one
    // way in nine seconds; phase (0 to 1) says where in that swing it starts.
    AnimatedOrb(const QColor &color, int size, QPointF offset, qreal phase,
                QWidget *parent = nullptr);

    QColor color() const { return m_color; }
    void setColor(const QColor &color);
    int orbSize() const { return m_size; }
    QPointF offset() const { return m_offset; }

    // Where the orb rests, in its parent's coordinates.
    void setCentre(QPointF centre);

    bool isDrifting() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void place();

    QColor m_color;
    int m_size;
    QPointF m_offset;
    QPointF m_centre;
    qreal m_drift = 0;
    int m_phaseMs = 0;
    QPixmap m_cache;
    QVariantAnimation m_animation;
};
