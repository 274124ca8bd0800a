#include "ui/workspace/MediaTableModel.h"

#include "conversion/ProgressMath.h"
#include "model/MediaStatus.h"
#include "ui/workspace/ThumbnailCache.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

namespace {

// The file's folder below the parent of what was dropped, so that the
// "01 Intro.flac" of two albums are told apart by the album's name.
QString folderText(const Media &item)
{
    const QString folder = QFileInfo(item.pathString()).path();
    const QString dropped = item.importRoot().isEmpty() ? folder : item.importRoot();
    return QDir::toNativeSeparators(QDir(QFileInfo(dropped).path()).relativeFilePath(folder));
}

// The output of a run shows while the item stands converted; a reset to
// waiting (new settings) clears it.
bool showsOutput(const Media &item)
{
    return item.status() == MediaStatus::successful && item.lastOutputSize() >= 0;
}

// Progress only moves the in-flight bars; a few updates a second are plenty.
constexpr int progressInterval = 200;

} // namespace

MediaTableModel::MediaTableModel(QObject *parent)
    : QAbstractTableModel(parent)
    , m_thumbnails(new ThumbnailCache(this))
{
    connect(m_thumbnails, &ThumbnailCache::ready, this, [this](const QString &path) {
        // Only the roles that changed: the proxy then re-sorts only when the
        // table is sorted by size, not for every thumbnail while scrolling.
        const int row = m_rowsByPath.value(path, -1);
        if (row < 0)
            return;
        Q_EMIT dataChanged(index(row, fileColumn), index(row, fileColumn), {Qt::DecorationRole});
        Q_EMIT dataChanged(index(row, sizeColumn), index(row, outputColumn),
                           {Qt::DisplayRole, SortRole});
    });
    m_progressTimer.setSingleShot(true);
    m_progressTimer.setInterval(progressInterval);
    connect(&m_progressTimer, &QTimer::timeout, this, &MediaTableModel::flushProgress);
}

void MediaTableModel::setMedia(const QList<MediaPtr> &media)
{
    if (media == m_media)
        return;
    // Files land a few hundred at a time while an import goes on and leave
    // in runs: the table hears of rows inserted and removed, so a sorted view
    // places only those, and the selection and the scroll position stay.
    // Anything else, a new order, is a reset.
    if (!applyAsEdits(media)) {
        beginResetModel();
        for (const MediaPtr &item : std::as_const(m_media))
            disconnect(item.data(), nullptr, this, nullptr);
        m_media = media;
        m_progressed.clear();
        m_progressTimer.stop();
        for (const MediaPtr &item : std::as_const(m_media))
            watch(item.data());
        indexRows();
        endResetModel();
    }
}

bool MediaTableModel::applyAsEdits(const QList<MediaPtr> &media)
{
    QSet<const Media *> incoming;
    incoming.reserve(media.size());
    for (const MediaPtr &item : media)
        incoming.insert(item.data());
    if (incoming.size() != media.size())
        return false; // the same file twice: not a list this model keeps
    // The rows that stay must keep their order among themselves.
    QSet<const Media *> staying;
    qsizetype old = 0;
    for (const MediaPtr &item : media) {
        if (!m_rows.contains(item.data()))
            continue;
        while (old < m_media.size() && !incoming.contains(m_media.at(old).data()))
            ++old;
        if (old == m_media.size() || m_media.at(old) != item)
            return false;
        staying.insert(item.data());
        ++old;
    }

    // Runs of rows that go, from the end so that the row numbers ahead hold.
    for (int last = int(m_media.size()) - 1; last >= 0; --last) {
        if (staying.contains(m_media.at(last).data()))
            continue;
        int first = last;
        while (first > 0 && !staying.contains(m_media.at(first - 1).data()))
            --first;
        beginRemoveRows({}, first, last);
        for (int row = first; row <= last; ++row) {
            disconnect(m_media.at(row).data(), nullptr, this, nullptr);
            m_progressed.remove(m_media.at(row).data());
        }
        m_media.remove(first, last - first + 1);
        endRemoveRows();
        last = first;
    }
    // Runs of new rows where the list has them; what stays is in order.
    for (int row = 0; row < media.size();) {
        if (staying.contains(media.at(row).data())) {
            ++row;
            continue;
        }
        int end = row + 1;
        while (end < media.size() && !staying.contains(media.at(end).data()))
            ++end;
        beginInsertRows({}, row, end - 1);
        for (int at = row; at < end; ++at) {
            m_media.insert(at, media.at(at));
            watch(media.at(at).data());
        }
        endInsertRows();
        row = end;
    }
    indexRows();
    return true;
}

