#include "app/cli/CliSession.h"

#include "conversion/ArgumentBuilder.h"
#include "conversion/ClassificationProbe.h"
#include "conversion/ConversionPlan.h"
#include "conversion/JobQueue.h"
#include "conversion/LoudnessMeasurement.h"
#include "conversion/ProgressMath.h"
#include "conversion/RunRules.h"
#include "conversion/SourceFacts.h"
#include "model/MediaLoad.h"
#include "model/MediaSet.h"
#include "settings/ConversionSettings.h"
#include "settings/Preferences.h"
#include "settings/PresetStore.h"
#include "tools/FFmpegRunner.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace {

QString statusWord(JobOutcomeKind kind)
{
    switch (kind) {
    case JobOutcomeKind::converted:
        return QStringLiteral("successful");
    case JobOutcomeKind::failed:
        return QStringLiteral("failed");
    case JobOutcomeKind::cancelled:
        return QStringLiteral("cancelled");
    case JobOutcomeKind::skipped:
        break;
    }
    return QStringLiteral("skipped");
}

// File names and tool messages may hold control characters: an escape
// sequence would retitle or clear the terminal, a newline would break the
// live block, a bidi override would reorder what follows. They are shown
// escaped; --json output keeps every text exact.
QString escapedControls(const QString &text)
{
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const bool bidi = (u >= 0x202A && u <= 0x202E) || (u >= 0x2066 && u <= 0x2069);
        if (u >= 0x20 && u != 0x7F && !(u >= 0x80 && u <= 0x9F) && !bidi) {
            shown += c;
        } else if (u == u'\n') {
            shown += QLatin1String("\\n");
        } else if (u == u'\t') {
            shown += QLatin1String("\\t");
        } else if (u == u'\r') {
            shown += QLatin1String("\\r");
        } else if (u <= 0xFF) {
            shown += QStringLiteral("\\x%1").arg(u, 2, 16, QLatin1Char('0'));
        } else {
            shown += QStringLiteral("\\u%1").arg(u, 4, 16, QLatin1Char('0'));
        }
    }
    return shown;
}

// Why a file was left in the group "other": a path that names nothing or
// cannot be read says so rather than blaming the file's content.
// Why a file of the group "other" is skipped; true when it cannot be read.
std::pair<QString, bool> unrecognizedReason(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return {qt_error_string(errno), true};
    ::close(fd);
    return {CliSession::tr("not a recognized media file"), false};
}

// FNV-1a, 64 bits: the same split on every machine and in every run, unlike
// qHash, which is seeded per process.
quint64 stableHash(const QByteArray &bytes)
{
    quint64 hash = 14695981039346656037ULL;
    for (const char byte : bytes) {
        hash ^= quint8(byte);
        hash *= 1099511628211ULL;
    }
    return hash;
}

} // namespace

CliSession::CliSession(const CliOptions &options, QObject *parent)
    : QObject(parent)
    , m_options(options)
    , m_terminal(::isatty(STDOUT_FILENO) && !options.json)
{
    m_liveTimer.setInterval(200);
    connect(&m_liveTimer, &QTimer::timeout, this, &CliSession::redrawLive);
}

CliSession::~CliSession() = default;

void CliSession::printLine(const QString &text, std::FILE *stream)
{
    writeLine(escapedControls(text).toUtf8(), stream);
}

void CliSession::printFields(const QStringList &fields)
{
    QStringList shown;
    for (const QString &field : fields)
        shown << escapedControls(field);
    writeLine(shown.join(u'\t').toUtf8(), stdout);
}

void CliSession::printJson(const QJsonObject &object)
{
    writeLine(QJsonDocument(object).toJson(QJsonDocument::Compact), stdout);
}

void CliSession::writeLine(QByteArray line, std::FILE *stream)
{
    std::fputs(line.append('\n').constData(), stream);
    std::fflush(stream);
}

