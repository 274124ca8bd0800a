#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <QStringList>

#include <chrono>
#include <memory>

class QLocalServer;
class QLocalSocket;

// Keeps one Vireo per user: the first launch becomes the primary instance,
// and a later launch hands its files to it and exits.
//
// The primary holds a lock file and listens on a local socket, both in the
// user's runtime folder ($XDG_RUNTIME_DIR) and named after the program's id.
// A lock whose owner has died (a crash, a kill -9) is taken over; one whose
// owner lives is never broken, however old.
class SingleInstance final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SingleInstance)

public:
    enum class Role {
        primary, // this process holds the lock and listens
        secondary, // the running instance took the paths: exit now
        standalone, // the lock's owner never answered: run on without the lock
    };

    explicit SingleInstance(const QString &name, QObject *parent = nullptr);
    ~SingleInstance() override;

    // Becomes the primary, or delivers the paths to the primary and waits for
    // its receipt. A primary that is still starting gets up to `patience` to
    // begin listening. Blocks: call it before the window exists.
    Role start(const QStringList &paths, std::chrono::milliseconds patience);

    QString lockFilePath() const;
    QString serverPath() const;

    // Command-line arguments (paths, relative or absolute, or file: URLs) as
    // absolute, clean local paths. URLs of other schemes (sftp://, https://)
    // are left out.
    static QStringList absolutePaths(const QStringList &arguments, const QString &workingDirectory);

Q_SIGNALS:
    // A later launch asked for the window, with its paths (maybe none), all
    // of one launch at once.
    void activationRequested(const QStringList &paths);

private:
    bool listen();
    bool deliver(const QStringList &paths, std::chrono::milliseconds timeout);
    void receive(QLocalSocket *socket);

    QString m_directory;
    QString m_name;
    QLockFile m_lock;
    std::unique_ptr<QLocalServer> m_server;
};
