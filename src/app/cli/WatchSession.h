#pragma once

#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QStringList>

#include "app/cli/CliOptions.h"

class CliSession;
class FolderWatcher;

// vireo-cli --watch: converts every file that settles below the watched
// folder as a batch of its own, one batch at a time, and remembers what it
// converted (the input's size and age, the settings' signature, the output)
// so that neither a second sighting nor a restart converts it again. Ends
// only when interrupted, by emitting done(exitStatus).
class WatchSession final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WatchSession)

public:
    explicit WatchSession(const CliOptions &options, QObject *parent = nullptr);
    ~WatchSession() override;

    void start();
    // SIGINT/SIGTERM: the running batch is cancelled, then the watch ends.
    void interrupt();

Q_SIGNALS:
    void done(int exitStatus);

private:
    struct Converted {
        qint64 size = -1;
        qint64 modifiedMs = -1;
        QString signature;
        QString output;
    };

    void startNextBatch();
    void onBatchDone();
    QString outputPathOf(const QString &input) const;
    std::optional<Converted> converted(const QString &input) const;
    void loadLedger();
    void saveLedger() const;
    void printNote(const QString &text, const QString &event) const;
    void finish(int status);

    CliOptions m_options;
    CliSession *m_settings = nullptr; // the target and batch every batch uses
    FolderWatcher *m_watcher = nullptr;
    QPointer<CliSession> m_batch;
    QStringList m_batchInputs;
    QDateTime m_batchStarted;
    QStringList m_pending;
    QHash<QString, Converted> m_ledger;
    QString m_ledgerPath;
    bool m_stopping = false;
};
