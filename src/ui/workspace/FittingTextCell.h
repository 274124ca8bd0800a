#pragma once

#include <QStyledItemDelegate>

// A table cell that shows its short text (MediaTableModel::ShortTextRole)
// when the whole does not fit, rather than cutting a number in the middle.
class FittingTextCell final : public QStyledItemDelegate {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FittingTextCell)

public:
    explicit FittingTextCell(QObject *parent = nullptr);

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;
};
