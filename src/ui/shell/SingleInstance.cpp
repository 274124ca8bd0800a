#include "ui/shell/SingleInstance.h"

#include <QDataStream>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>
#include <QUrl>

using namespace std::chrono_literals;

namespace {

// "VIRO" and a format number: a message from another program, or another
// version's, is dropped instead of misread.
constexpr quint32 messageMagic = 0x5649524f;
constexpr quint16 messageFormat = 2;
constexpr char receipt = '\x06';
constexpr qint64 maxMessageBytes = 16 * 1024 * 1024;
constexpr auto retryPause = 50ms;

QString runtimeDirectory()
{
    QString directory = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (directory.isEmpty())
        directory = QDir::tempPath();
    return directory;
}

} // namespace

SingleInstance::SingleInstance(const QString &name, QObject *parent)
    : QObject(parent)
    , m_directory(runtimeDirectory())
    , m_name(name)
    , m_lock(QDir(m_directory).filePath(name + QLatin1String(".lock")))
{
    // The default treats a lock untouched for 30 seconds as stale, which would
    // let a second launch steal it from a primary that runs for hours. A dead
    // owner is still recognised by its process id.
    m_lock.setStaleLockTime(0);
}

SingleInstance::~SingleInstance()
{
    if (m_server)
        m_server->close();
}

QString SingleInstance::lockFilePath() const
{
    return QDir(m_directory).filePath(m_name + QLatin1String(".lock"));
}

QString SingleInstance::serverPath() const
{
    return QDir(m_directory).filePath(m_name + QLatin1String(".socket"));
}

SingleInstance::Role SingleInstance::start(const QStringList &paths,
                                           std::chrono::milliseconds patience)
{
    const QDeadlineTimer deadline(patience);
    for (;;) {
        if (m_lock.tryLock(0)) {
            if (listen())
                return Role::primary;
            qWarning("Vireo could not listen on %s: %s", qPrintable(serverPath()),
                     qPrintable(m_server->errorString()));
            return Role::standalone;
        }
        if (m_lock.error() != QLockFile::LockFailedError) {
            // No lock can be had here at all (a read-only runtime folder).
            qWarning("Vireo could not create %s", qPrintable(lockFilePath()));
            return Role::standalone;
        }
        const auto left = std::chrono::milliseconds(deadline.remainingTime());
        if (deliver(paths, std::max(left, 100ms)))
            return Role::secondary;
        if (deadline.hasExpired())
            return Role::standalone;
        QThread::msleep(retryPause.count());
    }
}

bool SingleInstance::listen()
{
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // We hold the lock, so a socket file left over is a dead primary's.
    QLocalServer::removeServer(serverPath());
    if (!m_server->listen(serverPath()))
        return false;
    connect(m_server.get(), &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] { receive(socket); });
        }
    });
    return true;
}

bool SingleInstance::deliver(const QStringList &paths, std::chrono::milliseconds timeout)
{
    const QDeadlineTimer deadline(timeout);
    QLocalSocket socket;
    socket.connectToServer(serverPath());
    if (!socket.waitForConnected(int(deadline.remainingTime())))
        return false;

    QByteArray message;
    QDataStream out(&message, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_4);
    // The launcher's activation token lets the running instance raise its
    // window on Wayland, where a program may not take the focus unasked.
    out << messageMagic << messageFormat << paths << qEnvironmentVariable("XDG_ACTIVATION_TOKEN");
    QByteArray frame;
    QDataStream framing(&frame, QIODevice::WriteOnly);
    framing << message;
    socket.write(frame);
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(int(deadline.remainingTime())))
            return false;
    }
    // Only the receipt says the paths arrived; without it this launch must
    // not exit as if they had.
    while (socket.bytesAvailable() < 1) {
        if (!socket.waitForReadyRead(int(deadline.remainingTime())))
            return false;
    }
    char answer = 0;
    return socket.getChar(&answer) && answer == receipt;
}

void SingleInstance::receive(QLocalSocket *socket)
{
    if (socket->bytesAvailable() > maxMessageBytes) {
        socket->abort();
        return;
    }
    QDataStream in(socket);
    in.setVersion(QDataStream::Qt_6_4);
    in.startTransaction();
    QByteArray message;
    in >> message;
    if (!in.commitTransaction())
        return; // more to come

    QDataStream body(message);
    body.setVersion(QDataStream::Qt_6_4);
    quint32 magic = 0;
    quint16 format = 0;
    QStringList paths;
    QString activationToken;
    body >> magic >> format >> paths >> activationToken;
    if (body.status() != QDataStream::Ok || magic != messageMagic || format != messageFormat) {
        socket->abort();
        return;
    }
    // Qt's Wayland plugin reads the token from the environment when the
    // window next asks to be activated.
    if (!activationToken.isEmpty())
        qputenv("XDG_ACTIVATION_TOKEN", activationToken.toUtf8());
    socket->putChar(receipt);
    socket->flush();
    socket->disconnectFromServer();
    Q_EMIT activationRequested(paths);
}

QStringList SingleInstance::absolutePaths(const QStringList &arguments,
                                          const QString &workingDirectory)
{
    QStringList paths;
    const QDir base(workingDirectory);
    static const QRegularExpression otherUrl(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*://"));
    for (const QString &argument : arguments) {
        if (argument.isEmpty())
            continue;
        QString path = argument;
        // A file named like a URL ("file:x" in the working folder) is a file.
        if (!QFileInfo::exists(base.absoluteFilePath(argument))) {
            if (argument.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) {
                const QUrl url(argument);
                if (!url.isValid() || !url.isLocalFile())
                    continue;
                path = url.toLocalFile();
            } else if (otherUrl.match(argument).hasMatch()) {
                continue; // sftp://, https://: nothing to convert here
            }
        }
        paths.append(QDir::cleanPath(base.absoluteFilePath(path)));
    }
    return paths;
}
