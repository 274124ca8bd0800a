#include "ui/workspace/ProgressSheet.h"

#include "conversion/JobQueue.h"
#include "conversion/ProgressMath.h"
#include "ui/controls/ElidedLabel.h"
#include "ui/controls/ShimmerProgressBar.h"
#include "ui/controls/TextTones.h"
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
            m_percent->fontMetrics().horizontalAdvance(QStringLiteral("100 %")));
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
                               : QStringLiteral("%1 %").arg(int(progress * 100)));
        m_glyph->update();
    }

    MediaPtr m_item;
    StatusGlyph *m_glyph = nullptr;
    QProgressBar *m_progress = nullptr;
    QLabel *m_percent = nullptr;
};

ProgressSheet::ProgressSheet(JobQueue &queue, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , m_queue(queue)
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
    auto *title = new QLabel(tr("Converting"));
    title->setObjectName(QStringLiteral("title"));
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.45);
    titleFont.setWeight(QFont::DemiBold);
    title->setFont(titleFont);
    headings->addWidget(title);
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
    const QIcon warningIcon = QIcon::fromTheme(QStringLiteral("dialog-warning"),
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
    connect(&m_queue, &JobQueue::isRunningChanged, this, &ProgressSheet::runningChanged);
    refresh();
}

ProgressSheet::~ProgressSheet() = default;

void ProgressSheet::setMedia(const QList<MediaPtr> &media)
{
    m_media = media;
}

QList<MediaPtr> ProgressSheet::inFlight() const
{
    QList<MediaPtr> items;
    for (const InFlightRow *row : m_rows)
        items.append(row->item());
    return items;
}

void ProgressSheet::reject()
{
    if (m_queue.isRunning())
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
    QList<MediaPtr> running = m_queue.convertingMedia();
    const auto position = [this](const MediaPtr &item) {
        const qsizetype index = m_media.indexOf(item);
        return index < 0 ? m_media.size() : index;
    };
    std::stable_sort(running.begin(), running.end(), [&](const MediaPtr &a, const MediaPtr &b) {
        return position(a) < position(b);
    });
    for (qsizetype i = m_rows.size() - 1; i >= 0; --i) {
        const bool stillRunning
            = std::any_of(running.cbegin(), running.cend(),
                          [&](const MediaPtr &item) { return item == m_rows.at(i)->item(); });
        if (!stillRunning)
            delete m_rows.takeAt(i);
    }
    for (const MediaPtr &item : std::as_const(running)) {
        const bool shown = std::any_of(m_rows.cbegin(), m_rows.cend(),
                                       [&](const InFlightRow *row) { return row->item() == item; });
        if (shown)
            continue;
        auto *row = new InFlightRow(item);
        m_rowsLayout->insertWidget(m_rowsLayout->count() - 1, row);
        m_rows.append(row);
    }
    m_scroll->setVisible(!m_rows.isEmpty());
    const int contentHeight = m_scroll->widget()->sizeHint().height();
    m_scroll->setFixedHeight(std::min(contentHeight, listMaxHeight));
}

void ProgressSheet::refresh()
{
    const Totals &totals = m_queue.totals();
    const int done = totals.completed + totals.failed + totals.cancelled;
    m_counts->setText(tr("%1 of %2 files").arg(done).arg(totals.total));
    m_failed->setVisible(totals.failed > 0);
    m_failedText->setText(tr("%1 failed").arg(totals.failed));

    updateRows();
    const BatchProgress progress = m_queue.progress();
    m_bar->setValue(progress.fraction);
    m_timeLine->setText(
        ProgressMath::timeLine(progress.elapsedSeconds, progress.estimate, m_queue.isRunning()));
}