void CliSession::applyPreset(const ConversionPreset &preset)
{
    // As in the window, but for this run only: the store is never written.
    Preferences &preferences = Preferences::instance();
    if (preset.audioKbps)
        preferences.setSessionOverride(PreferenceKeys::audioQuality, double(*preset.audioKbps));
    if (preset.videoCodec)
        preferences.setSessionOverride(PreferenceKeys::videoCodec, *preset.videoCodec);
    if (preset.videoQuality)
        preferences.setSessionOverride(PreferenceKeys::videoQuality, *preset.videoQuality);
    if (preset.hwAccel)
        preferences.setSessionOverride(PreferenceKeys::hardwareAcceleration, *preset.hwAccel);
    if (preset.normalizeLoudness)
        preferences.setSessionOverride(PreferenceKeys::normalizeLoudness,
                                       *preset.normalizeLoudness);
    if (preset.loudnessTarget)
        preferences.setSessionOverride(PreferenceKeys::loudnessTarget, *preset.loudnessTarget);
}

void CliSession::applyOverrides()
{
    Preferences &preferences = Preferences::instance();
    if (m_options.jobs)
        preferences.setSessionOverride(PreferenceKeys::maxConcurrentJobs, *m_options.jobs);
    if (m_options.overwrite)
        preferences.setSessionOverride(PreferenceKeys::overwriteExisting, *m_options.overwrite);
    if (m_options.keepStructure)
        preferences.setSessionOverride(PreferenceKeys::keepFolderStructure, true);
    if (m_options.audioBitrate)
        preferences.setSessionOverride(PreferenceKeys::audioQuality, *m_options.audioBitrate);
    if (m_options.videoCodec)
        preferences.setSessionOverride(PreferenceKeys::videoCodec, *m_options.videoCodec);
    if (m_options.videoQuality)
        preferences.setSessionOverride(PreferenceKeys::videoQuality, *m_options.videoQuality);
    if (m_options.hardwareAcceleration)
        preferences.setSessionOverride(PreferenceKeys::hardwareAcceleration,
                                       *m_options.hardwareAcceleration);
    if (m_options.audioFormat)
        preferences.setSessionOverride(PreferenceKeys::videoToAudio, *m_options.audioFormat);
    if (m_options.normalizeLufs) {
        preferences.setSessionOverride(PreferenceKeys::normalizeLoudness, true);
        preferences.setSessionOverride(PreferenceKeys::loudnessTarget, *m_options.normalizeLufs);
    }
    // A batch from the terminal converts what it is given: there is no
    // earlier success to skip, and nothing opens a file manager.
    preferences.setSessionOverride(PreferenceKeys::openDestinationOnFinish, false);
}

void CliSession::start()
{
    m_clock.start();
    if (m_options.listTargets) {
        for (const MediaTarget &target : MediaTarget::allTargets()) {
            if (m_options.json)
                printJson({{"event", "target"},
                           {"id", target.id},
                           {"title", target.title},
                           {"group", rawValue(target.group)},
                           {"ext", target.ext}});
            else
                printFields(
                    {target.id, target.title, rawValue(target.group),
                     target.ext.isEmpty() ? QStringLiteral("(video to audio)") : target.ext});
        }
    }

    if (m_options.listPresets) {
        for (const ConversionPreset &preset :
             ConversionPreset::builtInPresets() + PresetStore::userPresets()) {
            if (m_options.json) {
                printJson({{"event", "preset"},
                           {"id", preset.id},
                           {"name", preset.name},
                           {"target", preset.targetId},
                           {"builtIn", preset.isBuiltIn}});
                continue;
            }
            printFields({preset.id, preset.name, preset.targetId,
                         preset.isBuiltIn ? QStringLiteral("built-in") : QStringLiteral("saved")});
        }
    }
    if (m_options.listTargets || m_options.listPresets)
        return finish(0);
    if (!configure())
        return finish(2);

    m_set = new MediaSet(this);
    m_set->setProbe(&probeForClassification);
    m_set->setSkippedFolder(m_options.outputDir);
    m_load = m_set->load(m_options.inputs);
    connect(m_load, &Operation::finished, this, &CliSession::onLoaded);
}

