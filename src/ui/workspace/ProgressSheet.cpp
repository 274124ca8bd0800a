#include "ui/workspace/ProgressSheet.h"

#include "conversion/JobQueue.h"
#include "conversion/ProgressMath.h"
#include "ui/controls/ElidedLabel.h"
#include "ui/controls/ShimmerProgressBar.h"
#include "ui/controls/TextTones.h"
#include "ui/workspace/RunRecord.h"
#include "ui/workspace/StatusCell.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

namespace {

constexpr int margin = 24;
constexpr int sheetWidth = 440;
constexpr int listMaxHeight = 240;
constexpr int rowSpacing = 8;
constexpr int refreshMs = 500;
constexpr int spinFrameMs = 33;
const QColor failureRed(0xe5, 0x3e, 0x3e);

void setTextColor(QWidget *widget, const QColor &color, QPalette::ColorRole role)
{
    QPalette palette = widget->palette();
    palette.setColor(role, color);
    widget->setPalette(palette);
}

// The status symbol of a row, turning while its item converts.
class StatusGlyph final : public QWidget {
public:
    explicit StatusGlyph(Media *item)
        : m_item(item)
    {
        setFixedSize(16, 16);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        const MediaStatus status = m_item->status();
        StatusCell::paintSymbol(&painter, QRectF(rect()).adjusted(1, 1, -1, -1), status,
                                StatusCell::color(status, palette()),
                                status == MediaStatus::processing ? StatusCell::spinAngle() : 0);
    }

private:
    Media *m_item;
};

} // namespace

// One file being converted: its symbol, its name and its own progress.
class ProgressSheet::InFlightRow final : public QWidget {
public:
    explicit InFlightRow(const MediaPtr &item)
        : m_item(item)
    {
        auto *layout = new QHBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(8);
        m_glyph = new StatusGlyph(item.data());
        layout->addWidget(m_glyph);
        auto *name = new ElidedLabel(item->filename());
        name->setToolTip(item->pathString());
        layout->addWidget(name, 1);
        m_progress = new QProgressBar;
        m_progress->setRange(0, 1000);
        m_progress->setTextVisible(false);
        m_progress->setFixedSize(90, 6);
        layout->addWidget(m_progress);
        m_percent = new QLabel;
        m_percent->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_percent->setMinimumWidth(
            m_percent->fontMetrics().horizontalAdvance(ProgressSheet::tr("%1 %").arg(100)));
        setTextColor(m_percent, TextTones::secondary(this), QPalette::WindowText);
        layout->addWidget(m_percent);
        connect(item.data(), &Media::changed, this, &InFlightRow::showItem);
        showItem();
    }

    const MediaPtr &item() const { return m_item; }
    void spin() { m_glyph->update(); }

private:
    void showItem()
    {
        const double progress = std::clamp(m_item->progress(), 0.0, 1.0);
        m_progress->setValue(int(progress * 1000));
        m_percent->setText(m_item->isMeasuring()
                               ? ProgressSheet::tr("Measuring… %1 %").arg(int(progress * 100))
                               : ProgressSheet::tr("%1 %").arg(int(progress * 100)));
        m_glyph->update();
    }

    MediaPtr m_item;
    StatusGlyph *m_glyph = nullptr;
    QProgressBar *m_progress = nullptr;
    QLabel *m_percent = nullptr;
};

ProgressSheet::ProgressSheet(JobQueue &queue, const RunRecord &record, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , m_queue(queue)
    , m_record(record)
{
    setWindowTitle(tr("Converting"));
    setWindowModality(Qt::WindowModal);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->setSpacing(14);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    auto *header = new QHBoxLayout;
    auto *headings = new QVBoxLayout;
    headings->setSpacing(2);
    m_title = new QLabel(tr("Converting"));
    m_title->setObjectName(QStringLiteral("title"));
    QFont titleFont = m_title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.45);
    titleFont.setWeight(QFont::DemiBold);
    m_title->setFont(titleFont);
    headings->addWidget(m_title);
    m_counts = new QLabel;
    m_counts->setObjectName(QStringLiteral("counts"));
    QFont small = m_counts->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    m_counts->setFont(small);
    setTextColor(m_counts, TextTones::secondary(this), QPalette::WindowText);
    headings->addWidget(m_counts);
    header->addLayout(headings);
    header->addStretch();

    m_failed = new QWidget;
    auto *failedLayout = new QHBoxLayout(m_failed);
    failedLayout->setContentsMargins(0, 0, 0, 0);
    failedLayout->setSpacing(4);
    auto *warning = new QLabel;
    const QIcon warningIcon = QIcon::fromTheme(QStringLiteral("dialog-warning-symbolic"),
                                               style()->standardIcon(QStyle::SP_MessageBoxWarning));
    warning->setPixmap(warningIcon.pixmap(14, 14));
    failedLayout->addWidget(warning);
    m_failedText = new QLabel;
    m_failedText->setObjectName(QStringLiteral("failed"));
    m_failedText->setFont(small);
    setTextColor(m_failedText, failureRed, QPalette::WindowText);
    failedLayout->addWidget(m_failedText);
    header->addWidget(m_failed, 0, Qt::AlignTop);
    layout->addLayout(header);

    m_bar = new ShimmerProgressBar;
    m_bar->setObjectName(QStringLiteral("progressBar"));
    // The sheet takes its size from its content; the bar sets its width.
    m_bar->setMinimumWidth(sheetWidth - 2 * margin);
    layout->addWidget(m_bar);

    m_scroll = new QScrollArea;
    m_scroll->setObjectName(QStringLiteral("inFlight"));
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidgetResizable(true);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto *rows = new QWidget;
    m_rowsLayout = new QVBoxLayout(rows);
    m_rowsLayout->setContentsMargins(0, 0, 0, 0);
    m_rowsLayout->setSpacing(rowSpacing);
    m_rowsLayout->addStretch();
    m_scroll->setWidget(rows);
    layout->addWidget(m_scroll);

    auto *footer = new QHBoxLayout;
    m_timeLine = new QLabel;
    m_timeLine->setObjectName(QStringLiteral("timeLine"));
    m_timeLine->setFont(small);
    setTextColor(m_timeLine, TextTones::secondary(this), QPalette::WindowText);
    footer->addWidget(m_timeLine, 1);
    m_cancel = new QPushButton(tr("Cancel"));
    m_cancel->setObjectName(QStringLiteral("cancel"));
    // Return must not cancel a run by accident.
    m_cancel->setAutoDefault(false);
    setTextColor(m_cancel, failureRed, QPalette::ButtonText);
    connect(m_cancel, &QPushButton::clicked, this, &ProgressSheet::reject);
    footer->addWidget(m_cancel);
    layout->addLayout(footer);

    m_refreshTimer.setInterval(refreshMs);
    connect(&m_refreshTimer, &QTimer::timeout, this, &ProgressSheet::refresh);
    m_spinTimer.setInterval(spinFrameMs);
    connect(&m_spinTimer, &QTimer::timeout, this, [this] {
        for (InFlightRow *row : std::as_const(m_rows))
            row->spin();
    });
    connect(&m_queue, &JobQueue::totalsChanged, this, &ProgressSheet::refresh);
    connect(&m_record, &RunRecord::changed, this, &ProgressSheet::refresh);
    connect(&m_queue, &JobQueue::isRunningChanged, this, &ProgressSheet::runningChanged);
    refresh();
}

