#include "ui/main/GroupSidebar.h"

#include "ui/controls/HoverReset.h"
#include "ui/main/FileDrop.h"
#include "ui/main/GroupListModel.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int rowMargin = 5;
constexpr int rowInset = 8;
constexpr int dividerHeight = 9;
constexpr int iconSize = 16;

QColor mix(const QColor &from, const QColor &to, qreal amount)
{
    return QColor::fromRgbF(from.redF() + (to.redF() - from.redF()) * amount,
                            from.greenF() + (to.greenF() - from.greenF()) * amount,
                            from.blueF() + (to.blueF() - from.blueF()) * amount);
}

QColor secondary(const QPalette &palette)
{
    QColor colour = palette.color(QPalette::WindowText);
    colour.setAlphaF(0.55);
    return colour;
}

// A plus or minus drawn in the text colour, for desktops without an icon theme.
QIcon drawnSign(bool plus, const QColor &colour)
{
    QIcon icon;
    for (const int size : {16, 32}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(colour, size / 8.0, Qt::SolidLine, Qt::RoundCap));
        const qreal low = size * 0.22;
        const qreal high = size * 0.78;
        const qreal middle = size / 2.0;
        painter.drawLine(QPointF(low, middle), QPointF(high, middle));
        if (plus)
            painter.drawLine(QPointF(middle, low), QPointF(middle, high));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

// The icon's shape filled with one colour: symbolic icons come in a fixed
// dark grey that would vanish on a selection or in a dark theme.
QPixmap tinted(const QIcon &icon, const QSize &size, qreal ratio, const QColor &colour)
{
    QPixmap pixmap = icon.pixmap(size, ratio);
    if (pixmap.isNull())
        return pixmap;
    QPainter painter(&pixmap);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(pixmap.rect(), colour);
    return pixmap;
}

QIcon footerIcon(const char *name, const QIcon &fallback, const QColor &colour)
{
    const QIcon themed = QIcon::fromTheme(QLatin1String(name));
    if (themed.isNull())
        return fallback;
    QIcon icon;
    for (const qreal ratio : {1.0, 2.0})
        icon.addPixmap(tinted(themed, QSize(iconSize, iconSize), ratio, colour));
    return icon;
}

// Draws a group row: the selection as a rounded plate, the group's icon and
// title, its item count in a badge, and the divider above "Other".
class GroupRowDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const int text = std::max(option.fontMetrics.height(), iconSize);
        const int divider
            = index.data(GroupListModel::DividerAboveRole).toBool() ? dividerHeight : 0;
        return {option.rect.width(), divider + text + 2 * rowMargin + 4};
    }

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        const QPalette &palette = option.palette;
        QRect rect = option.rect;
        if (index.data(GroupListModel::DividerAboveRole).toBool()) {
            QColor line = palette.color(QPalette::WindowText);
            line.setAlphaF(0.15);
            const int y = rect.top() + dividerHeight / 2;
            painter->setPen(QPen(line, 1));
            painter->drawLine(QPointF(rect.left() + rowInset + 4, y + 0.5),
                              QPointF(rect.right() - rowInset - 4, y + 0.5));
            rect.setTop(rect.top() + dividerHeight);
        }
        const QRect plate = rect.adjusted(rowInset, 2, -rowInset, -2);

        const bool selected = option.state & QStyle::State_Selected;
        const bool active = option.state & QStyle::State_Active;
        QColor text = palette.color(QPalette::WindowText);
        if (selected) {
            QColor fill = palette.color(QPalette::Highlight);
            if (!active)
                fill.setAlphaF(0.3);
            else
                text = palette.color(QPalette::HighlightedText);
            painter->setPen(Qt::NoPen);
            painter->setBrush(fill);
            painter->drawRoundedRect(plate, 6, 6);
        } else if (option.state & QStyle::State_MouseOver) {
            QColor hover = palette.color(QPalette::WindowText);
            hover.setAlphaF(0.06);
            painter->setPen(Qt::NoPen);
            painter->setBrush(hover);
            painter->drawRoundedRect(plate, 6, 6);
        }

        const QRect content = plate.adjusted(rowMargin, 0, -rowMargin, 0);
        // Symbols in the accent colour, or in the selection's text colour.
        const QIcon icon = index.data(Qt::DecorationRole).value<QIcon>();
        const QRect iconRect(content.left() + 2, content.center().y() - iconSize / 2 + 1, iconSize,
                             iconSize);
        const QColor glyph = selected && active ? text : palette.color(QPalette::Highlight);
        const qreal ratio = painter->device()->devicePixelRatioF();
        // Only theme symbols are single-coloured shapes; the style's stand-ins are pictures.
        painter->drawPixmap(iconRect,
                            icon.name().isEmpty() ? icon.pixmap(iconRect.size(), ratio)
                                                  : tinted(icon, iconRect.size(), ratio, glyph));

        // The badge: the count in a small pill at the trailing edge.
        QFont badgeFont = option.font;
        badgeFont.setPointSizeF(badgeFont.pointSizeF() * 0.85);
        badgeFont.setWeight(QFont::DemiBold);
        const QFontMetrics badgeMetrics(badgeFont);
        const QString count
            = QLocale().toString(index.data(GroupListModel::CountRole).toLongLong());
        const int badgeWidth = std::max(badgeMetrics.horizontalAdvance(count) + 12, 22);
        const int badgeHeight = badgeMetrics.height() + 2;
        const QRect badge(content.right() - badgeWidth + 1, content.center().y() - badgeHeight / 2,
                          badgeWidth, badgeHeight);
        QColor badgeFill = selected && active ? palette.color(QPalette::HighlightedText)
                                              : palette.color(QPalette::WindowText);
        badgeFill.setAlphaF(selected && active ? 0.25 : 0.09);
        painter->setPen(Qt::NoPen);
        painter->setBrush(badgeFill);
        painter->drawRoundedRect(badge, badgeHeight / 2.0, badgeHeight / 2.0);
        painter->setFont(badgeFont);
        painter->setPen(selected && active ? text : secondary(palette));
        painter->drawText(badge, Qt::AlignCenter, count);

        const QRect title(iconRect.right() + 9, content.top(),
                          badge.left() - 6 - (iconRect.right() + 9), content.height());
        painter->setFont(option.font);
        painter->setPen(text);
        const QString elided
            = option.fontMetrics.elidedText(index.data().toString(), Qt::ElideRight, title.width());
        painter->drawText(title, Qt::AlignVCenter | Qt::AlignLeft, elided);
        painter->restore();
    }
};

} // namespace

