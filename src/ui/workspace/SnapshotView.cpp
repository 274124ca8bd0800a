#include "ui/workspace/SnapshotView.h"

#include "conversion/HardwareDetection.h"
#include "model/WorkPool.h"
#include "ui/main/OpenPanel.h"
#include "ui/settings/SettingsView.h"
#include "ui/shell/FileManager.h"
#include "ui/workspace/BatchPanel.h"
#include "ui/workspace/BatchPopover.h"
#include "ui/workspace/Divider.h"
#include "ui/workspace/FittingTextCell.h"
#include "ui/workspace/Glyph.h"
#include "ui/workspace/HeaderBar.h"
#include "ui/workspace/MediaSortProxy.h"
#include "ui/workspace/MediaTableModel.h"
#include "ui/workspace/ProgressSheet.h"
#include "ui/workspace/ResultBar.h"
#include "ui/workspace/RunRecord.h"
#include "ui/workspace/SideSheet.h"
#include "ui/workspace/StatusCell.h"
#include "ui/workspace/ThumbnailCache.h"

#include <QEvent>
#include <QFileInfo>
#include <QFocusEvent>
#include <QFutureWatcher>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

namespace {

constexpr int statusColumnWidth = 22;
constexpr int typeColumnWidth = 140;
constexpr int typeColumnMinimum = 70;
constexpr int numberColumnWidth = 80;
constexpr int outputColumnWidth = 130;
constexpr int folderColumnWidth = 120;
constexpr int fileColumnMinimum = 200;
constexpr int spinFrameMs = 33;

} // namespace

SnapshotView::SnapshotView(QWidget *parent)
    : SnapshotView(*new Workspace, parent)
{
    m_ownWorkspace.reset(&m_workspace);
}

