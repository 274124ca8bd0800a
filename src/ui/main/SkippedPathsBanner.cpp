#include "ui/main/SkippedPathsBanner.h"

#include "model/MediaSet.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QStyle>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// Enough to see what went wrong; a folder of thousands of unreadable names
// does not need a row for each.
constexpr qsizetype listedAtMost = 1000;

QColor mix(const QColor &from, const QColor &to, qreal amount)
{
    return QColor::fromRgbF(from.redF() + (to.redF() - from.redF()) * amount,
                            from.greenF() + (to.greenF() - from.greenF()) * amount,
                            from.blueF() + (to.blueF() - from.blueF()) * amount);
}

} // namespace

SkippedPathsBanner::SkippedPathsBanner(MediaSet &set, QWidget *parent)
    : QWidget(parent)
    , m_set(set)
    , m_icon(new QLabel(this))
    , m_summary(new QLabel(this))
    , m_detailsButton(new QToolButton(this))
    , m_dismissButton(new QToolButton(this))
    , m_details(new QTreeWidget(this))
{
    setObjectName(QStringLiteral("skippedPathsBanner"));

    QIcon warning = QIcon::fromTheme(QStringLiteral("dialog-warning-symbolic"));
    if (warning.isNull())
        warning = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    m_icon->setPixmap(warning.pixmap(16, 16));
    m_summary->setObjectName(QStringLiteral("skippedSummary"));
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_detailsButton->setObjectName(QStringLiteral("skippedDetailsButton"));
    m_detailsButton->setAutoRaise(true);
    m_detailsButton->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_detailsButton->setText(tr("Show Details"));
    connect(m_detailsButton, &QToolButton::clicked, this,
            [this] { setDetailsShown(!detailsShown()); });

    m_dismissButton->setObjectName(QStringLiteral("skippedDismissButton"));
    m_dismissButton->setAutoRaise(true);
    QIcon close = QIcon::fromTheme(QStringLiteral("window-close-symbolic"));
    if (close.isNull())
        close = style()->standardIcon(QStyle::SP_TitleBarCloseButton);
    m_dismissButton->setIcon(close);
    m_dismissButton->setIconSize(QSize(14, 14));
    m_dismissButton->setToolTip(tr("Dismiss"));
    m_dismissButton->setAccessibleName(tr("Dismiss"));
    connect(m_dismissButton, &QToolButton::clicked, this, [this] { m_set.clearSkippedPaths(); });

    m_details->setObjectName(QStringLiteral("skippedDetails"));
    m_details->setColumnCount(2);
    m_details->setHeaderLabels({tr("File or folder"), tr("Reason")});
    m_details->setRootIsDecorated(false);
    m_details->setUniformRowHeights(true);
    m_details->setAlternatingRowColors(true);
    m_details->setTextElideMode(Qt::ElideMiddle);
    m_details->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_details->header()->setStretchLastSection(true);
    m_details->setFrameShape(QFrame::NoFrame);
    m_details->setVisible(false);

    auto *row = new QHBoxLayout;
    row->setContentsMargins(12, 4, 6, 4);
    row->setSpacing(8);
    row->addWidget(m_icon);
    row->addWidget(m_summary, 1);
    row->addWidget(m_detailsButton);
    row->addWidget(m_dismissButton);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 1);
    layout->setSpacing(0);
    layout->addLayout(row);
    auto *detailsBox = new QVBoxLayout;
    detailsBox->setContentsMargins(12, 0, 12, 8);
    detailsBox->addWidget(m_details);
    layout->addLayout(detailsBox);

    connect(&m_set, &MediaSet::skippedPathsChanged, this, &SkippedPathsBanner::sync);
    sync();
}

QString SkippedPathsBanner::summary() const
{
    return m_summary->text();
}

bool SkippedPathsBanner::detailsShown() const
{
    return m_details->isVisibleTo(this);
}

void SkippedPathsBanner::setDetailsShown(bool shown)
{
    m_details->setVisible(shown);
    m_detailsButton->setText(shown ? tr("Hide Details") : tr("Show Details"));
    if (shown) {
        m_details->resizeColumnToContents(0);
        fitDetails();
    }
}

void SkippedPathsBanner::sync()
{
    const QList<SkippedPath> &skipped = m_set.skippedPaths();
    if (skipped.isEmpty()) {
        m_details->clear();
        m_listed = 0;
        setDetailsShown(false);
        hide();
        return;
    }
    m_summary->setText(skipped.size() == 1 ? tr("1 file or folder could not be imported.")
                                           : tr("%Ln files or folders could not be imported.",
                                                nullptr, int(skipped.size())));

    // The set only ever appends to its report or empties it.
    if (skipped.size() < m_listed) {
        m_details->clear();
        m_listed = 0;
    }
    delete m_details->topLevelItem(int(listedAtMost));
    const qsizetype end = std::min(skipped.size(), listedAtMost);
    QList<QTreeWidgetItem *> rows;
    for (; m_listed < end; ++m_listed) {
        const SkippedPath &entry = skipped.at(m_listed);
        auto *item = new QTreeWidgetItem({entry.path, entry.reason});
        item->setToolTip(0, entry.path);
        item->setToolTip(1, entry.reason);
        rows.append(item);
    }
    if (skipped.size() > listedAtMost) {
        rows.append(new QTreeWidgetItem(
            {tr("%1 more not listed").arg(QLocale().toString(skipped.size() - listedAtMost))}));
    }
    m_details->addTopLevelItems(rows);
    fitDetails();
    show();
}

void SkippedPathsBanner::fitDetails()
{
    // As tall as the rows, up to about eight of them; the rest scrolls.
    const int rows = std::min(m_details->topLevelItemCount(), 8);
    const int row = m_details->topLevelItemCount() > 0
        ? m_details->visualItemRect(m_details->topLevelItem(0)).height()
        : 0;
    const int height = m_details->header()->sizeHint().height()
        + std::max(row, m_details->fontMetrics().height() + 4) * std::max(rows, 1) + 4;
    m_details->setFixedHeight(height);
}

void SkippedPathsBanner::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QColor window = palette().color(QPalette::Window);
    const bool dark = window.lightnessF() < 0.5;
    painter.fillRect(rect(), mix(window, QColor(0xf5, 0xb0, 0x0b), dark ? 0.22 : 0.25));
    painter.setPen(mix(window, palette().color(QPalette::WindowText), 0.2));
    painter.drawLine(0, height() - 1, width(), height() - 1);
}
