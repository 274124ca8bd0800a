#include "app/cli/WatchSession.h"

#include "conversion/ConversionPlan.h"
#include "conversion/SafeOutput.h"
#include "conversion/SuccessSignature.h"
#include "settings/ConversionSettings.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStandardPaths>

#include <cstdio>

#include "app/cli/CliSession.h"
#include "app/cli/FolderWatcher.h"

WatchSession::WatchSession(const CliOptions &options, QObject *parent)
    : QObject(parent)
    , m_options(options)
{
}

WatchSession::~WatchSession() = default;

void WatchSession::start()
{
    const QString root = *m_options.watch;
    if (!QFileInfo(root).isDir()) {
        printNote(tr("vireo-cli: cannot watch %1: not a folder").arg(root), {});
        return finish(2);
    }
    m_settings = new CliSession(m_options, this);
    if (!m_settings->configure())
        return finish(2);

    const QByteArray key = (root + u'\n' + m_options.outputDir).toUtf8();
    m_ledgerPath = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)
        + QStringLiteral("/watch/%1.json")
              .arg(QString::fromLatin1(
                  QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(16)));
    loadLedger();

    // Outputs written below the watched folder are not new files; where the
    // destination is the watched folder itself the ledger tells them apart.
    const QString excluded
        = m_options.outputDir != root && SafeOutput::isInside(m_options.outputDir, root)
        ? m_options.outputDir
        : QString();
    m_watcher = new FolderWatcher(
        root, excluded, std::chrono::milliseconds(qint64(m_options.settleSeconds * 1000)), this);
    connect(m_watcher, &FolderWatcher::settled, this, [this](const QStringList &paths) {
        for (const QString &path : paths) {
            if (!m_pending.contains(path))
                m_pending << path;
        }
        startNextBatch();
    });
    connect(m_watcher, &FolderWatcher::pollingInstead, this, [this, root] {
        printNote(
            tr("vireo-cli: no inotify watch is left for %1 (see fs.inotify.max_user_watches); "
               "looking for new files every %2 s instead")
                .arg(root)
                .arg(FolderWatcher::rescanInterval.count()),
            QStringLiteral("polling"));
    });
    printNote(tr("watching %1, converting to %2 into %3")
                  .arg(root, m_settings->target().id, m_options.outputDir),
              QStringLiteral("watching"));
    m_watcher->start();
}

void WatchSession::startNextBatch()
{
    if (m_batch || m_stopping || m_pending.isEmpty())
        return;
    QSet<QString> outputs;
    for (const Converted &entry : std::as_const(m_ledger))
        outputs.insert(entry.output);
    QStringList inputs;
    for (const QString &path : std::as_const(m_pending)) {
        if (outputs.contains(path))
            continue; // our own output, in a destination inside the folder
        if (const auto done = converted(path)) {
            if (m_options.json) {
                const QJsonObject object {{"event", "skipped"},
                                          {"input", path},
                                          {"reason", tr("already converted")},
                                          {"output", done->output}};
                std::puts(QJsonDocument(object).toJson(QJsonDocument::Compact).constData());
            } else if (!m_options.quiet) {
                std::puts(qUtf8Printable(
                    tr("skipped  %1: already converted to %2").arg(path, done->output)));
            }
            continue;
        }
        inputs << path;
    }
    std::fflush(stdout);
    m_pending.clear();
    if (inputs.isEmpty())
        return;

    CliOptions options = m_options;
    options.watch.reset();
    options.inputs = inputs;
    m_batchInputs = inputs;
    m_batchStarted = QDateTime::currentDateTime();
    m_batch = new CliSession(options, this);
    connect(m_batch, &CliSession::done, this, &WatchSession::onBatchDone);
    m_batch->start();
}

