#pragma once

#include "model/Media.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <QSet>
#include <QTimer>

class ThumbnailCache;

// The items of one group as table rows: status, file name with a thumbnail,
// folder, type description, duration, file size and the size of the output
// (while the item stands converted). Thumbnails and sizes come
// from worker threads, for the rows that are shown. A row follows its item: status and message
// changes update it at once, progress changes are gathered and published a few times a second, so
// that many running jobs do not flood the view.
class MediaTableModel final : public QAbstractTableModel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MediaTableModel)

public:
    enum Column {
        statusColumn,
        fileColumn,
        folderColumn,
        typeColumn,
        durationColumn,
        sizeColumn,
        outputColumn
    };
    static constexpr int columns = 7;

    enum Role {
        MediaRole = Qt::UserRole + 1, // Media *
        IdRole, // QUuid
        StatusRole, // int, a MediaStatus
        ProgressRole, // double
        ErrorMessageRole, // QString; null when there is none
        PathRole, // QString
        MeasuringRole, // bool: the loudness measuring pass runs
        // What a column sorts by: the status, the file name, the folder, the
        // description, the seconds, the bytes (-1 while unknown), the
        // output's bytes (-1 without one).
        SortRole,
        // The cell's text for a column too narrow for the whole: the
        // output's size without the change.
        ShortTextRole,
    };

    explicit MediaTableModel(QObject *parent = nullptr);

    const QList<MediaPtr> &media() const { return m_media; }
    // Replaces the rows; does nothing when the list holds the same items.
    void setMedia(const QList<MediaPtr> &media);

    // Thumbnails and sizes are read only for a model that a view shows.
    void setReadsFiles(bool reads) { m_readsFiles = reads; }

    MediaPtr item(int row) const;
    // -1 when no row holds the item.
    int rowOf(const QUuid &id) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    bool applyAsEdits(const QList<MediaPtr> &media);
    void watch(Media *item);
    void indexRows();
    void rowChanged(Media *item);
    void cellChanged(Media *item, Column column);
    QString outputText(const Media &item) const;
    QString statusText(const Media &item) const;
    void progressChanged(Media *item);
    void flushProgress();

    QList<MediaPtr> m_media;
    QHash<const Media *, int> m_rows;
    QHash<QString, int> m_rowsByPath;
    ThumbnailCache *m_thumbnails;
    bool m_readsFiles = false;
    QSet<const Media *> m_progressed;
    QTimer m_progressTimer;
};
