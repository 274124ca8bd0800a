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
class ShimmerProgressBar;

// The window-modal sheet shown while the workspace's queue runs: how many
// files are done and failed, the overall progress, the files in flight, the
// elapsed time and an estimate of the time left. It opens when the queue
// starts and closes when it stops; the user can only cancel the run (the
// Cancel button or Escape), not dismiss the sheet.
class ProgressSheet final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ProgressSheet)

public:
    ProgressSheet(JobQueue &queue, QWidget *parent);
    ~ProgressSheet() override;

    // The workspace's items: rows that appear together follow their order,
    // which is the order in which the queue starts them.
    void setMedia(const QList<MediaPtr> &media);

    // The items in flight, in the order they started.
    QList<MediaPtr> inFlight() const;

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
    QList<MediaPtr> m_media;
    QLabel *m_counts = nullptr;
    QWidget *m_failed = nullptr;
    QLabel *m_failedText = nullptr;
    ShimmerProgressBar *m_bar = nullptr;
    QScrollArea *m_scroll = nullptr;
    QVBoxLayout *m_rowsLayout = nullptr;
    QLabel *m_timeLine = nullptr;
    QPushButton *m_cancel = nullptr;
    QList<InFlightRow *> m_rows;
    QTimer m_refreshTimer;
    QTimer m_spinTimer;
};
