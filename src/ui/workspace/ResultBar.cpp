#include "ui/workspace/ResultBar.h"

#include "model/WorkPool.h"
#include "ui/shell/FileManager.h"
#include "ui/workspace/RunRecord.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QtConcurrent>

namespace {

// One started item as the pool reads it: plain values, no shared objects.
struct Finished {
    QString path;
    JobOutcome outcome;
};

BatchOutcome summarize(const QList<Finished> &items, const QString &destination)
{
    BatchOutcome outcome;
    outcome.destination = destination;
    for (const Finished &item : items) {
        switch (item.outcome.kind) {
        case JobOutcomeKind::converted:
            ++outcome.converted;
            outcome.bytesIn += QFileInfo(item.path).size();
            outcome.bytesOut += QFileInfo(item.outcome.outputPath).size();
            break;
        case JobOutcomeKind::skipped:
            ++outcome.skipped;
            break;
        case JobOutcomeKind::failed:
            ++outcome.failed;
            outcome.failures.append(
                {item.path,
                 item.outcome.message.isEmpty() ? ResultBar::tr("Failed") : item.outcome.message});
            break;
        case JobOutcomeKind::cancelled:
            ++outcome.cancelled;
            break;
        }
    }
    return outcome;
}

// A tree view asks its delegate for a row's height without saying how wide
// the column is, so a wrapped reason would keep the height of one line.
class WrappingDelegate final : public QStyledItemDelegate {
public:
    explicit WrappingDelegate(QTreeView *view)
        : QStyledItemDelegate(view)
        , m_view(view)
    {
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem wrapped(option);
        // The style wraps only within a valid rectangle, height included.
        wrapped.rect
            = QRect(0, 0, m_view->columnWidth(index.column()), option.fontMetrics.height());
        wrapped.features |= QStyleOptionViewItem::WrapText;
        return QStyledItemDelegate::sizeHint(wrapped, index);
    }

private:
    QTreeView *m_view;
};

} // namespace

ResultBar::ResultBar(QWidget *parent)
    : QFrame(parent)
    , m_summary(new QLabel(this))
    , m_detailsButton(new QPushButton(tr("Show Failures"), this))
    , m_showButton(new QPushButton(tr("Show in File Manager"), this))
    , m_closeButton(new QToolButton(this))
    , m_details(new QWidget(this))
    , m_failureList(new QTreeWidget(m_details))
{
    setObjectName(QStringLiteral("resultBar"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::AlternateBase);

    m_summary->setObjectName(QStringLiteral("resultSummary"));
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_summary->setMinimumWidth(0);
    m_summary->setWordWrap(true);
    m_detailsButton->setObjectName(QStringLiteral("resultDetails"));
    m_detailsButton->setCheckable(true);
    m_showButton->setObjectName(QStringLiteral("resultShowFolder"));
    m_closeButton->setObjectName(QStringLiteral("resultClose"));
    m_closeButton->setAutoRaise(true);
    m_closeButton->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton, nullptr, this));
    m_closeButton->setToolTip(tr("Dismiss"));
    m_closeButton->setAccessibleName(tr("Dismiss"));
    connect(m_detailsButton, &QPushButton::clicked, this, &ResultBar::showDetails);
    connect(m_showButton, &QPushButton::clicked, this,
            [this] { FileManager::openFolder(m_outcome.destination, this); });
    connect(m_closeButton, &QToolButton::clicked, this, [this] {
        m_hasOutcome = false;
        hide();
    });

    auto *row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    row->addWidget(m_summary, 1);
    row->addWidget(m_detailsButton);
    row->addWidget(m_showButton);
    row->addWidget(m_closeButton);

    m_failureList->setObjectName(QStringLiteral("resultFailures"));
    // A long reason wraps in its row rather than scrolling out of sight.
    m_failureList->setHeaderLabels({tr("File"), tr("Reason")});
    m_failureList->setRootIsDecorated(false);
    m_failureList->setWordWrap(true);
    m_failureList->setTextElideMode(Qt::ElideMiddle);
    m_failureList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_failureList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_failureList->setAccessibleName(tr("Failed files"));
    m_failureList->header()->setStretchLastSection(true);
    m_failureList->header()->setSectionResizeMode(0, QHeaderView::Interactive);
    m_failureList->header()->resizeSection(0, 220);
    m_failureList->setItemDelegate(new WrappingDelegate(m_failureList));
    // Rows are measured once; a narrower reason column needs taller ones.
    connect(
        m_failureList->header(), &QHeaderView::sectionResized, m_failureList,
        [this] {
            m_failureList->doItemsLayout();
            fitFailureList();
        },
        // Not while the header is still sharing out its width.
        Qt::QueuedConnection);
    auto *copy = new QPushButton(tr("Copy"), m_details);
    copy->setObjectName(QStringLiteral("resultCopy"));
    connect(copy, &QPushButton::clicked, this, [this] {
        QStringList lines;
        for (const BatchOutcome::Failure &failure : m_outcome.failures)
            lines << QStringLiteral("%1 \u2014 %2")
                         .arg(QDir::toNativeSeparators(failure.path), failure.reason);
        QGuiApplication::clipboard()->setText(lines.join(u'\n'));
    });
    auto *details = new QHBoxLayout(m_details);
    details->setContentsMargins(0, 0, 0, 0);
    details->addWidget(m_failureList, 1);
    details->addWidget(copy, 0, Qt::AlignTop);
    m_details->hide();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 6, 6, 6);
    layout->setSpacing(6);
    layout->addLayout(row);
    layout->addWidget(m_details);
    hide();
}