GroupSidebar::GroupSidebar(MediaSet &set, QWidget *parent)
    : QWidget(parent)
    , m_model(new GroupListModel(set, this))
    , m_list(new QListView(this))
    , m_addButton(new QToolButton(this))
    , m_removeButton(new QToolButton(this))
    , m_clearButton(new QToolButton(this))
{
    setObjectName(QStringLiteral("groupSidebar"));
    auto *drop = new FileDrop(this);
    connect(drop, &FileDrop::targetedChanged, this, &GroupSidebar::setTargeted);
    connect(drop, &FileDrop::filesDropped, this, &GroupSidebar::filesDropped);
    setAutoFillBackground(true);
    setMinimumWidth(200);
    setMaximumWidth(320);

    auto *header = new QLabel(tr("Media"), this);
    QFont headerFont = header->font();
    headerFont.setPointSizeF(headerFont.pointSizeF() * 0.85);
    headerFont.setWeight(QFont::DemiBold);
    header->setFont(headerFont);
    header->setForegroundRole(QPalette::PlaceholderText);
    header->setContentsMargins(rowInset + rowMargin + 2, 12, 0, 4);

    // Rows removed or inserted are no choice of the user: the remembered
    // group must outlive its row. These connections run before the list's
    // own selection model sees the change.
    connect(m_model, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this] { m_showingSelection = true; });
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, [this] {
        m_showingSelection = false;
        // A single-selection list moves the selection to a neighbour of a
        // removed row; the remembered group is what shows.
        showSelection();
        updateRemoveButton();
    });
    connect(m_model, &QAbstractItemModel::rowsInserted, this, [this] {
        showSelection();
        updateRemoveButton();
    });

    m_list->setObjectName(QStringLiteral("groupList"));
    m_list->setAccessibleName(tr("Media"));
    m_list->setModel(m_model);
    m_list->setItemDelegate(new GroupRowDelegate(m_list));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setFrameShape(QFrame::NoFrame);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setMouseTracking(true);
    m_list->viewport()->setAutoFillBackground(false);
    m_list->setAutoFillBackground(false);
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &GroupSidebar::takeSelectionFromList);

    auto *divider = new QFrame(this);
    divider->setObjectName(QStringLiteral("footerDivider"));
    divider->setFixedHeight(1);
    divider->setAutoFillBackground(true);

    auto *footer = new QWidget(this);
    footer->setFixedHeight(48);
    auto *buttons = new QHBoxLayout(footer);
    buttons->setContentsMargins(14, 0, 14, 0);
    buttons->setSpacing(12);
    m_addButton->setObjectName(QStringLiteral("addButton"));
    m_addButton->setToolTip(tr("Add files or a folder"));
    auto *addMenu = new QMenu(m_addButton);
    addMenu->setObjectName(QStringLiteral("addMenu"));
    QAction *addFiles
        = addMenu->addAction(tr("Add Files…"), this, &GroupSidebar::addFilesRequested);
    addFiles->setObjectName(QStringLiteral("addFiles"));
    QAction *addFolder
        = addMenu->addAction(tr("Add Folder…"), this, &GroupSidebar::addFolderRequested);
    addFolder->setObjectName(QStringLiteral("addFolder"));
    m_addButton->setMenu(addMenu);
    m_addButton->setPopupMode(QToolButton::InstantPopup);
    m_removeButton->setObjectName(QStringLiteral("removeGroupButton"));
    m_removeButton->setToolTip(tr("Remove current group of files"));
    m_clearButton->setObjectName(QStringLiteral("clearListButton"));
    m_clearButton->setToolTip(tr("Clear list"));
    for (QToolButton *button : {m_addButton, m_removeButton, m_clearButton}) {
        // Icons only: a screen reader reads the tooltip's words as the name.
        button->setAccessibleName(button->toolTip());
        button->setAutoRaise(true);
        button->setIconSize(QSize(iconSize, iconSize));
        button->setFocusPolicy(Qt::TabFocus);
        resetHoverAfterPopups(button);
        button->setAccessibleName(button->toolTip()); // the icon is all a sighted user gets
        buttons->addWidget(button);
    }
    buttons->addStretch();
    connect(m_removeButton, &QToolButton::clicked, this, &GroupSidebar::removeGroupRequested);
    connect(m_clearButton, &QToolButton::clicked, this, &GroupSidebar::clearListRequested);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(header);
    layout->addWidget(m_list, 1);
    layout->addWidget(divider);
    layout->addWidget(footer);

    applyColours();
    updateRemoveButton();
}