bool CliSession::configure()
{
    std::optional<MediaTarget> target;
    std::optional<ConversionPreset> preset;
    if (m_options.preset) {
        auto found = PresetStore::findPreset(*m_options.preset);
        if (const QString *reason = std::get_if<QString>(&found)) {
            printLine(QStringLiteral("vireo-cli: ") + *reason, stderr);
            return false;
        }
        preset = std::get<ConversionPreset>(std::move(found));
        target = preset->target();
        if (!target && !m_options.target) {
            printLine(tr("vireo-cli: the preset '%1' names no known target").arg(preset->name),
                      stderr);
            return false;
        }
    }
    if (m_options.target) {
        target = MediaTarget::fromId(*m_options.target);
        if (!target) {
            printLine(
                tr("vireo-cli: unknown target '%1' (see --list-targets)").arg(*m_options.target),
                stderr);
            return false;
        }
    }
    if (!target) {
        printLine(tr("vireo-cli: say what to convert to with --to TARGET or --preset NAME"),
                  stderr);
        return false;
    }
    m_target = *target;
    if (preset)
        applyPreset(*preset);
    applyOverrides();
    m_batch.trimEnabled = m_options.trimStart || m_options.trimEnd;
    m_batch.trimStart = m_options.trimStart.value_or(QString());
    m_batch.trimEnd = m_options.trimEnd.value_or(QString());
    m_batch.scale = m_options.scale.value_or(VideoScale::original);
    return true;
}

void CliSession::dropEarlierOutputs(QList<MediaPtr> &wholeRun)
{
    // Next to the originals, an earlier run's outputs lie among the inputs;
    // converting them again would make outputs of outputs. Only a file newer
    // than its source counts: "a.flac" beside the "a.mp3" made from it stays
    // an original that no output replaces.
    QHash<QString, QString> outputs; // output key to the input that writes it
    for (const MediaPtr &item : std::as_const(wholeRun)) {
        const QString output = plannedOutputPath(PlanSource::of(*item), m_spec.target,
                                                 m_spec.destination, m_spec.settings);
        if (RunRules::outputKey(output) != RunRules::outputKey(item->pathString()))
            outputs.insert(RunRules::outputKey(output), item->pathString());
    }
    const auto earlierOutput = [&outputs](const MediaPtr &item) {
        const auto source = outputs.constFind(RunRules::outputKey(item->pathString()));
        return source != outputs.cend()
            && QFileInfo(item->pathString()).lastModified() > QFileInfo(*source).lastModified();
    };
    for (const MediaPtr &item : std::as_const(m_items)) {
        if (earlierOutput(item))
            reportSkipped(item->pathString(),
                          tr("the output of %1")
                              .arg(outputs.value(RunRules::outputKey(item->pathString()))));
    }
    m_items.removeIf(earlierOutput);
    wholeRun.removeIf(earlierOutput);
}

void CliSession::reportSkipped(const QString &path, const QString &reason, bool unreadable)
{
    ++m_skipped;
    // A path that could not be read is an error even in quiet mode; a file
    // of another kind than the target is not.
    if (m_options.json)
        printJson({{"event", "skipped"}, {"input", path}, {"reason", reason}});
    else if (!m_options.quiet || unreadable)
        printLine(tr("skipped  %1: %2").arg(path, reason));
}

QString CliSession::shardKey(const QString &path) const
{
    // The path below the input folder it was found in, so that the split
    // does not depend on where the tree is mounted; a file named directly
    // goes by the path as given.
    for (const QString &input : m_options.inputs) {
        QString root = QFileInfo(input).absoluteFilePath();
        if (path == root)
            return QDir::cleanPath(input);
        if (!root.endsWith(u'/'))
            root += u'/';
        if (path.startsWith(root))
            return path.mid(root.size());
    }
    return path;
}

bool CliSession::inShard(const QString &path) const
{
    if (!m_options.shard)
        return true;
    const quint64 part = stableHash(shardKey(path).toUtf8()) % quint64(m_options.shard->count);
    return part == quint64(m_options.shard->index - 1);
}

