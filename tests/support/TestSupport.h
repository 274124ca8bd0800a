#pragma once

#include "model/Media.h"
#include "tools/ProbeResult.h"

#include <QHash>
#include <QJsonObject>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTcpServer>
#include <QUrl>

#include <functional>
#include <optional>

class Operation;
class QProcess;
class QTcpSocket;

namespace TestSupport {

// Path of the test-only fake tool (see tests/faketool).
QString fakeTool();

// Runs the real ffmpeg synchronously to make a test file:
// ffmpeg -y -hide_banner -loglevel error <arguments> <output>.
// Fails the current test (QVERIFY-style, returns false) when ffmpeg fails.
bool makeMedia(const QString &output, const QStringList &arguments);

// A sine tone of the given length, encoded by the output's extension.
bool makeTone(const QString &output, double seconds = 1.0);

// "a b c" as {"a", "b", "c"}: short argument lists for makeMedia.
QStringList split(const char *text);

// Writes bytes to a new or truncated file.
bool writeFile(const QString &path, const QByteArray &bytes);

// An item of the given group, classified without a probe.
MediaPtr item(const QString &path, MediaGroup group = MediaGroup::audio);

// Items for copies of source named <stem>1.<ext>, <stem>2.<ext>… in folder,
// which is made first.
QList<MediaPtr> copies(const QString &source, const QString &folder, const QString &stem, int count,
                       MediaGroup group = MediaGroup::audio);

// sample.mp3, .wav, .mp4, .png, .srt and .txt (not media) in folder.
bool makeSamples(const QString &folder);

// Empties the preference store of this process, through QSettings so that
// its in-process cache follows.
void clearPreferences();

// The named child; a missing one ends the test run, since every later step
// would dereference it.
template<typename T> T *child(const QObject &parent, const char *name)
{
    T *found = parent.findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("no child named %s", name);
    return found;
}

// The blocking probe, run off the main thread as the code requires.
std::optional<ProbeResult> probe(const QString &path);

// Runs the event loop until the operation finished or the timeout ran out.
bool waitFor(Operation *operation, int timeoutMs = 60000);

// Runs the event loop until the condition holds or the timeout ran out.
bool waitUntil(const std::function<bool()> &condition, int timeoutMs = 60000);

// Starts vireo-cli with these variables added to this process's environment;
// an empty value removes one.
void startCli(QProcess &process, const QStringList &arguments,
              const QHash<QString, QString> &variables);

// The events of vireo-cli --json's output; none at all when a line is no event.
QList<QJsonObject> cliEvents(const QByteArray &output);

struct CliRun {
    int status = -1; // -1 after a crash
    QByteArray out;
    QList<QJsonObject> events; // with --json
};

// vireo-cli run to its end, as startCli starts it.
CliRun runCli(const QStringList &arguments, const QHash<QString, QString> &variables,
              const QString &workingDirectory = {});

// The files of a folder, hidden ones too, by name.
QStringList files(const QString &folder);

// Child processes of this process that are still alive (from /proc).
QStringList liveChildren();

// The process no longer runs: gone, or a zombie that nobody reaped.
bool isGone(const QByteArray &pid);

struct ReceivedRequest {
    QByteArray method, path, body;
    QHash<QByteArray, QByteArray> headers; // names in lower case
};

// A minimal HTTP/1.1 responder on 127.0.0.1: records each request and answers
// it with the chosen status and body, or never answers at all.
class LoopbackServer final : public QObject {
public:
    LoopbackServer();
    QUrl url() const;

    int status = 200;
    QByteArray body = "{}";
    bool answers = true;
    int connections = 0;
    QList<ReceivedRequest> requests;

private:
    void read(QTcpSocket *socket);

    QTcpServer m_server;
    QHash<QTcpSocket *, QByteArray> m_buffers;
};

// The bytes of a file, or "<missing>" when it cannot be read.
QByteArray readFile(const QString &path);

} // namespace TestSupport
