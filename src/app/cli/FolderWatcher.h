#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <chrono>

class QSocketNotifier;

// Tells which files below a folder are complete: a file is reported once it
// has appeared (or changed) and then stayed the same size and age for the
// settle time. Hidden entries (our own temporaries among them) and the
// excluded folder are never looked at. Watches with inotify and does nothing
// while nothing happens; where the kernel's watches run out it rescans the
// tree periodically instead.
class FolderWatcher final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FolderWatcher)

public:
    static constexpr std::chrono::seconds rescanInterval {30};

    FolderWatcher(const QString &root, const QString &excluded, std::chrono::milliseconds settle,
                  QObject *parent = nullptr);
    ~FolderWatcher() override;

    // Looks at what the folder holds now; every file found is reported once
    // settled, like one that appears later.
    void start();
    bool isPolling() const { return m_polling; }

Q_SIGNALS:
    void settled(const QStringList &paths);
    // inotify cannot watch the whole tree; rescanning from now on.
    void pollingInstead();

private:
    struct Stamp {
        qint64 size = -1;
        qint64 modifiedNs = -1;
        bool operator==(const Stamp &) const = default;
    };
    struct Waiting {
        Stamp stamp;
        QElapsedTimer quiet; // since the last change seen
    };

    bool isIgnored(const QString &path) const;
    void scan(const QString &folder);
    void watchFolder(const QString &folder);
    void readEvents();
    void note(const QString &path);
    void checkWaiting();
    void fallBackToPolling();
    static std::optional<Stamp> stampOf(const QString &path);

    QString m_root;
    QString m_excluded;
    std::chrono::milliseconds m_settle;
    int m_inotify = -1;
    QSocketNotifier *m_notifier = nullptr;
    QHash<int, QString> m_folders; // inotify watch → folder
    QHash<QString, Waiting> m_waiting;
    // What each file looked like when it was reported.
    QHash<QString, Stamp> m_reported;
    QTimer m_settleTimer;
    QTimer m_rescanTimer;
    bool m_polling = false;
};