void CliSession::onLoaded()
{
    if (m_interrupted)
        return;
    for (const SkippedPath &skipped : m_set->skippedPaths()) {
        if (inShard(skipped.path))
            reportSkipped(skipped.path, skipped.reason, true);
    }
    bool anyToConvert = false;
    // One file reached by two paths (a link, a folder and a file in it) is
    // converted once, by the part its first path falls in: every part drops
    // the same duplicates before the split.
    QHash<FileIdentity, QString> seen;
    QList<MediaPtr> wholeRun;
    for (const MediaPtr &item : m_set->mediaList()) {
        anyToConvert = anyToConvert || item->group() == m_target.group;
        const bool ours = inShard(item->pathString());
        if (const auto &identity = item->fileIdentity()) {
            const auto first = seen.constFind(*identity);
            if (first != seen.cend()) {
                if (ours)
                    reportSkipped(item->pathString(), tr("same file as %1").arg(*first));
                continue;
            }
            seen.insert(*identity, item->pathString());
        }
        if (item->group() == m_target.group) {
            wholeRun << item;
            if (ours)
                m_items << item;
        } else if (!ours) {
            continue;
        } else if (item->group() == MediaGroup::other) {
            const auto [reason, unreadable] = unrecognizedReason(item->pathString());
            reportSkipped(item->pathString(), reason, unreadable);
        } else {
            reportSkipped(item->pathString(),
                          tr("%1 file; %2 converts %3 files")
                              .arg(rawValue(item->group()), m_target.id, rawValue(m_target.group)));
        }
    }
    // The settings of this run, read once: the plan and every job use them.
    m_spec = JobSpec::current(m_target, m_options.outputDir, m_batch);
    if (m_spec.nextToSource())
        dropEarlierOutputs(wholeRun);
    if (m_items.isEmpty() && anyToConvert) {
        // Another part holds every file: this one is done.
        printSummary();
        return finish(0);
    }
    if (m_items.isEmpty()) {
        printLine(tr("vireo-cli: nothing to convert to %1").arg(m_target.id), stderr);
        printSummary();
        return finish(2);
    }
    checkWholePlan(wholeRun);
    if (m_options.dryRun)
        return plan();
    run();
}

void CliSession::checkWholePlan(const QList<MediaPtr> &wholeRun)
{
    RunRules rules;
    for (const MediaPtr &item : wholeRun) {
        if (const auto identity = item->identityOrCurrent()) {
            rules.addInput(*identity);
            m_runInputs << *identity;
        }
    }
    const QSet<const Media *> ours = [this] {
        QSet<const Media *> set;
        for (const MediaPtr &item : std::as_const(m_items))
            set.insert(item.get());
        return set;
    }();
    for (const MediaPtr &item : wholeRun) {
        const QString output = plannedOutputPath(PlanSource::of(*item), m_spec.target,
                                                 m_spec.destination, m_spec.settings);
        const std::optional<QString> refusal
            = rules.refusal(item->pathString(), output, m_spec.destination, m_spec.keepStructure());
        if (refusal && ours.contains(item.get()))
            m_refusals.insert(item.get(), *refusal);
    }
}

void CliSession::plan()
{
    // What a job learns of its source before it plans, learnt the same way.
    auto pending = std::make_shared<qsizetype>(m_items.size());
    for (const MediaPtr &item : std::as_const(m_items)) {
        SourceFacts *facts = gatherSourceFacts(PlanSource::of(*item), m_spec, this);
        m_facts << facts;
        connect(facts, &Operation::finished, this, [this, pending] {
            if (--*pending == 0 && !m_interrupted)
                printPlan();
        });
    }
}

