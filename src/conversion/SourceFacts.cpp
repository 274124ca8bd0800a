#include "conversion/SourceFacts.h"

#include "conversion/ArgumentBuilder.h"
#include "conversion/HardwareDetection.h"
#include "conversion/JobSpec.h"
#include "conversion/OutputCheck.h"
#include "model/WorkPool.h"
#include "tools/MediaProbe.h"
#include "tools/MediaTags.h"
#include "tools/TextEncoding.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QtConcurrent>

SourceFacts::SourceFacts(const PlanSource &source, const JobSpec &spec, QObject *parent)
    : Operation(parent)
    , m_source(source)
    , m_target(spec.target)
    , m_needsProfile(planNeedsHardwareProfile(spec.target, spec.settings))
{
}

SourceFacts::~SourceFacts()
{
    delete m_probe.data();
    delete m_detection.data();
}

void SourceFacts::detectHardware()
{
    if (!m_needsProfile)
        return readSource();
    // Detection runs once per process; later callers get the cached profile
    // at once. A cancel ends the wait, not the detection.
    m_detection = detectHardwareProfile(this);
    connect(m_detection, &Operation::finished, this, [this] {
        m_profile = m_detection->profile();
        m_detection->deleteLater();
        if (!isCancelled())
            readSource();
    });
}

void SourceFacts::readSource()
{
    if (m_source.group == MediaGroup::subtitle) {
        auto *watcher = new QFutureWatcher<std::optional<QString>>(this);
        connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher] {
            m_source.textEncoding = watcher->result();
            watcher->deleteLater();
            finish();
        });
        watcher->setFuture(
            QtConcurrent::run(WorkPool::instance(), &legacyTextEncoding, m_source.path));
        return;
    }
    // A video's frame size and pixel format shape its command line, so
    // videos are always probed; audio only for its play length.
    const MediaGroup group = m_source.group;
    if ((m_source.duration && group != MediaGroup::video)
        || (group != MediaGroup::audio && group != MediaGroup::video))
        return readCover();
    m_probe = probeMediaAsync(m_source.path, this);
    connect(m_probe, &Operation::finished, this, [this] {
        if (const std::optional<ProbeResult> &probed = m_probe->result()) {
            if (!m_source.duration)
                m_source.duration = probed->duration;
            m_source.video = sourceVideoOf(*probed);
            m_problem = sourceProblem(*probed, m_target, QFileInfo(m_source.path).fileName());
        } else if (m_probe->timedOut() && !isCancelled()) {
            // ffmpeg would stall on the same read.
            m_problem = QCoreApplication::translate("MediaJob", "Reading %1 took too long")
                            .arg(QFileInfo(m_source.path).fileName());
        }
        m_probe->deleteLater();
        if (isCancelled() || m_problem)
            return finish();
        readCover();
    });
}

// The cover's bytes, for formats that keep it in a comment; on the pool.
void SourceFacts::readCover()
{
    if (!needsSourceCover(m_target))
        return finish();
    auto *watcher = new QFutureWatcher<std::optional<MediaTags>>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher] {
        if (const std::optional<MediaTags> tags = watcher->result())
            m_source.cover = tags->cover;
        watcher->deleteLater();
        finish();
    });
    watcher->setFuture(QtConcurrent::run(WorkPool::instance(), &readMediaTags, m_source.path));
}

void SourceFacts::onCancel()
{
    if (m_detection && !m_detection->isFinished())
        m_detection->cancel();
    if (m_probe)
        m_probe->cancel();
    finish();
}

SourceFacts *gatherSourceFacts(const PlanSource &source, const JobSpec &spec, QObject *parent)
{
    auto *facts = new SourceFacts(source, spec, parent);
    facts->detectHardware();
    return facts;
}