void WatchSession::onBatchDone()
{
    const QString signature = successSignature(m_settings->target(), m_settings->batch(),
                                               ConversionSettings::current());
    // Written by this batch: there now, and not before the batch began (an
    // output that was already there was refused, not converted). One second
    // of slack for the file system's coarser clock.
    const QDateTime since = m_batchStarted.addSecs(-1);
    for (const QString &input : std::as_const(m_batchInputs)) {
        const QString output = outputPathOf(input);
        const QFileInfo written(output);
        const QFileInfo source(input);
        if (written.isFile() && written.lastModified() >= since && source.isFile())
            m_ledger.insert(
                input,
                {source.size(), source.lastModified().toMSecsSinceEpoch(), signature, output});
    }
    saveLedger();
    m_batch->deleteLater();
    m_batch = nullptr;
    if (m_stopping)
        return finish(130);
    startNextBatch();
}

QString WatchSession::outputPathOf(const QString &input) const
{
    PlanSource source;
    source.path = input;
    source.baseName = QFileInfo(input).completeBaseName();
    return plannedOutputPath(source, m_settings->target(), m_options.outputDir,
                             ConversionSettings::current());
}

// Converted before when the input is unchanged, the settings give the same
// signature and the output is still where this run would write it.
std::optional<WatchSession::Converted> WatchSession::converted(const QString &input) const
{
    const auto entry = m_ledger.constFind(input);
    if (entry == m_ledger.cend())
        return std::nullopt;
    const QFileInfo source(input);
    if (source.size() != entry->size
        || source.lastModified().toMSecsSinceEpoch() != entry->modifiedMs
        || entry->signature
            != successSignature(m_settings->target(), m_settings->batch(),
                                ConversionSettings::current())
        || entry->output != outputPathOf(input) || !QFileInfo(entry->output).isFile())
        return std::nullopt;
    return *entry;
}

void WatchSession::loadLedger()
{
    QFile file(m_ledgerPath);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QJsonObject object = QJsonDocument::fromJson(file.readAll()).object();
    for (auto it = object.begin(); it != object.end(); ++it) {
        const QJsonObject entry = it.value().toObject();
        m_ledger.insert(it.key(),
                        {qint64(entry.value("size").toDouble(-1)),
                         qint64(entry.value("modified").toDouble(-1)),
                         entry.value("signature").toString(), entry.value("output").toString()});
    }
}

void WatchSession::saveLedger() const
{
    QJsonObject object;
    for (auto it = m_ledger.begin(); it != m_ledger.end(); ++it) {
        object.insert(it.key(),
                      QJsonObject {{"size", double(it->size)},
                                   {"modified", double(it->modifiedMs)},
                                   {"signature", it->signature},
                                   {"output", it->output}});
    }
    QDir().mkpath(QFileInfo(m_ledgerPath).path());
    QSaveFile file(m_ledgerPath);
    if (!file.open(QIODevice::WriteOnly)
        || file.write(QJsonDocument(object).toJson(QJsonDocument::Compact)) < 0 || !file.commit())
        printNote(tr("vireo-cli: cannot record converted files in %1: %2")
                      .arg(m_ledgerPath, file.errorString()),
                  {});
}

// Notes without an event name are errors: always shown, on standard error.
void WatchSession::printNote(const QString &text, const QString &event) const
{
    if (event.isEmpty()) {
        std::fputs(qUtf8Printable(text + u'\n'), stderr);
        return;
    }
    if (m_options.json) {
        const QJsonObject object {
            {"event", event}, {"folder", *m_options.watch}, {"output", m_options.outputDir}};
        std::puts(QJsonDocument(object).toJson(QJsonDocument::Compact).constData());
    } else if (!m_options.quiet || event == u"polling") {
        std::puts(qUtf8Printable(text));
    }
    std::fflush(stdout);
}

void WatchSession::interrupt()
{
    if (m_stopping)
        return;
    m_stopping = true;
    if (m_batch)
        return m_batch->interrupt();
    finish(130);
}

void WatchSession::finish(int status)
{
    QMetaObject::invokeMethod(
        this, [this, status] { Q_EMIT done(status); }, Qt::QueuedConnection);
}