void CliSession::printPlan()
{
    for (qsizetype i = 0; i < m_items.size(); ++i) {
        const MediaPtr &item = m_items.at(i);
        const SourceFacts &facts = *m_facts.at(i);
        const ConversionPlan plan
            = planConversion(facts.source(), m_spec.target, m_spec.destination, m_spec.batch,
                             m_spec.settings, facts.profile(), m_spec.overwrite);
        // In the order a job meets them: the run's rules, then the source.
        const auto refusal = m_refusals.constFind(item.get());
        const std::optional<QString> problem
            = refusal != m_refusals.cend() ? std::optional(*refusal) : facts.problem();
        m_refused += problem ? 1 : 0;
        // The WebP step reads a PNG that exists only while the job runs.
        const QStringList arguments = plan.route == ConversionRoute::webpThroughPng
            ? plan.ffmpegArguments(plan.outputPath, tr("(PNG from libvips)"))
            : plan.ffmpegArguments(plan.outputPath);
        // The plain ffmpeg route goes without a name.
        QString route = plan.route == ConversionRoute::ffmpeg ? QString() : routeName(plan.route);
        // The gain depends on the measurement, so the plan names the step.
        if (plan.runsFFmpeg() && normalizesLoudness(m_target, m_spec.settings))
            route = tr("loudness measured first, then normalized to %1 LUFS")
                        .arg(m_spec.settings.loudnessLufs());
        if (m_options.json) {
            QJsonObject object {{"event", "planned"},
                                {"input", item->pathString()},
                                {"group", rawValue(item->group())},
                                {"output", plan.outputPath},
                                {"arguments", QJsonArray::fromStringList(arguments)}};
            if (!route.isEmpty())
                object.insert("route", route);
            if (problem)
                object.insert("problem", *problem);
            if (!plan.ffArgs.notes.isEmpty())
                object.insert("notes", QJsonArray::fromStringList(plan.ffArgs.notes));
            printJson(object);
        } else {
            printLine(QStringLiteral("%1 [%2] -> %3")
                          .arg(item->pathString(), rawValue(item->group()), plan.outputPath));
            printLine(
                QStringLiteral("    ")
                + (arguments.isEmpty() ? route : QStringLiteral("ffmpeg ") + arguments.join(u' '))
                + (route.isEmpty() || arguments.isEmpty() ? QString()
                                                          : QStringLiteral("  (") + route + u')'));
            for (const QString &note : plan.ffArgs.notes)
                printLine(QStringLiteral("    ") + note);
            if (problem)
                printLine(tr("    would fail: %1").arg(*problem));
        }
    }
    printSummary();
    finish(0);
}

void CliSession::run()
{
    if (!m_options.outputDir.isEmpty() && !QDir().mkpath(m_options.outputDir)) {
        printLine(tr("vireo-cli: cannot create the folder %1").arg(m_options.outputDir), stderr);
        return finish(2);
    }
    m_queue = new JobQueue(this);
    QList<MediaPtr> accepted;
    for (const MediaPtr &item : std::as_const(m_items)) {
        watch(item);
        if (m_refusals.contains(item.get())) {
            item->setErrorMessage(m_refusals.value(item.get()));
            item->setStatus(MediaStatus::failed);
            reportFinished(*item, {JobOutcomeKind::failed, m_refusals.value(item.get()), {}});
        } else {
            accepted << item;
        }
    }
    QHash<QUuid, MediaPtr> byId;
    for (const MediaPtr &item : std::as_const(accepted))
        byId.insert(item->id(), item);
    connect(m_queue, &JobQueue::itemFinished, this,
            [this, byId](const QUuid &id, const JobOutcome &outcome) {
                if (const MediaPtr item = byId.value(id))
                    reportFinished(*item, outcome);
            });
    connect(m_queue, &JobQueue::runFinished, this, &CliSession::onRunFinished);
    m_queue->protectInputs(m_runInputs);
    m_queue->enqueue(accepted, m_spec);
    if (m_terminal && !m_options.quiet)
        m_liveTimer.start();
}

void CliSession::watch(const MediaPtr &item)
{
    Media *raw = item.get();
    connect(raw, &Media::statusChanged, this, [this, raw] {
        if (raw->status() != MediaStatus::processing || !m_options.json)
            return;
        printJson(
            {{"event", "started"}, {"input", raw->pathString()}, {"output", m_outputs.value(raw)}});
    });
    m_outputs.insert(raw,
                     plannedOutputPath(PlanSource::of(*raw), m_spec.target, m_spec.destination,
                                       m_spec.settings));
    if (m_options.json) {
        connect(raw, &Media::progressChanged, this, [this, raw] {
            printJson({{"event", "progress"},
                       {"input", raw->pathString()},
                       {"progress", raw->progress()}});
        });
    }
}

void CliSession::reportFinished(const Media &item, const JobOutcome &outcome)
{
    const QString status = statusWord(outcome.kind);
    switch (outcome.kind) {
    case JobOutcomeKind::converted:
    case JobOutcomeKind::skipped:
        ++m_completed;
        break;
    case JobOutcomeKind::failed:
        ++m_failed;
        break;
    case JobOutcomeKind::cancelled:
        ++m_cancelled;
        break;
    }
    const QString output = m_outputs.value(&item);
    if (m_options.json) {
        QJsonObject object {{"event", "finished"},
                            {"input", item.pathString()},
                            {"output", output},
                            {"status", status}};
        if (outcome.kind == JobOutcomeKind::failed)
            object.insert("error", outcome.message);
        printJson(object);
        return;
    }
    if (m_options.quiet && outcome.kind != JobOutcomeKind::failed)
        return;
    clearLive();
    if (outcome.kind == JobOutcomeKind::failed)
        printLine(tr("failed   %1: %2").arg(item.pathString(), outcome.message));
    else
        printLine(
            QStringLiteral("%1 %2 -> %3").arg(status.leftJustified(8), item.pathString(), output));
    redrawLive();
}

