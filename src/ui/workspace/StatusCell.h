#pragma once

#include "model/MediaStatus.h"

#include <QStyledItemDelegate>

class QPainter;

// The status column of the file table: the item's status symbol in the
// status's colour, spinning while the item converts, with a tooltip that
// says what the symbol means (for a failure, why it failed). The drawing
// helpers serve the progress sheet's rows too.
class StatusCell final : public QStyledItemDelegate {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StatusCell)

public:
    explicit StatusCell(QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override;

    // "Waiting", "Converting…", the error message or "Failed", …
    static QString toolTip(MediaStatus status, const QString &errorMessage);
    static QColor color(MediaStatus status, const QPalette &palette);
    // The status symbol, fitted into rect. `angle` turns the processing
    // arrows, in degrees.
    static void paintSymbol(QPainter *painter, const QRectF &rect, MediaStatus status,
                            const QColor &color, qreal angle = 0);
    // Where spinning symbols stand now: one turn every 1.1 seconds. All
    // spinners share it, so they turn in step.
    static qreal spinAngle();
};