void MediaTableModel::watch(Media *item)
{
    const auto changed = [this, item] {
        rowChanged(item);
    };
    connect(item, &Media::statusChanged, this, changed);
    connect(item, &Media::errorMessageChanged, this, changed);
    connect(item, &Media::measuringChanged, this, changed);
    connect(item, &Media::progressChanged, this, [this, item] { progressChanged(item); });
    connect(item, &Media::durationChanged, this,
            [this, item] { cellChanged(item, durationColumn); });
    connect(item, &Media::lastOutputSizeChanged, this,
            [this, item] { cellChanged(item, outputColumn); });
}

void MediaTableModel::indexRows()
{
    m_rows.clear();
    m_rowsByPath.clear();
    m_rows.reserve(m_media.size());
    m_rowsByPath.reserve(m_media.size());
    for (int row = 0; row < m_media.size(); ++row) {
        m_rows.insert(m_media.at(row).data(), row);
        m_rowsByPath.insert(m_media.at(row)->pathString(), row);
    }
}

MediaPtr MediaTableModel::item(int row) const
{
    return row >= 0 && row < m_media.size() ? m_media.at(row) : MediaPtr();
}

int MediaTableModel::rowOf(const QUuid &id) const
{
    for (int row = 0; row < m_media.size(); ++row) {
        if (m_media.at(row)->id() == id)
            return row;
    }
    return -1;
}

int MediaTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_media.size());
}

int MediaTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : columns;
}

QVariant MediaTableModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const Media &item = *m_media.at(index.row());
    const bool timed = item.group() == MediaGroup::audio || item.group() == MediaGroup::video;
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case fileColumn:
            return item.filename();
        case folderColumn:
            return folderText(item);
        case typeColumn:
            return item.type().descr();
        case durationColumn:
            if (!timed)
                return QString();
            return item.duration() ? ProgressMath::formatDuration(*item.duration())
                                   : QStringLiteral("\u2014");
        case sizeColumn:
            if (!m_readsFiles)
                return QString();
            if (const std::optional<qint64> bytes
                = m_thumbnails->size(item.pathString(), item.group()))
                return QLocale().formattedDataSize(*bytes);
            return QString();
        case outputColumn:
            return outputText(item);
        default:
            return {};
        }
    case Qt::DecorationRole:
        if (m_readsFiles && index.column() == fileColumn) {
            QImage image;
            if (item.group() == MediaGroup::image || timed)
                image = m_thumbnails->thumbnail(item.pathString(), item.group());
            return image.isNull() ? ThumbnailCache::emptySlot() : image;
        }
        return {};
    case Qt::TextAlignmentRole:
        if (index.column() >= durationColumn)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    case Qt::ToolTipRole:
        if (index.column() == fileColumn)
            return item.pathString();
        if (index.column() == folderColumn)
            return QDir::toNativeSeparators(QFileInfo(item.pathString()).path());
        if (index.column() == typeColumn)
            return item.type().descr();
        return {};
    case SortRole:
        switch (index.column()) {
        case statusColumn:
            return int(item.status());
        case durationColumn:
            return item.duration().value_or(-1.0);
        case sizeColumn:
            return m_readsFiles ? m_thumbnails->size(item.pathString(), item.group()).value_or(-1)
                                : qint64(-1);
        case outputColumn:
            return showsOutput(item) ? item.lastOutputSize() : qint64(-1);
        default:
            return data(index, Qt::DisplayRole);
        }
    case ShortTextRole:
        if (index.column() == outputColumn && showsOutput(item))
            return QLocale().formattedDataSize(item.lastOutputSize());
        return data(index, Qt::DisplayRole);
    case Qt::AccessibleTextRole:
        if (index.column() == statusColumn)
            return statusText(item);
        return {};
    case MediaRole:
        return QVariant::fromValue(const_cast<Media *>(&item));
    case IdRole:
        return item.id();
    case StatusRole:
        return int(item.status());
    case ProgressRole:
        return item.progress();
    case ErrorMessageRole:
        return item.errorMessage().value_or(QString());
    case PathRole:
        return item.pathString();
    case MeasuringRole:
        return item.isMeasuring();
    default:
        return {};
    }
}

