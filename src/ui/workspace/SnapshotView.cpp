#include "ui/workspace/SnapshotView.h"

#include "conversion/HardwareDetection.h"
#include "model/NaturalOrder.h"
#include "settings/Preferences.h"
#include "ui/controls/ElidedLabel.h"
#include "ui/controls/TextTones.h"
#include "ui/main/OpenPanel.h"
#include "ui/settings/PresetsMenu.h"
#include "ui/settings/SettingsView.h"
#include "ui/shell/FileManager.h"
#include "ui/workspace/BatchPanel.h"
#include "ui/workspace/MediaTableModel.h"
#include "ui/workspace/ProgressSheet.h"
#include "ui/workspace/ResultBar.h"
#include "ui/workspace/SideSheet.h"
#include "ui/workspace/StatusCell.h"
#include "ui/workspace/ThumbnailCache.h"

#include <QActionGroup>
#include <QCollator>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QSortFilterProxyModel>
#include <QStyle>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

using namespace PreferenceKeys;

namespace {

constexpr int headerMargin = 10;
constexpr int statusColumnWidth = 22;
constexpr int typeColumnWidth = 140;
constexpr int typeColumnMinimum = 70;
constexpr int numberColumnWidth = 80;
constexpr int outputColumnWidth = 130;
constexpr int fileColumnMinimum = 200;
// Below this workspace width the header shows its buttons as icons.
constexpr int compactWidth = 640;
constexpr int iconSize = 16;
constexpr int spinFrameMs = 33;

// A themed icon by the first name the theme has; the style's icon otherwise.
// Symbolic theme icons are single-coloured, so they can be tinted.
struct Glyph {
    QIcon icon;
    bool tintable = false;
};

Glyph glyph(std::initializer_list<const char *> names, QStyle::StandardPixmap fallback,
            const QWidget *widget)
{
    for (const char *name : names) {
        const QIcon icon = QIcon::fromTheme(QLatin1String(name));
        if (!icon.isNull())
            return {icon, QLatin1String(name).endsWith(QLatin1String("-symbolic"))};
    }
    return {widget->style()->standardIcon(fallback, nullptr, widget), false};
}

QIcon tinted(const Glyph &glyph, const QColor &color)
{
    if (!glyph.tintable)
        return glyph.icon;
    QIcon result;
    for (int size : {16, 22, 32}) {
        QPixmap pixmap = glyph.icon.pixmap(size, size);
        QPainter painter(&pixmap);
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(pixmap.rect(), color);
        painter.end();
        result.addPixmap(pixmap);
    }
    return result;
}

// A one-pixel line between header parts, drawn from the palette in force:
// a sunken frame uses the Light role, which stays bright in dark palettes
// that do not set it.
class Divider final : public QWidget {
public:
    explicit Divider(Qt::Orientation orientation)
    {
        if (orientation == Qt::Vertical)
            setFixedSize(1, 18);
        else
            setFixedHeight(1);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QColor color = palette().color(QPalette::WindowText);
        color.setAlphaF(0.2f);
        QPainter(this).fillRect(rect(), color);
    }
};

QWidget *divider()
{
    return new Divider(Qt::Vertical);
}

// The table's sort: file names naturally, letter case aside.
class MediaSortProxy final : public QSortFilterProxyModel {
public:
    explicit MediaSortProxy(QObject *parent)
        : QSortFilterProxyModel(parent)
    {
        m_collator.setCaseSensitivity(Qt::CaseInsensitive);
        setSortRole(MediaTableModel::SortRole);
    }

protected:
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override
    {
        const QVariant a = left.data(sortRole());
        const QVariant b = right.data(sortRole());
        if (a.typeId() == QMetaType::QString)
            return NaturalOrder::compare(a.toString(), b.toString(), m_collator) < 0;
        return QSortFilterProxyModel::lessThan(left, right);
    }

private:
    QCollator m_collator;
};

// The popover of the "Trim" button. A click on its button while it is open
// only closes it, instead of closing it and opening it again.
class BatchPopover final : public QFrame {
public:
    BatchPopover(QWidget *anchor, QWidget *parent)
        : QFrame(parent, Qt::Popup)
        , m_anchor(anchor)
    {
        setFrameShape(QFrame::StyledPanel);
    }

    std::function<void()> onHide;

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        const QPoint global = event->globalPosition().toPoint();
        if (!rect().contains(event->position().toPoint())
            && QRect(m_anchor->mapToGlobal(QPoint()), m_anchor->size()).contains(global))
            setAttribute(Qt::WA_NoMouseReplay);
        QFrame::mousePressEvent(event);
    }

