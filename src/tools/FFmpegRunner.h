#pragma once

#include "model/Operation.h"
#include "tools/FFArgs.h"
#include "tools/FFEvent.h"
#include "tools/FFProgressParser.h"
#include "tools/FFmpegError.h"

#include <QPointer>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

class ProcessRun;

// Where a run that writes `destination` puts its metadata input: beside it,
// under the same name with the extension "ffmeta".
QString ffmetadataPathFor(const QString &destination);

// The complete ffmpeg command line of one conversion, in its fixed order:
// the seven fixed options, the input options, "-y"/"-n", "-i" and the input,
// the metadata input when there is one, the output options, the output. Both paths are made absolute and passed as
// "file:" URLs, and an image whose name holds "%" is never taken for a
// numbered sequence.
QStringList ffmpegArguments(const QString &source, const QString &destination, const FFArgs &args,
                            bool overwrite);

// One ffmpeg conversion. Events are delivered on the thread that started it.
// A run that was cancelled before ffmpeg returned fails as cancelled, whatever
// the tool's exit status; one whose log reports a failed write fails with that
// line even when ffmpeg exits 0, as it does on a full disk.
class FFmpegRun final : public Operation {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FFmpegRun)

public:
    ~FFmpegRun() override;

    bool succeeded() const { return isFinished() && !m_failure; }
    // Valid once finished(); nothing on success.
    const std::optional<FFmpegFailure> &failure() const { return m_failure; }

private:
    friend FFmpegRun *runFFmpegWith(const QString &, const QString &, const QString &,
                                    const FFArgs &, bool, FFEventHandler, QObject *);
    explicit FFmpegRun(QObject *parent);
    void onCancel() override;
    void onProcessFinished();
    // ffmpeg's messages name the files by the URLs it was given; users know
    // them by their paths.
    QString withPaths(QString text) const;
    void removeMetadataInput();

    QPointer<ProcessRun> m_process;
    FFProgressParser m_parser;
    FFEventHandler m_onEvent;
    std::optional<FFmpegFailure> m_failure;
    QString m_writeError; // the first line that reported a failed write
    QList<std::pair<QString, QString>> m_urls; // URL and path of the input and output
    QString m_metadataPath; // the metadata input while it exists
};

// Runs the ffmpeg that ToolLocator found; a missing ffmpeg fails the run
// with a message that says how to install it.
FFmpegRun *runFFmpeg(const QString &source, const QString &destination, const FFArgs &args,
                     bool overwrite, FFEventHandler onEvent = {}, QObject *parent = nullptr);

// The same with an explicit tool, for tests and benchmarks.
FFmpegRun *runFFmpegWith(const QString &ffmpeg, const QString &source, const QString &destination,
                         const FFArgs &args, bool overwrite, FFEventHandler onEvent = {},
                         QObject *parent = nullptr);
