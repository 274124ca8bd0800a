#include "ui/main/GroupListModel.h"

#include "model/MediaSet.h"

#include <QApplication>
#include <QIcon>
#include <QStyle>

GroupListModel::GroupListModel(MediaSet &set, QObject *parent)
    : QAbstractListModel(parent)
    , m_set(set)
{
    connect(&m_set, &MediaSet::mediaChanged, this, &GroupListModel::sync);
    sync();
}

int GroupListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant GroupListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const Row &row = m_rows.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return label(row.group);
    case Qt::DecorationRole:
        return icon(row.group);
    case Qt::ToolTipRole:
        return row.count == 1 ? tr("%1: 1 file").arg(label(row.group))
                              : tr("%1: %Ln files", nullptr, int(row.count)).arg(label(row.group));
    case GroupRole:
        return int(row.group);
    case CountRole:
        return qlonglong(row.count);
    case DividerAboveRole:
        return dividerAbove(index.row());
    default:
        return {};
    }
}

QHash<int, QByteArray> GroupListModel::roleNames() const
{
    QHash<int, QByteArray> names = QAbstractListModel::roleNames();
    names.insert(GroupRole, "group");
    names.insert(CountRole, "count");
    names.insert(DividerAboveRole, "dividerAbove");
    return names;
}

std::optional<MediaGroup> GroupListModel::groupAt(int row) const
{
    if (row < 0 || row >= m_rows.size())
        return std::nullopt;
    return m_rows.at(row).group;
}

int GroupListModel::rowOf(MediaGroup group) const
{
    for (int row = 0; row < m_rows.size(); ++row) {
        if (m_rows.at(row).group == group)
            return row;
    }
    return -1;
}

QIcon GroupListModel::icon(MediaGroup group)
{
    struct Symbol {
        std::initializer_list<const char *> names;
        QStyle::StandardPixmap fallback;
    };
    static const Symbol symbols[] = {
        {{"audio-headphones-symbolic", "audio-headphones", "audio-x-generic"},
         QStyle::SP_MediaVolume},
        {{"camera-video-symbolic", "camera-video", "video-x-generic"}, QStyle::SP_MediaPlay},
        {{"camera-photo-symbolic", "image-x-generic-symbolic", "image-x-generic"},
         QStyle::SP_DesktopIcon},
        {{"media-view-subtitles-symbolic", "text-x-generic-symbolic", "text-x-generic"},
         QStyle::SP_FileDialogDetailedView},
        {{"view-more-horizontal-symbolic", "view-more-symbolic", "view-more"}, QStyle::SP_FileIcon},
    };
    const Symbol &symbol = symbols[int(group)];
    for (const char *name : symbol.names) {
        QIcon themed = QIcon::fromTheme(QLatin1String(name));
        if (!themed.isNull())
            return themed;
    }
    return QApplication::style()->standardIcon(symbol.fallback);
}

void GroupListModel::sync()
{
    const QMap<MediaGroup, QList<MediaPtr>> &grouped = m_set.media();
    const int otherRow = rowOf(MediaGroup::other);
    const bool otherHadDivider = otherRow >= 0 && dividerAbove(otherRow);

    // Both lists follow the group order, so one walk finds every row to
    // insert or remove; rows that stay keep their identity.
    int row = 0;
    for (MediaGroup group : allGroups()) {
        const bool listed = row < m_rows.size() && m_rows.at(row).group == group;
        const auto present = grouped.constFind(group);
        if (listed && present == grouped.cend()) {
            beginRemoveRows({}, row, row);
            m_rows.removeAt(row);
            endRemoveRows();
        } else if (!listed && present != grouped.cend()) {
            beginInsertRows({}, row, row);
            m_rows.insert(row, {group, present->size()});
            endInsertRows();
            ++row;
        } else if (listed) {
            ++row;
        }
    }

    for (row = 0; row < m_rows.size(); ++row) {
        Row &current = m_rows[row];
        const qsizetype count = grouped.value(current.group).size();
        QList<int> roles;
        if (count != current.count) {
            current.count = count;
            roles << CountRole << Qt::ToolTipRole;
        }
        // A row that stays may gain or lose its divider as rows above it
        // come and go.
        if (current.group == MediaGroup::other && otherRow >= 0
            && otherHadDivider != dividerAbove(row))
            roles << DividerAboveRole;
        if (!roles.isEmpty())
            Q_EMIT dataChanged(index(row), index(row), roles);
    }
}

bool GroupListModel::dividerAbove(int row) const
{
    return row > 0 && m_rows.at(row).group == MediaGroup::other;
}
