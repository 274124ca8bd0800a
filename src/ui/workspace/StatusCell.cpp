#include "ui/workspace/StatusCell.h"

#include "ui/workspace/MediaTableModel.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QElapsedTimer>
#include <QHelpEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>

#include <cmath>

namespace {

constexpr int symbolSize = 16;
constexpr qint64 turnMs = 1100;

void drawArrowArc(QPainter *painter, const QRectF &circle, qreal startDegrees, qreal spanDegrees,
                  qreal penWidth)
{
    QPainterPath arc;
    arc.arcMoveTo(circle, startDegrees);
    arc.arcTo(circle, startDegrees, spanDegrees);
    painter->drawPath(arc);

    // An arrow head at the end of the arc, pointing along it.
    const qreal end = qDegreesToRadians(startDegrees + spanDegrees);
    const QPointF centre = circle.center();
    const qreal radius = circle.width() / 2;
    const QPointF tip(centre.x() + radius * std::cos(end), centre.y() - radius * std::sin(end));
    // The tangent of a counter-clockwise arc in screen coordinates.
    const QPointF along(-std::sin(end), -std::cos(end));
    const QPointF across(std::cos(end), -std::sin(end));
    const qreal head = penWidth * 2.2;
    QPolygonF triangle;
    triangle << tip + along * head << tip + across * head * 0.9 << tip - across * head * 0.9;
    painter->setBrush(painter->pen().color());
    painter->drawPolygon(triangle);
    painter->setBrush(Qt::NoBrush);
}

} // namespace

StatusCell::StatusCell(QObject *parent)
    : QStyledItemDelegate(parent)
{
}

QString StatusCell::toolTip(MediaStatus status, const QString &errorMessage)
{
    switch (status) {
    case MediaStatus::unprocessed:
        return tr("Waiting");
    case MediaStatus::processing:
        return tr("Converting…");
    case MediaStatus::failed:
        return errorMessage.isEmpty() ? tr("Failed") : errorMessage;
    case MediaStatus::successful:
        return tr("Converted");
    case MediaStatus::unrecognized:
        return tr("Unsupported file type");
    case MediaStatus::cancelled:
        return tr("Cancelled");
    }
    return {};
}

QColor StatusCell::color(MediaStatus status, const QPalette &palette)
{
    QColor secondary = palette.color(QPalette::Text);
    secondary.setAlphaF(0.55f);
    switch (status) {
    case MediaStatus::processing:
        return palette.color(QPalette::Highlight);
    case MediaStatus::failed:
        return QColor(0xe5, 0x3e, 0x3e);
    case MediaStatus::successful:
        return QColor(0x2e, 0xa8, 0x4a);
    case MediaStatus::cancelled:
        return QColor(0xf0, 0x8c, 0x00);
    case MediaStatus::unprocessed:
    case MediaStatus::unrecognized:
        break;
    }
    return secondary;
}

qreal StatusCell::spinAngle()
{
    static const QElapsedTimer clock = [] {
        QElapsedTimer started;
        started.start();
        return started;
    }();
    return 360.0 * qreal(clock.elapsed() % turnMs) / turnMs;
}

void StatusCell::paintSymbol(QPainter *painter, const QRectF &rect, MediaStatus status,
                             const QColor &color, qreal angle)
{
    const qreal size = qMin(rect.width(), rect.height());
    const qreal penWidth = qMax(1.2, size / 11);
    const QRectF circle(rect.center().x() - size / 2 + penWidth / 2,
                        rect.center().y() - size / 2 + penWidth / 2, size - penWidth,
                        size - penWidth);

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    QPen pen(color, penWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter->setPen(pen);
    painter->setBrush(Qt::NoBrush);
    const QPointF c = circle.center();
    const qreal r = circle.width() / 2;

    switch (status) {
    case MediaStatus::unprocessed:
        painter->drawEllipse(circle);
        break;
    case MediaStatus::processing: {
        painter->translate(c);
        painter->rotate(angle);
        painter->translate(-c);
        const QRectF inner = circle.adjusted(penWidth, penWidth, -penWidth, -penWidth);
        drawArrowArc(painter, inner, 20, 130, penWidth);
        drawArrowArc(painter, inner, 200, 130, penWidth);
        break;
    }
    case MediaStatus::failed:
    case MediaStatus::successful: {
        painter->setPen(Qt::NoPen);
        painter->setBrush(color);
        painter->drawEllipse(
            circle.adjusted(-penWidth / 2, -penWidth / 2, penWidth / 2, penWidth / 2));
        QPen mark(Qt::white, penWidth * 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        painter->setPen(mark);
        painter->setBrush(Qt::NoBrush);
        if (status == MediaStatus::failed) {
            const qreal d = r * 0.38;
            painter->drawLine(c + QPointF(-d, -d), c + QPointF(d, d));
            painter->drawLine(c + QPointF(-d, d), c + QPointF(d, -d));
        } else {
            QPolygonF check;
            check << c + QPointF(-r * 0.42, r * 0.02) << c + QPointF(-r * 0.1, r * 0.36)
                  << c + QPointF(r * 0.45, -r * 0.32);
            painter->drawPolyline(check);
        }
        break;
    }
    case MediaStatus::unrecognized: {
        painter->drawEllipse(circle);
        QFont font = QApplication::font();
        font.setBold(true);
        font.setPixelSize(qMax(6, int(r * 1.3)));
        painter->setFont(font);
        painter->drawText(circle, Qt::AlignCenter, QStringLiteral("?"));
        break;
    }
    case MediaStatus::cancelled: {
        painter->drawEllipse(circle);
        const qreal d = r * 0.36;
        painter->setPen(Qt::NoPen);
        painter->setBrush(color);
        painter->drawRoundedRect(QRectF(c.x() - d, c.y() - d, 2 * d, 2 * d), d / 4, d / 4);
        break;
    }
    }
    painter->restore();
}

void StatusCell::paint(QPainter *painter, const QStyleOptionViewItem &option,
                       const QModelIndex &index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QWidget *widget = opt.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &opt, painter, widget);

    const auto status = MediaStatus(index.data(MediaTableModel::StatusRole).toInt());
    QColor tint = color(status, opt.palette);
    // The accent and the grey would vanish on the selection's own colour.
    const bool selected = opt.state & QStyle::State_Selected;
    if (selected
        && (status == MediaStatus::processing || status == MediaStatus::unprocessed
            || status == MediaStatus::unrecognized))
        tint = opt.palette.color(QPalette::HighlightedText);
    const QRectF symbol(QPointF(), QSizeF(symbolSize, symbolSize));
    paintSymbol(painter, symbol.translated(QRectF(opt.rect).center() - symbol.center()), status,
                tint, status == MediaStatus::processing ? spinAngle() : 0);
}

QSize StatusCell::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    return QStyledItemDelegate::sizeHint(option, index)
        .expandedTo({symbolSize + 6, symbolSize + 4});
}

bool StatusCell::helpEvent(QHelpEvent *event, QAbstractItemView *view,
                           const QStyleOptionViewItem &option, const QModelIndex &index)
{
    if (event->type() != QEvent::ToolTip || !index.isValid())
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    const auto status = MediaStatus(index.data(MediaTableModel::StatusRole).toInt());
    const QString text
        = status == MediaStatus::processing && index.data(MediaTableModel::MeasuringRole).toBool()
        ? tr("Measuring loudness…")
        : toolTip(status, index.data(MediaTableModel::ErrorMessageRole).toString());
    QToolTip::showText(event->globalPos(), text, view, option.rect);
    return true;
}
