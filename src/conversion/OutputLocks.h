#pragma once

#include <QObject>
#include <QSet>
#include <QString>

// Output files being written right now, process-wide, so that two jobs that
// map to the same output never write it at the same time: the later one
// waits for released() and tries again. Main thread only.
class OutputLocks final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OutputLocks)

public:
    static OutputLocks &instance();

    // Takes the lock for a canonical output path; false when it is held.
    bool tryAcquire(const QString &canonicalPath);
    void release(const QString &canonicalPath);
    bool isHeld(const QString &canonicalPath) const { return m_held.contains(canonicalPath); }

Q_SIGNALS:
    void released(const QString &canonicalPath);

private:
    OutputLocks() = default;
    QSet<QString> m_held;
};
