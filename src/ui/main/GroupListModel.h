#pragma once

#include "model/MediaGroup.h"

#include <QAbstractListModel>
#include <QList>

#include <optional>

class MediaSet;

// The sidebar's rows: one per group that holds items, in group order, with
// the group's item count. Follows the media set row by row, so a view's
// selection survives imports and removals of other groups.
class GroupListModel final : public QAbstractListModel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GroupListModel)

public:
    enum Role {
        GroupRole = Qt::UserRole + 1, // int value of the MediaGroup
        CountRole, // number of items in the group
        DividerAboveRole, // a divider separates this row from the one above
    };

    explicit GroupListModel(MediaSet &set, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

    std::optional<MediaGroup> groupAt(int row) const;
    // The row of a group, or -1 when the group has none.
    int rowOf(MediaGroup group) const;

    // The sidebar's symbol for a group, from the icon theme when it has one.
    static QIcon icon(MediaGroup group);

private:
    struct Row {
        MediaGroup group;
        qsizetype count;
    };

    void sync();
    bool dividerAbove(int row) const;

    MediaSet &m_set;
    QList<Row> m_rows;
};