SnapshotView::SnapshotView(Workspace &workspace, QWidget *parent)
    : QWidget(parent)
    , m_workspace(workspace)
{
    m_record = new RunRecord(queue(), this);
    // A cancel that wrote nothing leaves nothing to look at.
    queue().setDestinationOpener([this](const QString &folder) {
        if (m_record->count(JobOutcomeKind::converted) > 0)
            FileManager::openFolder(folder, this);
    });

    m_model = new MediaTableModel(this);
    m_model->setReadsFiles(true);
    m_proxy = new MediaSortProxy(this);
    m_proxy->setSourceModel(m_model);

    m_table = new QTableView;
    m_table->setObjectName(QStringLiteral("fileTable"));
    m_table->setModel(m_proxy);
    m_table->setItemDelegateForColumn(MediaTableModel::statusColumn, new StatusCell(m_table));
    m_table->setItemDelegateForColumn(MediaTableModel::outputColumn, new FittingTextCell(m_table));
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setTextElideMode(Qt::ElideMiddle);
    m_table->setShowGrid(false);
    m_table->setAlternatingRowColors(true);
    m_table->setWordWrap(false);
    // The file column stretches; the others give way before a scroll bar.
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setFrameShape(QFrame::NoFrame);
    m_table->setContextMenuPolicy(Qt::CustomContextMenu);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 10);
    QHeaderView *columns = m_table->horizontalHeader();
    columns->setHighlightSections(false);
    columns->setSectionResizeMode(MediaTableModel::statusColumn, QHeaderView::Fixed);
    columns->setSectionResizeMode(MediaTableModel::fileColumn, QHeaderView::Stretch);
    columns->setSectionResizeMode(MediaTableModel::typeColumn, QHeaderView::Interactive);
    columns->setMinimumSectionSize(statusColumnWidth);
    columns->resizeSection(MediaTableModel::statusColumn, statusColumnWidth);
    columns->resizeSection(MediaTableModel::typeColumn, typeColumnWidth);
    for (int column : {int(MediaTableModel::durationColumn), int(MediaTableModel::sizeColumn)}) {
        columns->setSectionResizeMode(column, QHeaderView::Interactive);
        columns->resizeSection(column, numberColumnWidth);
    }
    columns->setSectionResizeMode(MediaTableModel::outputColumn, QHeaderView::Interactive);
    columns->resizeSection(MediaTableModel::outputColumn, outputColumnWidth);
    columns->setSectionResizeMode(MediaTableModel::folderColumn, QHeaderView::Interactive);
    columns->resizeSection(MediaTableModel::folderColumn, folderColumnWidth);
    m_table->setIconSize(QSize(ThumbnailCache::width, ThumbnailCache::height));
    columns->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(MediaTableModel::fileColumn, Qt::AscendingOrder);
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &SnapshotView::selectionChanged);
    m_table->viewport()->installEventFilter(this);
    m_table->installEventFilter(this);
    connect(m_table, &QWidget::customContextMenuRequested, this,
            &SnapshotView::contextMenuRequested);

    m_settingsView = new SettingsView;
    m_settingsView->setObjectName(QStringLiteral("settingsView"));
    m_sideSheet = new SideSheet;
    m_sideSheet->setObjectName(QStringLiteral("sideSheet"));
    m_sideSheet->setContent(m_settingsView);

    auto *body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);
    body->addWidget(m_table, 1);
    body->addWidget(m_sideSheet);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_header = new HeaderBar;
    layout->addWidget(m_header);
    layout->addWidget(new Divider(Qt::Horizontal));
    m_resultBar = new ResultBar;
    layout->addWidget(m_resultBar);
    layout->addLayout(body, 1);

    m_batchPopover = new BatchPopover(m_header->trimButton(), this);
    connect(m_batchPopover, &BatchPopover::hidden, m_header,
            [this] { m_header->setTrimOpen(false); });
    connect(m_batchPopover->panel(), &BatchPanel::batchChanged, this, &SnapshotView::setBatch);
    connect(m_header, &HeaderBar::targetChosen, this, &SnapshotView::setSelectedTarget);
    connect(m_header, &HeaderBar::settingsToggled, this,
            [this] { setShowsSettings(!m_showSettings); });
    connect(m_header, &HeaderBar::trimToggled, this, [this](bool open) {
        if (open)
            m_batchPopover->popUp(batch());
        else
            m_batchPopover->hide();
    });
    connect(m_header, &HeaderBar::processClicked, this, &SnapshotView::process);

    m_progressSheet = new ProgressSheet(queue(), *m_record, this);
    m_progressSheet->setObjectName(QStringLiteral("progressSheet"));

    m_spinTimer.setInterval(spinFrameMs);
    connect(&m_spinTimer, &QTimer::timeout, this, [this] {
        const int x = m_table->columnViewportPosition(MediaTableModel::statusColumn);
        const int width = m_table->columnWidth(MediaTableModel::statusColumn);
        m_table->viewport()->update(QRect(x, 0, width, m_table->viewport()->height()));
    });
    connect(&queue(), &JobQueue::isRunningChanged, this, [this] {
        if (queue().isRunning())
            m_spinTimer.start();
        else
            m_spinTimer.stop();
        updateProcessEnabled();
    });
    connect(&queue(), &JobQueue::runFinished, this, [this] {
        m_record->end();
        m_resultBar->runFinished(*m_record);
    });
    connect(&queue(), &JobQueue::itemStarted, this, &SnapshotView::revealStarted);
    connect(&m_workspace, &Workspace::selectedTargetChanged, this, &SnapshotView::showTarget);
    connect(&m_workspace, &Workspace::batchChanged, this, [this] {
        if (m_batchPopover->panel()->batch() != batch())
            m_batchPopover->panel()->setBatch(batch());
        m_header->setBatch(batch());
    });

    showGroup();
    showTarget();
    m_header->setBatch(batch());
    updateHeader();
    updateProcessEnabled();
}

SnapshotView::~SnapshotView()
{
    // The sheet watches the queue, which may go before the child widgets do.
    delete m_progressSheet;
}

const QList<MediaPtr> &SnapshotView::media() const
{
    return m_model->media();
}

void SnapshotView::setGroup(MediaGroup group, const QList<MediaPtr> &media)
{
    const bool groupChanged = group != m_workspace.group();
    // The model shows the list before the workspace resets stale items, so
    // that the table follows their status. Rows that go take the selection
    // with them; the view would move it to a neighbour.
    const std::optional<QUuid> selected = m_selectedId;
    m_model->setMedia(media);
    m_selectedId = selected;
    m_workspace.setGroup(group, media);
    if (groupChanged) {
        showGroup();
        showTarget();
        m_resultBar->setShownGroup(group);
    }
    restoreSelection();
    updateHeader();
    updateProcessEnabled();
}