    void hideEvent(QHideEvent *event) override
    {
        QFrame::hideEvent(event);
        if (onHide)
            onHide();
    }

private:
    QWidget *m_anchor;
};

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
    queue().setDestinationOpener(
        [this](const QString &folder) { FileManager::openFolder(folder, this); });

    m_model = new MediaTableModel(this);
    m_model->setReadsFiles(true);
    m_proxy = new MediaSortProxy(this);
    m_proxy->setSourceModel(m_model);

    m_table = new QTableView;
    m_table->setObjectName(QStringLiteral("fileTable"));
    m_table->setModel(m_proxy);
    m_table->setItemDelegateForColumn(MediaTableModel::statusColumn, new StatusCell(m_table));
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
    m_table->setIconSize(QSize(ThumbnailCache::width, ThumbnailCache::height));
    columns->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(MediaTableModel::fileColumn, Qt::AscendingOrder);
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &SnapshotView::selectionChanged);
    m_table->viewport()->installEventFilter(this);
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
    layout->addWidget(makeHeaderBar());
    layout->addWidget(new Divider(Qt::Horizontal));
    m_resultBar = new ResultBar;
    layout->addWidget(m_resultBar);
    layout->addLayout(body, 1);

    m_batchPopover = new BatchPopover(m_trimButton, this);
    m_batchPopover->setObjectName(QStringLiteral("batchPopover"));
    auto *popoverLayout = new QVBoxLayout(m_batchPopover);
    popoverLayout->setContentsMargins(0, 0, 0, 0);
    popoverLayout->setSizeConstraint(QLayout::SetFixedSize);
    m_batchPanel = new BatchPanel;
    m_batchPanel->setObjectName(QStringLiteral("batchPanel"));
    popoverLayout->addWidget(m_batchPanel);
    static_cast<BatchPopover *>(m_batchPopover)->onHide = [this] {
        m_trimButton->setChecked(false);
    };
    connect(m_batchPanel, &BatchPanel::batchChanged, this, &SnapshotView::setBatch);

    m_progressSheet = new ProgressSheet(queue(), this);
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
    connect(&queue(), &JobQueue::runFinished, m_resultBar, &ResultBar::runFinished);
    connect(&m_workspace, &Workspace::selectedTargetChanged, this, &SnapshotView::showTarget);
    connect(&m_workspace, &Workspace::batchChanged, this, [this] {
        if (m_batchPanel->batch() != batch())
            m_batchPanel->setBatch(batch());
        updateTrimButton();
    });

    showGroup();
    showTarget();
    updateHeader();
    updateProcessEnabled();
    updateSettingsButton();
    updateHeaderIcons();
}

SnapshotView::~SnapshotView()
{
    // The sheet watches the queue, which may go before the child widgets do.
    delete m_progressSheet;
}

