#pragma once

#include <QFrame>

class BatchPanel;
struct BatchSettings;

// The popover of the "Trim" button, holding the batch panel. A click on its
// button while it is open only closes it, instead of closing it and opening
// it again.
class BatchPopover final : public QFrame {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BatchPopover)

public:
    BatchPopover(QWidget *anchor, QWidget *parent);

    BatchPanel *panel() const { return m_panel; }
    // Shows `batch` under the anchor, inside the anchor's window.
    void popUp(const BatchSettings &batch);

Q_SIGNALS:
    void hidden();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QWidget *m_anchor;
    BatchPanel *m_panel;
};
