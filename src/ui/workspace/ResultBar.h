#pragma once

#include "model/MediaTarget.h"
#include "ui/workspace/BatchOutcome.h"

#include <QFrame>

class QLabel;
class QTreeWidget;
class QPushButton;
class QToolButton;
class RunRecord;

// The bar over the file table that tells how the last batch went, until the
// user dismisses it: how many files were converted, skipped and failed, the
// size of what went in and came out, the destination to open, and the
// failures with their reasons, which can be copied.
class ResultBar final : public QFrame {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ResultBar)

public:
    explicit ResultBar(QWidget *parent = nullptr);

    // A run starts; the bar hides until it ends.
    void runStarted(const MediaTarget &target, const QString &destination);
    // The run ended as the record tells: sizes are read off the main thread,
    // then the bar shows.
    void runFinished(const RunRecord &record);
    // The view now shows this group: the bar speaks of its run's group only.
    void setShownGroup(MediaGroup group);

    const BatchOutcome &outcome() const { return m_outcome; }
    QString summary() const;

Q_SIGNALS:
    // The outcome is complete and showing.
    void outcomeShown();

private:
    void showOutcome(const BatchOutcome &outcome);
    void showDetails(bool shown);
    void fitFailureList();

    MediaTarget m_target;
    QString m_destination;
    BatchOutcome m_outcome;
    quint64 m_run = 0;
    bool m_hasOutcome = false; // shown until dismissed or the next run
    bool m_inShownGroup = true;

    QLabel *m_summary;
    QPushButton *m_detailsButton;
    QPushButton *m_showButton;
    QToolButton *m_closeButton;
    QWidget *m_details;
    QTreeWidget *m_failureList;
};