QWidget *SnapshotView::makeHeaderBar()
{
    auto *bar = new QWidget;
    bar->setObjectName(QStringLiteral("headerBar"));
    auto *layout = new QHBoxLayout(bar);
    layout->setContentsMargins(headerMargin, 4, headerMargin / 2, 4);
    layout->setSpacing(6);

    m_folderIcon = new QLabel;
    m_folderIcon->setPixmap(
        glyph({"folder-symbolic", "folder"}, QStyle::SP_DirIcon, this).icon.pixmap(iconSize));
    layout->addWidget(m_folderIcon);
    m_headerText = new ElidedLabel({}, 60);
    m_headerText->setObjectName(QStringLiteral("headerText"));
    layout->addWidget(m_headerText, 1);
    m_confirmation = new QLabel;
    m_confirmation->setObjectName(QStringLiteral("headerConfirmation"));
    m_confirmation->hide();
    layout->addWidget(m_confirmation);
    m_confirmationTimer.setSingleShot(true);
    m_confirmationTimer.setInterval(2500);
    connect(&m_confirmationTimer, &QTimer::timeout, m_confirmation, &QWidget::hide);

    m_pickerGroup = new QWidget;
    auto *picker = new QHBoxLayout(m_pickerGroup);
    picker->setContentsMargins(0, 0, 0, 0);
    picker->setSpacing(6);
    picker->addWidget(divider());
    m_pickerArrow = new QLabel;
    picker->addWidget(m_pickerArrow);
    m_targetPicker = new QToolButton;
    m_targetPicker->setObjectName(QStringLiteral("targetPicker"));
    m_targetPicker->setPopupMode(QToolButton::InstantPopup);
    m_targetPicker->setToolButtonStyle(Qt::ToolButtonTextOnly);
    QFont bold = m_targetPicker->font();
    bold.setBold(true);
    m_targetPicker->setFont(bold);
    m_targetPicker->setToolTip(tr("Output format"));
    m_targetMenu = new QMenu(m_targetPicker);
    m_targetMenu->setObjectName(QStringLiteral("targetMenu"));
    m_targetMenu->setSeparatorsCollapsible(false);
    m_targetPicker->setMenu(m_targetMenu);
    m_targetActions = new QActionGroup(this);
    picker->addWidget(m_targetPicker);
    layout->addWidget(m_pickerGroup);

    layout->addWidget(divider());
    m_settingsButton = new QToolButton;
    m_settingsButton->setObjectName(QStringLiteral("settingsButton"));
    m_settingsButton->setAutoRaise(true);
    m_settingsButton->setCheckable(true);
    m_settingsButton->setToolTip(tr("Conversion settings"));
    connect(m_settingsButton, &QToolButton::clicked, this,
            [this] { setShowsSettings(!m_showSettings); });
    layout->addWidget(m_settingsButton);

    layout->addSpacing(12);

    m_presetsMenu = new PresetsMenu(this);
    m_presetsButton = new QToolButton;
    m_presetsButton->setObjectName(QStringLiteral("presetsButton"));
    m_presetsButton->setText(tr("Presets"));
    m_presetsButton->setIcon(m_presetsMenu->icon());
    m_presetsButton->setMenu(m_presetsMenu);
    m_presetsButton->setPopupMode(QToolButton::InstantPopup);
    m_presetsButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_presetsButton->setAutoRaise(true);
    connect(m_presetsMenu, &PresetsMenu::targetChosen, this, [this](const QString &id) {
        if (const std::optional<MediaTarget> target = MediaTarget::fromId(id)) {
            setSelectedTarget(*target);
            confirmInHeader(tr("Preset applied: %1").arg(target->title));
        }
    });
    // The menu takes the mouse: the button never sees it leave and would stay
    // drawn raised.
    connect(m_presetsMenu, &QMenu::aboutToHide, m_presetsButton, [this] {
        m_presetsButton->setAttribute(Qt::WA_UnderMouse, false);
        m_presetsButton->update();
    });
    layout->addWidget(m_presetsButton);

    m_trimButton = new QToolButton;
    m_trimButton->setObjectName(QStringLiteral("trimButton"));
    m_trimButton->setCheckable(true);
    m_trimButton->setAutoRaise(true);
    m_trimButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    connect(m_trimButton, &QToolButton::toggled, this, [this](bool open) {
        if (open)
            showBatchPopover();
        else
            m_batchPopover->hide();
    });
    layout->addWidget(m_trimButton);

    m_processButton = new QToolButton;
    m_processButton->setObjectName(QStringLiteral("processButton"));
    m_processButton->setText(tr("Process"));
    m_processButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_processButton->setAutoRaise(true);
    connect(m_processButton, &QToolButton::clicked, this, &SnapshotView::process);
    layout->addWidget(m_processButton);
    // Buttons a group does not offer keep their place, so the others do not
    // move from one group to the next.
    for (QWidget *button :
         {static_cast<QWidget *>(m_presetsButton), static_cast<QWidget *>(m_trimButton)}) {
        QSizePolicy policy = button->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        button->setSizePolicy(policy);
    }
    return bar;
}

const QList<MediaPtr> &SnapshotView::media() const
{
    return m_model->media();
}

void SnapshotView::setGroup(MediaGroup group, const QList<MediaPtr> &media)
{
    const bool groupChanged = group != m_workspace.group();
    // The model shows the list before the workspace resets stale items, so
    // that the table follows their status.
    m_model->setMedia(media);
    m_workspace.setGroup(group, media);
    if (groupChanged) {
        showGroup();
        showTarget();
        m_resultBar->setShownGroup(group);
    }
    m_progressSheet->setMedia(media);
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
    updateSettingsButton();
    updateSideSheet();
}

QString SnapshotView::headerText() const
{
    return m_headerText->text();
}

void SnapshotView::process()
{
    if (!m_workspace.canProcess())
        return;
    const std::optional<QString> folder = OpenPanel::chooseFolder(window());
    if (!folder || folder->isEmpty())
        return;
    m_resultBar->runStarted(media(), selectedTarget(), *folder);
    m_workspace.process(*folder);
}

void SnapshotView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_sideSheet->setAvailableWidth(width());
    updateCompactHeader();
}

bool SnapshotView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_table->viewport() && event->type() == QEvent::Resize)
        fitColumns();
    return QWidget::eventFilter(watched, event);
}

