#pragma once

#include <QLabel>

// A label that gives way in a tight layout: it shortens its text in the
// middle ("Interv…art 1.flac") instead of growing.
class ElidedLabel final : public QLabel {
public:
    explicit ElidedLabel(const QString &text = {}, int minimumWidth = 40,
                         QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
