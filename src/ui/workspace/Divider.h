#pragma once

#include <QWidget>

// A one-pixel line between header parts, drawn from the palette in force:
// a sunken frame uses the Light role, which stays bright in dark palettes
// that do not set it.
class Divider final : public QWidget {
public:
    explicit Divider(Qt::Orientation orientation, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