QSize GroupSidebar::sizeHint() const
{
    return {220, QWidget::sizeHint().height()};
}

void GroupSidebar::setSelectedGroup(std::optional<MediaGroup> group)
{
    if (group == m_selectedGroup)
        return;
    m_selectedGroup = group;
    showSelection();
    updateRemoveButton();
    Q_EMIT selectedGroupChanged();
}

void GroupSidebar::showSelection()
{
    const int row = m_selectedGroup ? m_model->rowOf(*m_selectedGroup) : -1;
    const QModelIndex index = m_model->index(row, 0);
    if (row >= 0 && m_list->selectionModel()->isSelected(index))
        return;
    m_showingSelection = true;
    if (row >= 0)
        m_list->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    else
        m_list->selectionModel()->clear();
    m_showingSelection = false;
}

void GroupSidebar::takeSelectionFromList()
{
    if (m_showingSelection)
        return;
    const QModelIndexList selected = m_list->selectionModel()->selectedRows();
    if (selected.isEmpty()) {
        // The sidebar keeps a selection once the user made one.
        showSelection();
        return;
    }
    const std::optional<MediaGroup> group = m_model->groupAt(selected.first().row());
    if (group == m_selectedGroup)
        return;
    m_selectedGroup = group;
    updateRemoveButton();
    Q_EMIT selectedGroupChanged();
}

void GroupSidebar::updateRemoveButton()
{
    // Offering to remove a group whose files are already gone would promise
    // something that cannot happen.
    m_removeButton->setEnabled(m_selectedGroup && m_model->rowOf(*m_selectedGroup) >= 0);
}

void GroupSidebar::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::PaletteChange)
        applyColours();
    QWidget::changeEvent(event);
}

void GroupSidebar::setTargeted(bool targeted)
{
    if (m_targeted == targeted)
        return;
    m_targeted = targeted;
    applyColours();
}

void GroupSidebar::applyColours()
{
    // The sidebar sets itself off from the detail column by a slightly
    // darker shade, tinted with the accent while files hover over it.
    const QPalette base = QApplication::palette(this);
    const QColor window = base.color(QPalette::Window);
    QColor background = mix(window, base.color(QPalette::WindowText), 0.04);
    if (m_targeted)
        background = mix(background, base.color(QPalette::Highlight), 0.18);
    QPalette own = palette();
    own.setColor(QPalette::Window, background);
    own.setColor(QPalette::Base, background);
    // Only set when different: setPalette sends PaletteChange, which calls here.
    if (own != palette())
        setPalette(own);
    const QColor glyph = secondary(base);
    m_addButton->setIcon(footerIcon("list-add-symbolic", drawnSign(true, glyph), glyph));
    m_removeButton->setIcon(footerIcon("list-remove-symbolic", drawnSign(false, glyph), glyph));
    m_clearButton->setIcon(
        footerIcon("user-trash-symbolic", style()->standardIcon(QStyle::SP_TrashIcon), glyph));
    if (auto *divider = findChild<QFrame *>(QStringLiteral("footerDivider"))) {
        QPalette line = divider->palette();
        line.setColor(QPalette::Window, mix(background, base.color(QPalette::WindowText), 0.15));
        divider->setPalette(line);
    }
}