void SnapshotView::setSelectedTarget(const MediaTarget &target)
{
    m_workspace.setSelectedTarget(target);
}

void SnapshotView::setBatch(const BatchSettings &batch)
{
    m_workspace.setBatch(batch);
}

void SnapshotView::setShowsSettings(bool shows)
{
    m_showSettings = shows;
    if (shows && !m_hardwareLabelRequested) {
        m_hardwareLabelRequested = true;
        HardwareDetection *detection = detectHardwareProfile(this);
        connect(detection, &Operation::finished, this, [this, detection] {
            m_settingsView->setHardwareLabel(detection->profile().label());
            detection->deleteLater();
        });
    }
    m_header->setSettingsOpen(shows);
    updateSideSheet();
}

QString SnapshotView::headerText() const
{
    return m_header->text();
}

void SnapshotView::process()
{
    if (!m_workspace.canProcess())
        return;
    // An empty folder means next to the originals.
    const std::optional<QString> folder = OpenPanel::chooseDestination(window());
    if (!folder)
        return;
    // The user sorted the table to say what comes first.
    QList<MediaPtr> order;
    order.reserve(m_proxy->rowCount());
    for (int row = 0; row < m_proxy->rowCount(); ++row)
        order.append(m_model->item(m_proxy->mapToSource(m_proxy->index(row, 0)).row()));
    m_record->begin(order);
    m_resultBar->runStarted(selectedTarget(), *folder);
    m_workspace.process(*folder, order);
}

void SnapshotView::revealStarted(const QUuid &id)
{
    // While one converting row is in sight the user sees the run move; the
    // table follows only when none is.
    const QRect shown = m_table->viewport()->rect();
    for (const MediaPtr &item : queue().activeMedia()) {
        const int row = m_model->rowOf(item->id());
        const QModelIndex index = m_proxy->mapFromSource(m_model->index(row, 0));
        if (item->id() != id && index.isValid() && shown.intersects(m_table->visualRect(index)))
            return;
    }
    const QModelIndex started = m_proxy->mapFromSource(m_model->index(m_model->rowOf(id), 0));
    if (started.isValid())
        m_table->scrollTo(started);
}

void SnapshotView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_sideSheet->setAvailableWidth(width());
}

