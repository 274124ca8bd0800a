#include "ui/workspace/MediaSortProxy.h"

#include "model/NaturalOrder.h"
#include "ui/workspace/MediaTableModel.h"

MediaSortProxy::MediaSortProxy(QObject *parent)
    : QSortFilterProxyModel(parent)
{
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
    setSortRole(MediaTableModel::SortRole);
}

bool MediaSortProxy::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    const QVariant a = left.data(sortRole());
    const QVariant b = right.data(sortRole());
    if (a.typeId() == QMetaType::QString)
        return NaturalOrder::compare(a.toString(), b.toString(), m_collator) < 0;
    return QSortFilterProxyModel::lessThan(left, right);
}
