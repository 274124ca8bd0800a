#include "model/Media.h"

#include <QFileInfo>

Media::Media(const QString &path, const MediaType &type, QObject *parent)
    : QObject(parent)
    , m_id(QUuid::createUuid())
    , m_path(path)
    , m_type(type)
    , m_status(type.group() == MediaGroup::other ? MediaStatus::unrecognized
                                                 : MediaStatus::unprocessed)
{
    m_filename = path.section(u'/', -1);
    const qsizetype dot = m_filename.lastIndexOf(u'.');
    // A leading dot starts a hidden name, not an extension.
    m_ext = dot > 0 ? m_filename.mid(dot + 1) : QString();
}

QSharedPointer<Media> Media::create(const QString &path, const MediaType::ProbeFunction &probe,
                                    const QString &importRoot)
{
    // Deleted with deleteLater: the last holder may be a job on another path.
    const MediaType::Examined examined = MediaType::examine(path, probe);
    QSharedPointer<Media> item(new Media(path, examined.type), &QObject::deleteLater);
    const MediaGroup group = examined.type.group();
    if (examined.probed && (group == MediaGroup::audio || group == MediaGroup::video)) {
        if (examined.probed->duration > 0.0)
            item->m_duration = examined.probed->duration;
        if (group == MediaGroup::video)
            item->m_frameSize = examined.probed->frameSize;
    }
    item->m_fileIdentity = FileIdentity::of(path);
    item->m_importRoot = importRoot;
    return item;
}

QString Media::baseName() const
{
    if (m_ext.isEmpty())
        return m_filename;
    return m_filename.left(m_filename.size() - m_ext.size() - 1);
}

void Media::setStatus(MediaStatus status)
{
    if (m_status == status)
        return;
    m_status = status;
    Q_EMIT statusChanged();
    Q_EMIT changed();
}

void Media::setProgress(double progress)
{
    if (m_progress == progress)
        return;
    m_progress = progress;
    Q_EMIT progressChanged();
    Q_EMIT changed();
}

void Media::setMeasuring(bool measuring)
{
    if (m_measuring == measuring)
        return;
    m_measuring = measuring;
    Q_EMIT measuringChanged();
    Q_EMIT changed();
}

void Media::setErrorMessage(const std::optional<QString> &message)
{
    if (m_errorMessage == message)
        return;
    m_errorMessage = message;
    Q_EMIT errorMessageChanged();
    Q_EMIT changed();
}

void Media::setLastSuccessSignature(const std::optional<QString> &signature)
{
    if (m_lastSuccessSignature == signature)
        return;
    m_lastSuccessSignature = signature;
    Q_EMIT lastSuccessSignatureChanged();
    Q_EMIT changed();
}

void Media::setDuration(const std::optional<double> &seconds)
{
    if (m_duration == seconds)
        return;
    m_duration = seconds;
    Q_EMIT durationChanged();
    Q_EMIT changed();
}

void Media::setLastOutputSize(qint64 bytes)
{
    if (m_lastOutputSize == bytes)
        return;
    m_lastOutputSize = bytes;
    Q_EMIT lastOutputSizeChanged();
    Q_EMIT changed();
}

void Media::setLastOutputPath(const QString &path)
{
    if (m_lastOutputPath == path)
        return;
    m_lastOutputPath = path;
    Q_EMIT changed();
}

void Media::resetIfStale(const QString &currentSignature)
{
    if (m_status != MediaStatus::successful || m_lastSuccessSignature == currentSignature)
        return;
    setStatus(MediaStatus::unprocessed);
    setProgress(0.0);
    setErrorMessage(std::nullopt);
}