ProgressSheet::~ProgressSheet() = default;

QList<MediaPtr> ProgressSheet::inFlight() const
{
    QList<MediaPtr> items;
    for (const InFlightRow *row : m_rows)
        items.append(row->item());
    return items;
}

void ProgressSheet::reject()
{
    if (!m_queue.isRunning() || m_cancelling)
        return;
    // Said before the queue is asked: a run with nothing in flight ends
    // inside cancelAll().
    m_cancelling = true;
    m_title->setText(tr("Cancelling…"));
    m_cancel->setText(tr("Cancelling…"));
    m_cancel->setEnabled(false);
    refresh();
    m_queue.cancelAll();
}

void ProgressSheet::closeEvent(QCloseEvent *event)
{
    if (m_queue.isRunning())
        event->ignore();
    else
        QDialog::closeEvent(event);
}

void ProgressSheet::runningChanged()
{
    if (m_queue.isRunning()) {
        m_cancelling = false;
        m_slots = 0;
        m_title->setText(tr("Converting"));
        m_cancel->setText(tr("Cancel"));
        m_cancel->setEnabled(true);
    }
    refresh();
    if (m_queue.isRunning()) {
        m_bar->setActive(true);
        m_refreshTimer.start();
        m_spinTimer.start();
        open();
    } else {
        m_refreshTimer.stop();
        m_spinTimer.stop();
        m_bar->setActive(false);
        qDeleteAll(std::exchange(m_rows, {}));
        hide();
    }
}

void ProgressSheet::updateRows()
{
    // In the order they started, which is the order of the table.
    const QList<MediaPtr> running = m_queue.convertingMedia();
    for (qsizetype i = m_rows.size() - 1; i >= 0; --i) {
        if (!running.contains(m_rows.at(i)->item()))
            delete m_rows.takeAt(i);
    }
    for (int i = 0; i < running.size(); ++i) {
        if (i < m_rows.size() && m_rows.at(i)->item() == running.at(i))
            continue;
        const auto shown = std::find_if(m_rows.begin(), m_rows.end(), [&](const InFlightRow *row) {
            return row->item() == running.at(i);
        });
        InFlightRow *row = shown == m_rows.end() ? new InFlightRow(running.at(i)) : *shown;
        if (shown != m_rows.end()) {
            m_rows.erase(shown);
            m_rowsLayout->removeWidget(row);
        }
        m_rows.insert(i, row);
        m_rowsLayout->insertWidget(i, row);
        row->show();
    }
    // Measured from the rows themselves: the layout leaves out a row that is
    // not shown yet, and the list would be one short. Between one file and
    // the next a slot stands empty for a moment; the list keeps its height
    // for the run, or the sheet would jump with every file.
    for (const InFlightRow *row : std::as_const(m_rows))
        m_rowHeight = std::max(m_rowHeight, row->sizeHint().height());
    m_slots = std::max(m_slots, int(m_rows.size()));
    m_scroll->setVisible(m_slots > 0);
    m_scroll->setFixedHeight(
        std::min(m_slots * m_rowHeight + std::max(0, m_slots - 1) * rowSpacing, listMaxHeight));
}

void ProgressSheet::refresh()
{
    const int failed = m_record.count(JobOutcomeKind::failed);
    m_counts->setText(
        tr("%1 of %2 files").arg(m_record.finishedCount()).arg(m_queue.totals().total));
    m_failed->setVisible(failed > 0);
    m_failedText->setText(tr("%n failed", nullptr, failed));

    updateRows();
    const BatchProgress progress = m_queue.progress();
    m_bar->setValue(progress.fraction);
    // A run that stops has no time left to estimate.
    m_timeLine->setText(ProgressMath::timeLine(progress.elapsedSeconds,
                                               m_cancelling ? std::nullopt : progress.estimate,
                                               m_queue.isRunning()));
}