void CliSession::clearLive()
{
    if (!m_terminal || m_liveLines == 0)
        return;
    // Move up over the live block and clear it.
    std::fputs(qPrintable(QStringLiteral("\x1b[%1A\x1b[J").arg(m_liveLines)), stdout);
    m_liveLines = 0;
}

void CliSession::redrawLive()
{
    if (!m_terminal || m_options.quiet || !m_queue || !m_queue->isRunning())
        return;
    clearLive();
    QStringList lines;
    for (const MediaPtr &item : m_queue->convertingMedia()) {
        lines << QStringLiteral("  %1 %2%3")
                     .arg(QString::number(qRound(item->progress() * 100)).rightJustified(3) + u'%',
                          escapedControls(item->filename()),
                          item->isMeasuring() ? tr(" (measuring loudness)") : QString());
    }
    const Totals totals = m_queue->totals();
    const BatchProgress progress = m_queue->progress();
    lines << QStringLiteral("%1/%2 files  %3")
                 .arg(totals.completed + totals.failed)
                 .arg(totals.total)
                 .arg(ProgressMath::timeLine(progress.elapsedSeconds, progress.estimate,
                                             m_queue->isRunning()));
    for (const QString &line : std::as_const(lines))
        std::fputs(qUtf8Printable(line + QStringLiteral("\x1b[K\n")), stdout);
    std::fflush(stdout);
    m_liveLines = int(lines.size());
}

void CliSession::onRunFinished()
{
    m_liveTimer.stop();
    clearLive();
    printSummary();
    if (m_interrupted)
        return finish(130);
    finish(m_failed > 0 ? 1 : 0);
}

void CliSession::printSummary()
{
    const double elapsed = m_clock.elapsed() / 1000.0;
    const int total = int(m_items.size()) + m_skipped;
    // Items a cancel found waiting never started: neither failed nor cancelled.
    const int notStarted = m_options.dryRun || !m_queue
        ? 0
        : int(m_items.size()) - m_completed - m_failed - m_cancelled;
    if (m_options.json) {
        printJson({{"event", "summary"},
                   {"total", total},
                   {"completed", m_completed},
                   {"failed", m_failed},
                   {"cancelled", m_cancelled},
                   {"notStarted", notStarted},
                   {"skipped", m_skipped},
                   {"elapsedSeconds", elapsed}});
        return;
    }
    if (m_options.dryRun) {
        printLine(m_refused == 0
                      ? tr("%1 to convert, %2 skipped (dry run)").arg(m_items.size()).arg(m_skipped)
                      : tr("%1 to convert, %2 would fail, %3 skipped (dry run)")
                            .arg(m_items.size() - m_refused)
                            .arg(m_refused)
                            .arg(m_skipped));
        return;
    }
    QString line
        = tr("%1 converted, %2 failed, %3 skipped").arg(m_completed).arg(m_failed).arg(m_skipped);
    if (m_cancelled > 0)
        line += tr(", %1 cancelled").arg(m_cancelled);
    if (notStarted > 0)
        line += tr(", %1 not started").arg(notStarted);
    printLine(line + tr(" in %1").arg(ProgressMath::formatDuration(elapsed)));
}

void CliSession::interrupt()
{
    if (m_interrupted)
        return;
    m_interrupted = true;
    if (m_load)
        m_load->cancel();
    for (SourceFacts *facts : std::as_const(m_facts)) {
        if (facts)
            facts->cancel();
    }
    if (m_queue && m_queue->isRunning()) {
        m_queue->cancelAll();
        return;
    }
    clearLive();
    printSummary();
    finish(130);
}

void CliSession::finish(int status)
{
    QMetaObject::invokeMethod(
        this, [this, status] { Q_EMIT done(status); }, Qt::QueuedConnection);
}
