#pragma once

#include <QWidget>

class MediaSet;
class QLabel;
class QToolButton;
class QTreeWidget;

// A bar across the top of the window that tells how many dropped or chosen
// files and folders could not be imported, with the list of them and the
// reason for each on request. Hidden while there is nothing to tell; the
// close button forgets what was reported, so the next failure starts afresh.
class SkippedPathsBanner final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SkippedPathsBanner)

public:
    explicit SkippedPathsBanner(MediaSet &set, QWidget *parent = nullptr);

    QString summary() const;
    bool detailsShown() const;
    void setDetailsShown(bool shown);
    QTreeWidget *details() const { return m_details; }
    QToolButton *detailsButton() const { return m_detailsButton; }
    QToolButton *dismissButton() const { return m_dismissButton; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void sync();
    void fitDetails();

    MediaSet &m_set;
    QLabel *m_icon;
    QLabel *m_summary;
    QToolButton *m_detailsButton;
    QToolButton *m_dismissButton;
    QTreeWidget *m_details;
    // How many of the set's skipped paths the details list holds.
    qsizetype m_listed = 0;
};
