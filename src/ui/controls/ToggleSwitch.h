#pragma once

#include <QAbstractButton>

// An on/off switch with its text on the left and the switch at the trailing
// edge, for settings that take effect at once (a check box reads as a form
// field waiting for a confirm step). The text wraps in a narrow panel.
class ToggleSwitch final : public QAbstractButton {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ToggleSwitch)

public:
    explicit ToggleSwitch(const QString &text, QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool hitButton(const QPoint &pos) const override;

private:
    QRect textRect(int width) const;
};
