#pragma once

#include "model/Operation.h"
#include "tools/ProbeResult.h"

#include <QJsonObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <optional>

class ProcessRun;

// The ffprobe command line for one file (the same for both forms).
QStringList probeArguments(const QString &path);

// Reads ffprobe's JSON document; missing or mistyped fields are absent.
ProbeResult parseProbeJSON(const QJsonObject &object);

// Blocking probe for background threads. Every failure (no ffprobe, a file
// that is not media, output that is not JSON) yields nothing.
std::optional<ProbeResult> probeMedia(const QString &path);

// The asynchronous probe: runs ffprobe on the calling thread's event loop.
class ProbeRun final : public Operation {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ProbeRun)

public:
    ~ProbeRun() override;

    // Valid once finished(); nothing on any failure or after cancel().
    const std::optional<ProbeResult> &result() const { return m_result; }

private:
    friend ProbeRun *probeMediaAsync(const QString &path, QObject *parent);
    explicit ProbeRun(QObject *parent);
    void onCancel() override;

    QPointer<ProcessRun> m_run;
    QString m_output;
    std::optional<ProbeResult> m_result;
};

ProbeRun *probeMediaAsync(const QString &path, QObject *parent = nullptr);
