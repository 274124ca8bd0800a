#pragma once

#include "conversion/BatchSettings.h"

#include <QWidget>

#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;
class ToggleSwitch;

// The trim range and, in the video workspace, the scale of one batch. Shown
// in a popover from the workspace's "Trim" button; every edit is reported at
// once.
class BatchPanel final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BatchPanel)

public:
    explicit BatchPanel(QWidget *parent = nullptr);

    const BatchSettings &batch() const { return m_batch; }
    void setBatch(const BatchSettings &batch);

    // The scale picker is offered for videos only.
    void setShowsScale(bool shows);

Q_SIGNALS:
    void batchChanged(const BatchSettings &batch);

private:
    void edit(const std::function<void(BatchSettings &)> &change);
    void showBatch();

    BatchSettings m_batch;
    bool m_showsScale = false;
    ToggleSwitch *m_trim = nullptr;
    QWidget *m_range = nullptr;
    QLineEdit *m_start = nullptr;
    QLineEdit *m_end = nullptr;
    QLabel *m_trimProblem = nullptr;
    QWidget *m_scaleSection = nullptr;
    QComboBox *m_scale = nullptr;
};
