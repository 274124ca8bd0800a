#pragma once

#include "conversion/BatchSettings.h"
#include "conversion/JobOutcome.h"
#include "conversion/JobSpec.h"
#include "model/FileIdentity.h"
#include "model/Media.h"
#include "model/MediaTarget.h"

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <cstdio>

#include "app/cli/CliOptions.h"

struct ConversionPreset;
class JobQueue;
class MediaLoad;
class MediaSet;
class SourceFacts;

// One run of vireo-cli: import, plan, convert, report. Ends by emitting
// done(exitStatus).
class CliSession final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CliSession)

public:
    explicit CliSession(const CliOptions &options, QObject *parent = nullptr);
    ~CliSession() override;

    void start();
    // Resolves the target and applies the preset and options to this
    // process's settings; prints why not and returns false when it cannot.
    bool configure();
    const MediaTarget &target() const { return m_target; }
    const BatchSettings &batch() const { return m_batch; }
    // The counts so far, as the last line of a run.
    void printSummary();
    // SIGINT/SIGTERM: cancel like the window's Cancel button.
    void interrupt();

Q_SIGNALS:
    void done(int exitStatus);

private:
    void applyPreset(const ConversionPreset &preset);
    void applyOverrides();
    void onLoaded();
    // --shard: the text a path is split by, and whether it falls in our part.
    QString shardKey(const QString &path) const;
    bool inShard(const QString &path) const;
    // The run's rules over the whole plan, every part of a sharded run alike.
    void checkWholePlan(const QList<MediaPtr> &wholeRun);
    // Next to the originals: the inputs that are outputs of others.
    void dropEarlierOutputs(QList<MediaPtr> &wholeRun);
    void plan();
    void printPlan();
    void run();
    void watch(const MediaPtr &item);
    void onRunFinished();
    void reportSkipped(const QString &path, const QString &reason, bool unreadable = false);
    void reportFinished(const Media &item, const JobOutcome &outcome);
    void redrawLive();
    void clearLive();
    void finish(int status);
    // Text lines show control characters escaped; JSON keeps them exact.
    void printLine(const QString &text, std::FILE *stream = stdout);
    void printFields(const QStringList &fields); // tab-separated
    void printJson(const QJsonObject &object);
    static void writeLine(QByteArray line, std::FILE *stream);

    CliOptions m_options;
    MediaTarget m_target;
    BatchSettings m_batch;
    JobSpec m_spec;
    MediaSet *m_set = nullptr;
    JobQueue *m_queue = nullptr;
    QPointer<MediaLoad> m_load;
    // The dry run's facts of each item, gathered as a job gathers them.
    QList<QPointer<SourceFacts>> m_facts;
    QList<MediaPtr> m_items; // this part's
    QList<FileIdentity> m_runInputs; // of every part
    QHash<const Media *, QString> m_refusals; // by the rules over the whole plan
    QHash<const Media *, QString> m_outputs;
    QElapsedTimer m_clock;
    QTimer m_liveTimer;
    bool m_terminal = false;
    bool m_interrupted = false;
    int m_liveLines = 0;
    int m_skipped = 0;
    int m_refused = 0; // dry run: planned outputs a job would refuse
    int m_completed = 0;
    int m_failed = 0;
    int m_cancelled = 0;
};
