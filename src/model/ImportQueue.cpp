#include "model/ImportQueue.h"

#include "model/MediaLoad.h"
#include "model/MediaSet.h"

#include <QElapsedTimer>

ImportQueue::ImportQueue(MediaSet &set, QObject *parent)
    : QObject(parent)
    , m_set(set)
{
    m_queueTimer.setSingleShot(true);
    m_queueTimer.setInterval(0);
    connect(&m_queueTimer, &QTimer::timeout, this, &ImportQueue::startQueuedLoads);
    connect(&m_set, &MediaSet::isImportingChanged, this, &ImportQueue::importingChanged);
}

ImportQueue::~ImportQueue() = default;

bool ImportQueue::isImporting() const
{
    return m_set.isImporting() || m_running > 0 || m_nextQueued < m_queued.size();
}

void ImportQueue::load(const QStringList &pathsOrUrls)
{
    MediaLoad *load = m_set.load(pathsOrUrls);
    ++m_running;
    // Nobody waits for the load; it goes once it has landed.
    connect(load, &Operation::finished, load, &QObject::deleteLater);
    connect(load, &Operation::finished, this, [this] {
        --m_running;
        if (m_nextQueued < m_queued.size() && !m_queueTimer.isActive())
            m_queueTimer.start();
        Q_EMIT importingChanged();
    });
    Q_EMIT importingChanged();
}

void ImportQueue::loadEach(const QStringList &pathsOrUrls)
{
    m_queued += pathsOrUrls;
    startQueuedLoads();
}

void ImportQueue::startQueuedLoads()
{
    // Starting a load and taking in what it found both run on this thread.
    // A few milliseconds of starting per turn, and a few dozen loads under
    // way at most, keep every stretch of either work short: results that
    // pile up while the pool lags are all taken in at one go.
    constexpr int loadsUnderWay = 48;
    constexpr int loadsPerTurnAtLeast = 16;
    constexpr qint64 turnMs = 8;
    QElapsedTimer turn;
    turn.start();
    for (int started = 1; m_nextQueued < m_queued.size() && m_running < loadsUnderWay; ++started) {
        load({m_queued.at(m_nextQueued++)});
        if (started >= loadsPerTurnAtLeast && turn.elapsed() >= turnMs)
            break;
    }
    if (m_nextQueued < m_queued.size()) {
        // Resumed when loads land, or at the next turn if room is left.
        if (m_running < loadsUnderWay)
            m_queueTimer.start();
    } else {
        m_queued.clear();
        m_nextQueued = 0;
    }
}