void ResultBar::setShownGroup(MediaGroup group)
{
    m_inShownGroup = group == m_target.group;
    setVisible(m_hasOutcome && m_inShownGroup);
}

void ResultBar::runStarted(const MediaTarget &target, const QString &destination)
{
    ++m_run;
    m_target = target;
    m_destination = destination;
    m_hasOutcome = false;
    m_inShownGroup = true;
    hide();
}

void ResultBar::runFinished(const RunRecord &record)
{
    QList<Finished> items;
    for (const MediaPtr &item : record.items()) {
        if (const std::optional<JobOutcome> outcome = record.outcome(item->id()))
            items.append({item->pathString(), *outcome});
    }
    // Reading the sizes of thousands of files is disk work.
    auto *watcher = new QFutureWatcher<BatchOutcome>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, run = m_run] {
        watcher->deleteLater();
        if (run == m_run)
            showOutcome(watcher->result());
    });
    watcher->setFuture(QtConcurrent::run(WorkPool::instance(), summarize, items, m_destination));
}

QString ResultBar::summary() const
{
    return m_summary->text();
}

void ResultBar::showOutcome(const BatchOutcome &outcome)
{
    m_outcome = outcome;
    QStringList parts;
    parts << tr("%n converted", nullptr, outcome.converted);
    if (outcome.skipped > 0)
        parts << tr("%n skipped (already converted)", nullptr, outcome.skipped);
    if (outcome.failed > 0)
        parts << tr("%n failed", nullptr, outcome.failed);
    if (outcome.cancelled > 0)
        parts << tr("%n cancelled", nullptr, outcome.cancelled);
    QString text = parts.join(QStringLiteral(" \u00b7 "));
    if (outcome.converted > 0) {
        const QLocale locale;
        text += QStringLiteral(" \u2014 ")
            + tr("%1 \u2192 %2")
                  .arg(locale.formattedDataSize(outcome.bytesIn),
                       locale.formattedDataSize(outcome.bytesOut));
    }
    m_summary->setText(text);

    m_failureList->clear();
    for (const BatchOutcome::Failure &failure : outcome.failures) {
        auto *row = new QTreeWidgetItem(m_failureList,
                                        {QFileInfo(failure.path).fileName(), failure.reason});
        row->setToolTip(0, QDir::toNativeSeparators(failure.path));
        row->setToolTip(1, failure.reason);
    }
    fitFailureList();
    m_detailsButton->setVisible(!outcome.failures.isEmpty());
    showDetails(false);
    // Nothing written, nothing to show there.
    m_showButton->setVisible(outcome.converted + outcome.skipped > 0
                             && !outcome.destination.isEmpty());
    m_hasOutcome = true;
    setVisible(m_inShownGroup);
    Q_EMIT outcomeShown();
}

void ResultBar::fitFailureList()
{
    // As tall as its wrapped rows, from two lines to eight; more scroll.
    const int lineHeight = m_failureList->fontMetrics().lineSpacing();
    int rows = 0;
    for (int row = 0; row < m_failureList->topLevelItemCount() && rows < 8 * lineHeight; ++row)
        rows += m_failureList->visualItemRect(m_failureList->topLevelItem(row)).height();
    m_failureList->setFixedHeight(m_failureList->header()->sizeHint().height()
                                  + std::clamp(rows, 2 * lineHeight, 8 * lineHeight)
                                  + 2 * m_failureList->frameWidth() + 4);
}

void ResultBar::showDetails(bool shown)
{
    shown = shown && !m_outcome.failures.isEmpty();
    m_detailsButton->setChecked(shown);
    m_detailsButton->setText(shown ? tr("Hide Failures") : tr("Show Failures"));
    m_details->setVisible(shown);
}