QVariant MediaTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case fileColumn:
        return tr("File");
    case folderColumn:
        return tr("Folder");
    case typeColumn:
        return tr("Type");
    case durationColumn:
        return tr("Duration");
    case sizeColumn:
        return tr("Size");
    case outputColumn:
        return tr("Output");
    default:
        return QString();
    }
}

Qt::ItemFlags MediaTableModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void MediaTableModel::rowChanged(Media *item)
{
    const int row = m_rows.value(item, -1);
    if (row < 0)
        return;
    m_progressed.remove(item);
    Q_EMIT dataChanged(index(row, 0), index(row, columns - 1));
}

void MediaTableModel::cellChanged(Media *item, Column column)
{
    const int row = m_rows.value(item, -1);
    if (row >= 0)
        Q_EMIT dataChanged(index(row, column), index(row, column));
}

// "3.1 MB (−42 %)": the output's size and how much it differs from the
// input's, once both are known.
QString MediaTableModel::outputText(const Media &item) const
{
    if (!showsOutput(item))
        return QString();
    const qint64 output = item.lastOutputSize();
    const QLocale locale;
    const QString size = locale.formattedDataSize(output);
    const std::optional<qint64> input
        = m_readsFiles ? m_thumbnails->size(item.pathString(), item.group()) : std::nullopt;
    if (!input || *input <= 0)
        return size;
    const qint64 percent = qRound64((output - *input) * 100.0 / *input);
    const QString change = percent > 0 ? locale.positiveSign() + locale.toString(percent)
        : percent < 0                  ? QStringLiteral("\u2212") + locale.toString(-percent)
                                       : locale.toString(0);
    return tr("%1 (%2\u00a0%)").arg(size, change);
}

void MediaTableModel::progressChanged(Media *item)
{
    m_progressed.insert(item);
    if (!m_progressTimer.isActive())
        m_progressTimer.start();
}

void MediaTableModel::flushProgress()
{
    const QSet<const Media *> progressed = std::exchange(m_progressed, {});
    for (const Media *item : progressed) {
        const int row = m_rows.value(item, -1);
        if (row >= 0)
            Q_EMIT dataChanged(index(row, statusColumn), index(row, statusColumn), {ProgressRole});
    }
}

// What a screen reader says of the status cell: the symbol's meaning and what
// a sighted user reads beside it.
QString MediaTableModel::statusText(const Media &item) const
{
    switch (item.status()) {
    case MediaStatus::processing:
        return tr("Converting, %1 %").arg(int(std::clamp(item.progress(), 0.0, 1.0) * 100));
    case MediaStatus::failed:
        return item.errorMessage() && !item.errorMessage()->isEmpty()
            ? tr("Failed: %1").arg(*item.errorMessage())
            : tr("Failed");
    case MediaStatus::successful:
        return showsOutput(item)
            ? tr("Converted, %1").arg(QLocale().formattedDataSize(item.lastOutputSize()))
            : tr("Converted");
    case MediaStatus::unprocessed:
        return tr("Waiting");
    case MediaStatus::unrecognized:
        return tr("Unsupported file type");
    case MediaStatus::cancelled:
        return tr("Cancelled");
    }
    return {};
}
