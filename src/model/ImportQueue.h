#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>

class MediaSet;

// Feeds imports into a media set without stalling its thread: each dropped
// file or folder gets a load of its own, and thousands of them are started a
// few at a time, between which the event loop goes on. Main thread only.
class ImportQueue final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ImportQueue)

public:
    explicit ImportQueue(MediaSet &set, QObject *parent = nullptr);
    ~ImportQueue() override;

    // Imports the files and folders (paths or file: URLs) in one load.
    void load(const QStringList &pathsOrUrls);
    // Imports each file or folder by a load of its own, in order.
    void loadEach(const QStringList &pathsOrUrls);
    // True while a load started here or one the media set reports runs, or
    // loads wait to start.
    bool isImporting() const;

Q_SIGNALS:
    // isImporting() may have changed.
    void importingChanged();

private:
    void startQueuedLoads();

    MediaSet &m_set;
    // Items of loadEach() whose loads have not started yet.
    QStringList m_queued;
    qsizetype m_nextQueued = 0;
    QTimer m_queueTimer;
    // Loads started here that have not landed.
    int m_running = 0;
};
