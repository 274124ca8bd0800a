#include "TestSupport.h"

#include "model/Operation.h"
#include "settings/Preferences.h"
#include "tools/MediaProbe.h"
#include "tools/ProcessRunner.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QJsonDocument>
#include <QNetworkProxy>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

#include <thread>

namespace TestSupport {

QString fakeTool()
{
    return QStringLiteral(VIREO_FAKETOOL);
}

bool makeMedia(const QString &output, const QStringList &arguments)
{
    QString ffmpeg = qEnvironmentVariable("VIREO_FFMPEG");
    if (ffmpeg.isEmpty())
        ffmpeg = QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
    const SyncProcessOutput made = runProcessSync(
        ffmpeg, split("-y -hide_banner -loglevel error") + arguments + QStringList {output});
    if (!made.success)
        qWarning("making %s failed: %s", qPrintable(output), qPrintable(made.output));
    return made.success && QFile::exists(output);
}

bool makeTone(const QString &output, double seconds)
{
    return makeMedia(output,
                     split("-f lavfi -i")
                         << QStringLiteral("sine=sample_rate=44100:duration=%1").arg(seconds));
}

QStringList split(const char *text)
{
    return QString::fromLatin1(text).split(u' ');
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && file.write(bytes) == bytes.size();
}

MediaPtr item(const QString &path, MediaGroup group)
{
    return MediaPtr(new Media(path, MediaType(group, {})), &QObject::deleteLater);
}

QList<MediaPtr> copies(const QString &source, const QString &folder, const QString &stem, int count,
                       MediaGroup group)
{
    QDir().mkpath(folder);
    QList<MediaPtr> items;
    for (int i = 1; i <= count; ++i) {
        const QString path
            = QStringLiteral("%1/%2%3.%4").arg(folder, stem).arg(i).arg(QFileInfo(source).suffix());
        QFile::copy(source, path);
        items << item(path, group);
    }
    return items;
}

bool makeSamples(const QString &folder)
{
    const auto path = [&folder](const char *name) {
        return folder + u'/' + QLatin1String(name);
    };
    return makeMedia(path("sample.mp3"), split("-f lavfi -i sine=duration=0.2"))
        && makeMedia(path("sample.wav"), split("-f lavfi -i sine=duration=0.2"))
        && makeMedia(path("sample.mp4"),
                     split("-f lavfi -i testsrc=duration=0.2:size=32x32 -pix_fmt yuv420p"))
        && makeMedia(path("sample.png"), split("-f lavfi -i testsrc=size=32x32 -frames:v 1"))
        && writeFile(path("sample.srt"), "1\n00:00:00,000 --> 00:00:01,000\nHello\n")
        && writeFile(path("sample.txt"), "not media\n");
}

void clearPreferences()
{
    Preferences::instance().flush();
    {
        QSettings store(Preferences::instance().fileName(), QSettings::IniFormat);
        store.clear();
    }
    Preferences::instance().reload();
}

std::optional<ProbeResult> probe(const QString &path)
{
    // A thread of its own: a pool would run the task here when asked to wait.
    std::optional<ProbeResult> result;
    std::thread([&] { result = probeMedia(path); }).join();
    return result;
}

bool waitFor(Operation *operation, int timeoutMs)
{
    if (!operation)
        return false;
    if (operation->isFinished()) {
        // finished() may still be queued: let it go out before returning.
        QCoreApplication::processEvents();
        return true;
    }
    bool done = false;
    QObject::connect(operation, &Operation::finished, operation, [&done] { done = true; });
    return waitUntil([&done] { return done; }, timeoutMs);
}

bool waitUntil(const std::function<bool()> &condition, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    // Sleeps in the event loop instead of spinning, so the children being
    // waited for have the processors; the tick only rechecks the deadline.
    QTimer tick;
    tick.start(50);
    QEventLoop loop;
    while (!condition() && !deadline.hasExpired())
        loop.processEvents(QEventLoop::WaitForMoreEvents);
    return condition();
}

void startCli(QProcess &process, const QStringList &arguments,
              const QHash<QString, QString> &variables)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (auto it = variables.cbegin(); it != variables.cend(); ++it) {
        if (it.value().isEmpty())
            environment.remove(it.key());
        else
            environment.insert(it.key(), it.value());
    }
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(VIREO_CLI), arguments);
}

QList<QJsonObject> cliEvents(const QByteArray &output)
{
    QList<QJsonObject> events;
    for (const QByteArray &line : output.split('\n')) {
        const QJsonObject event = QJsonDocument::fromJson(line).object();
        if (!line.isEmpty() && !event.contains("event")) {
            qWarning("not an event line: %s", line.constData());
            return {};
        }
        if (!line.isEmpty())
            events << event;
    }
    return events;
}

CliRun runCli(const QStringList &arguments, const QHash<QString, QString> &variables,
              const QString &workingDirectory)
{
    QProcess process;
    process.setWorkingDirectory(workingDirectory);
    startCli(process, arguments, variables);
    process.waitForFinished(120000);
    CliRun run;
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    if (arguments.contains(QStringLiteral("--json")))
        run.events = cliEvents(run.out);
    return run;
}

QStringList files(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

QStringList liveChildren()
{
    QStringList children;
    const QString self = QString::number(QCoreApplication::applicationPid());
    const QStringList pids = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString &pid : pids) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromUtf8(stat.readAll());
        // pid (comm) state ppid …: the command may hold spaces, so read after ')'.
        const QStringList fields = text.mid(text.lastIndexOf(u')') + 2).split(u' ');
        if (fields.size() > 1 && fields.at(1) == self && fields.at(0) != QStringLiteral("Z"))
            children << pid;
    }
    return children;
}

bool isGone(const QByteArray &pid)
{
    QFile stat("/proc/" + pid + "/stat");
    return !stat.open(QIODevice::ReadOnly) || stat.readAll().split(')').last().trimmed()[0] == 'Z';
}

LoopbackServer::LoopbackServer()
{
    // Reached directly, never through a proxy from the environment.
    QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
    if (!m_server.listen(QHostAddress::LocalHost))
        qFatal("cannot listen on 127.0.0.1");
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            ++connections;
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(socket); });
        }
    });
}

QUrl LoopbackServer::url() const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort()));
}

void LoopbackServer::read(QTcpSocket *socket)
{
    QByteArray &buffer = m_buffers[socket];
    buffer += socket->readAll();
    const qsizetype headerEnd = buffer.indexOf("\r\n\r\n");
    if (headerEnd < 0)
        return;
    ReceivedRequest request;
    const QList<QByteArray> lines = buffer.left(headerEnd).split('\n');
    const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
    request.method = requestLine.value(0);
    request.path = requestLine.value(1);
    for (const QByteArray &line : lines.mid(1)) {
        if (const qsizetype colon = line.indexOf(':'); colon > 0)
            request.headers.insert(line.left(colon).trimmed().toLower(),
                                   line.mid(colon + 1).trimmed());
    }
    const qsizetype length = request.headers.value("content-length").toLongLong();
    if (buffer.size() < headerEnd + 4 + length)
        return;
    request.body = buffer.mid(headerEnd + 4, length);
    requests.append(request);
    if (answers) {
        socket->write("HTTP/1.1 " + QByteArray::number(status) + " Answer\r\nContent-Length: "
                      + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
        socket->disconnectFromHost();
    }
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace TestSupport
