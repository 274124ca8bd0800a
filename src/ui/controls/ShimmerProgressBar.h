#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

// The overall progress bar of the progress sheet: a rounded track filled to
// the value with an accent gradient; while active, a highlight band sweeps
// across the fill once every 1.6 seconds.
class ShimmerProgressBar final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ShimmerProgressBar)

public:
    explicit ShimmerProgressBar(QWidget *parent = nullptr);

    double value() const { return m_value; }
    // A fraction from 0 to 1; other values are clamped.
    void setValue(double value);

    bool isActive() const { return m_active; }
    void setActive(bool active);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void updateAnimation();

    double m_value = 0.0;
    bool m_active = false;
    QTimer m_frameTimer;
    QElapsedTimer m_phase;
};
