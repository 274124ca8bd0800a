#pragma once

#include "model/Media.h"

#include <QDialog>
#include <QList>
#include <QTimer>

class JobQueue;
class QLabel;
class QPushButton;
class QScrollArea;
class QVBoxLayout;
class RunRecord;
class ShimmerProgressBar;

// The window-modal sheet shown while the workspace's queue runs: how many
// files are done and failed, the overall progress, every file in flight, the
// elapsed time and an estimate of the time left. It opens when the queue
// starts and closes when it stops; the user can only cancel the run (the
// Cancel button or Escape), not dismiss the sheet.
class ProgressSheet final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ProgressSheet)

public:
    // The counts are those of `record`, the run's own.
    ProgressSheet(JobQueue &queue, const RunRecord &record, QWidget *parent);
    ~ProgressSheet() override;

    // The items in flight, in the order they started.
    QList<MediaPtr> inFlight() const;
    // Cancel was asked for and the run has not stopped yet.
    bool isCancelling() const { return m_cancelling; }

public Q_SLOTS:
    // Escape cancels the run; the sheet stays until the queue has stopped.
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    class InFlightRow;

    void runningChanged();
    void refresh();
    void updateRows();

    JobQueue &m_queue;
    const RunRecord &m_record;
    bool m_cancelling = false;
    QLabel *m_title = nullptr;
    QLabel *m_counts = nullptr;
    QWidget *m_failed = nullptr;
    QLabel *m_failedText = nullptr;
    ShimmerProgressBar *m_bar = nullptr;
    QScrollArea *m_scroll = nullptr;
    QVBoxLayout *m_rowsLayout = nullptr;
    QLabel *m_timeLine = nullptr;
    QPushButton *m_cancel = nullptr;
    QList<InFlightRow *> m_rows;
    // The most rows this run has shown, and how tall one is.
    int m_slots = 0;
    int m_rowHeight = 0;
    QTimer m_refreshTimer;
    QTimer m_spinTimer;
};
