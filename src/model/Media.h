#pragma once

#include "model/FileIdentity.h"
#include "model/MediaStatus.h"
#include "model/MediaType.h"

#include <QObject>
#include <QSharedPointer>
#include <QSize>
#include <QString>
#include <QUuid>

#include <optional>

// One input file of the list and the observable state of its conversion.
// Identified by its random id, never by content. Lives on the main thread;
// every change of a published field is signalled there.
class Media final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Media)

public:
    // Takes an already classified file; the status follows its group.
    Media(const QString &path, const MediaType &type, QObject *parent = nullptr);

    // Classifies the file first and keeps the play length and frame size the
    // probe found. Blocks (file system, probe): call it off the main thread
    // and move the item to the main thread afterwards.
    static QSharedPointer<Media> create(const QString &path,
                                        const MediaType::ProbeFunction &probe = {},
                                        const QString &importRoot = {});

    const QUuid &id() const { return m_id; }
    const QString &pathString() const { return m_path; }
    const QString &filename() const { return m_filename; }
    const QString &ext() const { return m_ext; } // letter case kept; empty without one
    const MediaType &type() const { return m_type; }
    // Read when the file was imported (off the main thread); nothing for an
    // item made directly or a file that did not exist then.
    const std::optional<FileIdentity> &fileIdentity() const { return m_fileIdentity; }
    // That identity, or for an item made directly, the file's as it is now
    // (a stat: not for the main thread in bulk).
    std::optional<FileIdentity> identityOrCurrent() const
    {
        return m_fileIdentity ? m_fileIdentity : FileIdentity::of(m_path);
    }
    MediaGroup group() const { return m_type.group(); }
    // The folder that was imported when this file was found inside it; empty
    // for a file given by itself. Keeping the folder structure mirrors the
    // file's place below it.
    const QString &importRoot() const { return m_importRoot; }
    void setImportRoot(const QString &folder) { m_importRoot = folder; }

    MediaStatus status() const { return m_status; }
    double progress() const { return m_progress; }
    const std::optional<QString> &errorMessage() const { return m_errorMessage; }
    const std::optional<QString> &lastSuccessSignature() const { return m_lastSuccessSignature; }
    const std::optional<double> &duration() const { return m_duration; }
    // A video's frame size as the import read it; nothing when unknown.
    const std::optional<QSize> &frameSize() const { return m_frameSize; }
    // The size in bytes of the output the last successful conversion wrote;
    // -1 while unknown.
    qint64 lastOutputSize() const { return m_lastOutputSize; }
    // Where the last successful conversion wrote its output; empty before.
    const QString &lastOutputPath() const { return m_lastOutputPath; }
    // True while the conversion's first pass measures the loudness; the
    // progress then counts that pass.
    bool isMeasuring() const { return m_measuring; }

    void setStatus(MediaStatus status);
    void setProgress(double progress);
    void setErrorMessage(const std::optional<QString> &message);
    void setLastSuccessSignature(const std::optional<QString> &signature);
    void setDuration(const std::optional<double> &seconds);
    void setLastOutputSize(qint64 bytes);
    void setLastOutputPath(const QString &path);
    void setMeasuring(bool measuring);

    // Back to unprocessed when the item was converted, but not with the
    // settings whose signature is given: check marks show only what was
    // converted with the settings now in force.
    void resetIfStale(const QString &currentSignature);

    // The file name without its last extension, which names the output.
    QString baseName() const;

Q_SIGNALS:
    void statusChanged();
    void progressChanged();
    void errorMessageChanged();
    void lastSuccessSignatureChanged();
    void measuringChanged();
    void durationChanged();
    void lastOutputSizeChanged();
    // Any published field changed; views that redraw a whole row use this.
    void changed();

private:
    QUuid m_id;
    QString m_path;
    QString m_filename;
    QString m_ext;
    MediaType m_type;
    std::optional<FileIdentity> m_fileIdentity;
    MediaStatus m_status;
    double m_progress = 0.0;
    std::optional<QString> m_errorMessage;
    std::optional<QString> m_lastSuccessSignature;
    std::optional<double> m_duration;
    std::optional<QSize> m_frameSize;
    qint64 m_lastOutputSize = -1;
    QString m_importRoot;
    QString m_lastOutputPath;
    bool m_measuring = false;
};

using MediaPtr = QSharedPointer<Media>;