bool SnapshotView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_table->viewport() && event->type() == QEvent::Resize)
        fitColumns();
    // Tabbed into, the table shows where the keyboard is: the current row is
    // selected. Without it the focus sat unseen on the first row, and the
    // first Down skipped it.
    if (watched == m_table && event->type() == QEvent::FocusIn
        && !m_table->selectionModel()->hasSelection() && m_proxy->rowCount() > 0) {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason) {
            const QModelIndex current = m_table->currentIndex();
            m_table->selectRow(current.isValid() ? current.row() : 0);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void SnapshotView::fitColumns()
{
    // The file name is what the user reads: the output's size, the size, the
    // duration, the folder and then the type give way to it, the type
    // shrinking before it goes.
    int available = m_table->viewport()->width() - statusColumnWidth - fileColumnMinimum;
    const std::pair<MediaTableModel::Column, int> optional[] {
        {MediaTableModel::folderColumn, folderColumnWidth},
        {MediaTableModel::durationColumn, numberColumnWidth},
        {MediaTableModel::sizeColumn, numberColumnWidth},
        {MediaTableModel::outputColumn, outputColumnWidth}};
    bool fits = true;
    for (const auto &[column, width] : optional) {
        fits = fits && available - width >= typeColumnMinimum;
        m_table->setColumnHidden(column, !fits);
        if (fits)
            available -= width;
    }
    const bool hideType = available < typeColumnMinimum;
    m_table->setColumnHidden(MediaTableModel::typeColumn, hideType);
    if (!hideType)
        m_table->horizontalHeader()->resizeSection(
            MediaTableModel::typeColumn, std::clamp(available, typeColumnMinimum, typeColumnWidth));
}

void SnapshotView::showGroup()
{
    m_header->setGroup(group());
    m_batchPopover->panel()->setShowsScale(group() == MediaGroup::video);
    updateSideSheet();
}

void SnapshotView::showTarget()
{
    const MediaTarget &target = m_workspace.selectedTarget();
    m_header->setTarget(target);
    m_settingsView->setOptions(target.options);
    m_settingsView->setWritesAudio(target.writesAudio());
}

void SnapshotView::updateHeader()
{
    const MediaPtr selected = m_selectedId ? m_model->item(m_model->rowOf(*m_selectedId)) : nullptr;
    m_header->showFiles(selected ? selected->pathString() : QString(), int(media().size()));
}

void SnapshotView::updateProcessEnabled()
{
    m_header->setProcessEnabled(m_workspace.canProcess());
}

void SnapshotView::updateSideSheet()
{
    // The sheet of the other group could not be closed: its button is
    // disabled there. It returns with the next group that has settings.
    m_sideSheet->setAvailableWidth(width());
    m_sideSheet->setOpen(m_showSettings && group() != MediaGroup::other);
}

void SnapshotView::selectionChanged()
{
    const QModelIndexList rows = m_table->selectionModel()->selectedRows();
    if (rows.isEmpty())
        m_selectedId.reset();
    else
        m_selectedId = rows.first().data(MediaTableModel::IdRole).toUuid();
    updateHeader();
}

void SnapshotView::restoreSelection()
{
    const int row = m_selectedId ? m_model->rowOf(*m_selectedId) : -1;
    if (row < 0) {
        m_selectedId.reset();
        m_table->clearSelection();
        return;
    }
    const QModelIndex index = m_proxy->mapFromSource(m_model->index(row, 0));
    m_table->selectionModel()->select(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void SnapshotView::contextMenuRequested(const QPoint &pos)
{
    const QModelIndex index = m_table->indexAt(pos);
    if (!index.isValid())
        return;
    m_table->selectionModel()->select(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    const QSet<QUuid> ids {index.data(MediaTableModel::IdRole).toUuid()};

    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("contextMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QAction *output = menu->addAction(tr("Show Output"));
    output->setObjectName(QStringLiteral("showOutput"));
    output->setEnabled(false);
    const MediaPtr item = m_model->item(m_proxy->mapToSource(index).row());
    if (item && item->status() == MediaStatus::successful && !item->lastOutputPath().isEmpty()) {
        const QString path = item->lastOutputPath();
        connect(output, &QAction::triggered, this, [path] { FileManager::showItems({path}); });
        // Whether it is still there is asked off this thread; the menu opens at once.
        auto *exists = new QFutureWatcher<bool>(output);
        connect(exists, &QFutureWatcher<bool>::finished, output,
                [output, exists] { output->setEnabled(exists->result()); });
        exists->setFuture(
            QtConcurrent::run(WorkPool::instance(), [path] { return QFileInfo::exists(path); }));
    }
    QAction *show = menu->addAction(
        Glyph::find({"system-file-manager-symbolic", "folder-open-symbolic", "system-file-manager"},
                    QStyle::SP_DirOpenIcon, this)
            .icon,
        tr("Show in File Manager"));
    show->setObjectName(QStringLiteral("showInFileManager"));
    connect(show, &QAction::triggered, this, [this, ids] { showInFileManager(ids); });
    menu->addSeparator();
    QAction *remove = menu->addAction(
        Glyph::find({"list-remove-symbolic", "list-remove"}, QStyle::SP_DialogDiscardButton, this)
            .icon,
        tr("Remove from list"));
    remove->setObjectName(QStringLiteral("removeFromList"));
    connect(remove, &QAction::triggered, this, [this, ids] { removeFromList(ids); });
    menu->popup(m_table->viewport()->mapToGlobal(pos));
}

void SnapshotView::showInFileManager(const QSet<QUuid> &ids)
{
    QStringList paths;
    for (const MediaPtr &item : m_model->media()) {
        if (ids.contains(item->id()))
            paths.append(item->pathString());
    }
    FileManager::showItems(paths);
}

void SnapshotView::removeFromList(const QSet<QUuid> &ids)
{
    if (m_selectedId && ids.contains(*m_selectedId)) {
        m_selectedId.reset();
        m_table->clearSelection();
        updateHeader();
    }
    Q_EMIT removeRequested(ids);
}
