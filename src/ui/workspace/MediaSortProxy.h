#pragma once

#include <QCollator>
#include <QSortFilterProxyModel>

// The file table's sort: file names naturally, letter case aside; the other
// columns by their values.
class MediaSortProxy final : public QSortFilterProxyModel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MediaSortProxy)

public:
    explicit MediaSortProxy(QObject *parent = nullptr);

protected:
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;

private:
    QCollator m_collator;
};
