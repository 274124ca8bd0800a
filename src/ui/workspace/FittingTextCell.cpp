#include "ui/workspace/FittingTextCell.h"

#include "ui/workspace/MediaTableModel.h"

#include <QApplication>
#include <QStyle>

FittingTextCell::FittingTextCell(QObject *parent)
    : QStyledItemDelegate(parent)
{
}

void FittingTextCell::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    const QStyle *style = option->widget ? option->widget->style() : QApplication::style();
    // The margins QCommonStyle leaves on either side of an item's text.
    const int margins
        = 2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, option->widget) + 1);
    if (option->fontMetrics.horizontalAdvance(option->text) > option->rect.width() - margins)
        option->text = index.data(MediaTableModel::ShortTextRole).toString();
}