void SnapshotView::fitColumns()
{
    // The file name is what the user reads: the output's size, the size, the
    // duration and then the type give way to it, the type shrinking before it
    // goes.
    int available = m_table->viewport()->width() - statusColumnWidth - fileColumnMinimum;
    const std::pair<MediaTableModel::Column, int> optional[] {
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

void SnapshotView::updateCompactHeader()
{
    // A narrow workspace shows the header's buttons as icons, with their
    // names in tooltips; an active trim keeps its text, which says it is on.
    const bool compact = width() < compactWidth;
    const auto style = compact ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextBesideIcon;
    m_presetsButton->setToolButtonStyle(style);
    m_presetsButton->setToolTip(compact ? m_presetsButton->text() : QString());
    m_trimButton->setToolButtonStyle(compact && !m_trimButton->font().bold()
                                         ? Qt::ToolButtonIconOnly
                                         : Qt::ToolButtonTextBesideIcon);
}

void SnapshotView::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange) {
        updateSettingsButton();
        updateHeaderIcons();
        updateHeader();
    }
}

void SnapshotView::rebuildTargetMenu()
{
    m_targetMenu->clear();
    for (QAction *action : m_targetActions->actions())
        m_targetActions->removeAction(action);
    QFont bold = m_targetMenu->font();
    bold.setBold(true);
    const auto addTargets = [&](const QString &section, const QList<MediaTarget> &targets) {
        if (targets.isEmpty())
            return;
        m_targetMenu->addSection(section);
        for (const MediaTarget &target : targets) {
            QAction *action = m_targetMenu->addAction(target.title);
            action->setData(target.id);
            action->setCheckable(true);
            action->setFont(bold);
            m_targetActions->addAction(action);
            connect(action, &QAction::triggered, this,
                    [this, target] { setSelectedTarget(target); });
        }
    };
    addTargets(tr("Formats"), MediaTarget::targets(group()));
    if (!MediaTarget::extras(group()).isEmpty())
        m_targetMenu->addSeparator();
    addTargets(tr("Operations"), MediaTarget::extras(group()));
}

void SnapshotView::showGroup()
{
    const bool convertible = group() != MediaGroup::other;
    rebuildTargetMenu();
    m_pickerGroup->setVisible(convertible);
    m_settingsButton->setEnabled(convertible);
    m_presetsButton->setVisible(convertible);
    m_presetsMenu->setGroup(group());

    const bool video = group() == MediaGroup::video;
    const bool trims = video || group() == MediaGroup::audio;
    m_trimButton->setVisible(trims);
    updateTrimButton();
    m_batchPanel->setShowsScale(video);
    if (!trims)
        m_trimButton->setChecked(false);
    updateSideSheet();
}

void SnapshotView::showTarget()
{
    const MediaTarget &target = m_workspace.selectedTarget();
    m_targetPicker->setText(target.title);
    // Room between the title and the menu arrow, which the style draws
    // right against the text.
    m_targetPicker->setMinimumWidth(0);
    m_targetPicker->setMinimumWidth(m_targetPicker->sizeHint().width() + 10);
    for (QAction *action : m_targetActions->actions())
        action->setChecked(action->data().toString() == target.id);
    m_settingsView->setOptions(target.options);
    m_settingsView->setWritesAudio(target.writesAudio());
    m_presetsMenu->setSelectedTarget(target);
}

void SnapshotView::updateHeader()
{
    const MediaPtr selected = m_selectedId ? m_model->item(m_model->rowOf(*m_selectedId)) : nullptr;
    QPalette palette = m_headerText->palette();
    if (selected) {
        m_headerText->setText(selected->pathString());
        m_headerText->setToolTip(selected->pathString());
        palette.setColor(QPalette::WindowText, TextTones::secondary(this));
    } else {
        const int count = int(m_model->media().size());
        m_headerText->setText(count == 1 ? tr("1 file") : tr("%n files", nullptr, count));
        m_headerText->setToolTip(QString());
        palette.setColor(QPalette::WindowText, this->palette().color(QPalette::WindowText));
    }
    m_headerText->setPalette(palette);
    m_headerText->update();
    m_folderIcon->setVisible(bool(selected));
}

void SnapshotView::updateProcessEnabled()
{
    // "Other" holds files Vireo cannot read; the button stays in place and
    // says why it does nothing.
    const bool convertible = group() != MediaGroup::other;
    m_processButton->setEnabled(m_workspace.canProcess());
    m_processButton->setToolTip(convertible ? tr("Convert the files into a folder you choose")
                                            : tr("Vireo cannot convert the files in “Other”: "
                                                 "it does not know their type."));
}

void SnapshotView::confirmInHeader(const QString &text)
{
    QPalette palette = m_confirmation->palette();
    palette.setColor(QPalette::WindowText, this->palette().color(QPalette::Highlight));
    m_confirmation->setPalette(palette);
    m_confirmation->setText(QStringLiteral("\u2713 ") + text);
    m_confirmation->show();
    m_confirmationTimer.start();
}

void SnapshotView::updateTrimButton()
{
    // The batch's trim and scale outlive the popover and carry over to the
    // next group: the button tells what is in force here.
    const bool video = group() == MediaGroup::video;
    QStringList active;
    const bool trimmed = batch().trimEnabled
        && !(isBlankTimeText(batch().trimStart) && isBlankTimeText(batch().trimEnd));
    if (trimmed) {
        const QString start = isBlankTimeText(batch().trimStart) ? QStringLiteral("0:00")
                                                                 : batch().trimStart.trimmed();
        const QString end
            = isBlankTimeText(batch().trimEnd) ? tr("end") : batch().trimEnd.trimmed();
        active << tr("Trim %1\u2013%2").arg(start, end);
    }
    if (video && batch().scale != VideoScale::original)
        active << label(batch().scale).section(u' ', 0, 0);
    QString text;
    if (active.isEmpty())
        text = video ? tr("Trim & Scale") : tr("Trim");
    else if (!trimmed)
        text = tr("Scale %1").arg(active.first());
    else
        text = active.join(QStringLiteral(" \u00b7 "));
    // A single "&" would mark a mnemonic.
    m_trimButton->setText(QString(text).replace(u'&', QStringLiteral("&&")));
    QFont font = m_trimButton->font();
    font.setBold(!active.isEmpty());
    m_trimButton->setFont(font);
    QString tip = video ? tr("Trim the output time range and/or rescale video for this batch")
                        : tr("Trim the output time range for this batch");
    if (!active.isEmpty())
        tip += u'\n' + tr("In force: %1").arg(text);
    m_trimButton->setToolTip(tip);
    updateCompactHeader();
}

void SnapshotView::updateHeaderIcons()
{
    // Symbolic icons take the text colour, so they stay as clear on a dark
    // palette as on a light one.
    const QColor text = palette().color(QPalette::WindowText);
    m_pickerArrow->setPixmap(
        tinted(glyph({"go-next-symbolic", "go-next"}, QStyle::SP_ArrowRight, this), text)
            .pixmap(iconSize));
    m_trimButton->setIcon(
        tinted(glyph({"edit-cut-symbolic", "edit-cut"}, QStyle::SP_DialogResetButton, this), text));
    m_processButton->setIcon(
        tinted(glyph({"document-send-symbolic", "mail-send-symbolic", "document-send"},
                     QStyle::SP_ArrowForward, this),
               text));
}

void SnapshotView::updateSettingsButton()
{
    const QColor color = m_showSettings ? palette().color(QPalette::Highlight)
                                        : palette().color(QPalette::WindowText);
    m_settingsButton->setIcon(tinted(glyph({"applications-engineering-symbolic",
                                            "preferences-system-symbolic", "preferences-system"},
                                           QStyle::SP_FileDialogDetailedView, this),
                                     color));
    const QSignalBlocker blocker(m_settingsButton);
    m_settingsButton->setChecked(m_showSettings);
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

void SnapshotView::showBatchPopover()
{
    m_batchPanel->setBatch(batch());
    m_batchPopover->adjustSize();
    const QSize size = m_batchPopover->sizeHint();
    QPoint position = m_trimButton->mapToGlobal(
        QPoint(m_trimButton->width() / 2 - size.width() / 2, m_trimButton->height() + 2));
    if (const QScreen *screen = m_trimButton->screen()) {
        const QRect available = screen->availableGeometry();
        position.setX(std::clamp(position.x(), available.left(),
                                 std::max(available.left(), available.right() - size.width())));
    }
    m_batchPopover->move(position);
    m_batchPopover->show();
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
    QAction *show = menu->addAction(
        glyph({"system-file-manager-symbolic", "folder-open-symbolic", "system-file-manager"},
              QStyle::SP_DirOpenIcon, this)
            .icon,
        tr("Show in File Manager"));
    show->setObjectName(QStringLiteral("showInFileManager"));
    connect(show, &QAction::triggered, this, [this, ids] { showInFileManager(ids); });
    menu->addSeparator();
    QAction *remove = menu->addAction(
        glyph({"list-remove-symbolic", "list-remove"}, QStyle::SP_DialogDiscardButton, this).icon,
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
