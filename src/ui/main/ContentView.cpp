#include "ui/main/ContentView.h"

#include "conversion/Workspace.h"
#include "model/ImportQueue.h"
#include "model/MediaSet.h"
#include "ui/main/GroupSidebar.h"
#include "ui/main/OpenPanel.h"
#include "ui/main/SkippedPathsBanner.h"
#include "ui/main/SplashScreen.h"
#include "ui/workspace/SnapshotView.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QVBoxLayout>

ContentView::ContentView(MediaSet &set, QWidget *parent)
    : QWidget(parent)
    , m_set(set)
    , m_imports(new ImportQueue(m_set, this))
    , m_workspaceState(new Workspace(&m_set, this))
    , m_banner(new SkippedPathsBanner(m_set, this))
    , m_faces(new QStackedWidget(this))
    , m_splash(new SplashScreen(m_faces))
    , m_splitView(new QSplitter(Qt::Horizontal, m_faces))
    , m_sidebar(new GroupSidebar(m_set, m_splitView))
    , m_detail(new QStackedWidget(m_splitView))
    , m_workspace(new SnapshotView(*m_workspaceState, m_detail))
    , m_placeholder(new QLabel(tr("Select a media group"), m_detail))
{
    setObjectName(QStringLiteral("contentView"));
    // Wide enough for the sidebar, the open settings sheet and a file column
    // that still shows names.
    setMinimumSize(720, 440);

    m_placeholder->setObjectName(QStringLiteral("detailPlaceholder"));
    m_placeholder->setAlignment(Qt::AlignCenter);
    m_placeholder->setForegroundRole(QPalette::PlaceholderText);
    m_detail->addWidget(m_workspace);
    m_detail->addWidget(m_placeholder);
    m_detail->setCurrentWidget(m_placeholder);

    m_splitView->setObjectName(QStringLiteral("splitView"));
    m_splitView->addWidget(m_sidebar);
    m_splitView->addWidget(m_detail);
    m_splitView->setChildrenCollapsible(false);
    m_splitView->setStretchFactor(0, 0);
    m_splitView->setStretchFactor(1, 1);
    m_splitView->setHandleWidth(1);

    m_faces->addWidget(m_splash);
    m_faces->addWidget(m_splitView);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_banner);
    layout->addWidget(m_faces, 1);

    connect(m_splash, &SplashScreen::filesDropped, this, &ContentView::loadEach);
    connect(m_splash, &SplashScreen::chooseFilesRequested, this, &ContentView::chooseFiles);
    connect(m_splash, &SplashScreen::chooseFolderRequested, this, &ContentView::chooseFolder);
    connect(m_sidebar, &GroupSidebar::filesDropped, this, &ContentView::loadEach);
    connect(m_sidebar, &GroupSidebar::addFilesRequested, this, &ContentView::chooseFiles);
    connect(m_sidebar, &GroupSidebar::addFolderRequested, this, &ContentView::chooseFolder);
    connect(m_sidebar, &GroupSidebar::removeGroupRequested, this, &ContentView::confirmRemoveGroup);
    connect(m_sidebar, &GroupSidebar::clearListRequested, this, &ContentView::confirmClearList);
    connect(m_sidebar, &GroupSidebar::selectedGroupChanged, this, [this] {
        updateDetail();
        Q_EMIT selectedGroupChanged();
    });
    // Files dropped on the workspace are not imported; the splash screen and
    // the sidebar take them.
    m_workspace->setAcceptDrops(false);
    connect(m_workspace, &SnapshotView::removeRequested, &m_set, &MediaSet::remove);
    connect(&m_set, &MediaSet::mediaChanged, this, &ContentView::updateFace);
    connect(m_imports, &ImportQueue::importingChanged, this, &ContentView::updateImporting);
    m_workspaceTimer.setSingleShot(true);
    connect(&m_workspaceTimer, &QTimer::timeout, this, &ContentView::refreshWorkspace);

    updateImporting();
    updateFace();
}

ContentView::~ContentView()
{
    // The view presents the workspace state, an earlier child: it goes first.
    delete m_workspace;
}

std::optional<MediaGroup> ContentView::selectedGroup() const
{
    return m_sidebar->selectedGroup();
}

void ContentView::setSelectedGroup(std::optional<MediaGroup> group)
{
    m_sidebar->setSelectedGroup(group);
}

bool ContentView::showsSplash() const
{
    return m_faces->currentWidget() == m_splash;
}

bool ContentView::isSidebarVisible() const
{
    return !m_sidebar->isHidden();
}

void ContentView::setSidebarVisible(bool visible)
{
    m_sidebar->setVisible(visible);
}

QWidget *ContentView::detail() const
{
    return m_detail->currentWidget();
}

bool ContentView::isImporting() const
{
    return m_imports->isImporting();
}

void ContentView::loadMedia(const QStringList &pathsOrUrls)
{
    m_imports->load(pathsOrUrls);
}

void ContentView::loadEach(const QStringList &pathsOrUrls)
{
    m_imports->loadEach(pathsOrUrls);
}

void ContentView::updateImporting()
{
    // The media set's flag drops when the first of several loads lands; the
    // splash says "Importing…" until the last one has.
    m_splash->setImporting(isImporting());
}

void ContentView::chooseFiles()
{
    const QStringList chosen = OpenPanel::chooseMedia(window());
    if (!chosen.isEmpty())
        loadMedia(chosen);
}

void ContentView::chooseFolder()
{
    const std::optional<QString> folder = OpenPanel::chooseMediaFolder(window());
    if (folder && !folder->isEmpty())
        loadEach({*folder});
}

void ContentView::confirmRemoveGroup()
{
    const std::optional<MediaGroup> group = selectedGroup();
    if (!group || !m_set.media().contains(*group) || m_confirming != Confirming::nothing)
        return;
    m_confirming = Confirming::removeGroup;
    // The group named in the question is the one removed, whatever happens
    // to the selection meanwhile.
    const MediaGroup named = *group;
    confirm(tr("You are going to remove every file in '%1'.").arg(label(named)), tr("Remove"),
            [this, named] { m_set.removeGroup(named); });
}

void ContentView::confirmClearList()
{
    if (m_confirming != Confirming::nothing)
        return;
    m_confirming = Confirming::clearList;
    confirm(tr("You are going to clear the entire list of files."), tr("Clear"),
            [this] { m_set.clear(); });
}

void ContentView::confirm(const QString &message, const QString &action,
                          const std::function<void()> &onConfirmed)
{
    auto *box = new QMessageBox(this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    box->setIcon(QMessageBox::Warning);
    box->setWindowTitle(tr("Are you sure?"));
    box->setText(tr("Are you sure?"));
    box->setInformativeText(message);
    QPushButton *confirm = box->addButton(action, QMessageBox::DestructiveRole);
    QPushButton *cancel = box->addButton(tr("Cancel"), QMessageBox::RejectRole);
    box->setDefaultButton(cancel);
    // The question stands out; the explanation gets room to read as one line.
    if (auto *question = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"))) {
        QFont bold = question->font();
        bold.setWeight(QFont::DemiBold);
        question->setFont(bold);
    }
    if (auto *details = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_informativelabel")))
        details->setMinimumWidth(320);
    box->setEscapeButton(cancel);
    // A destructive button neither accepts nor rejects the dialog: what
    // counts is the button that closed it.
    connect(box, &QMessageBox::finished, this, [this, box, confirm, onConfirmed] {
        m_confirming = Confirming::nothing;
        if (box->clickedButton() == confirm)
            onConfirmed();
    });
    box->open();
}

void ContentView::updateFace()
{
    if (m_set.media().isEmpty()) {
        m_faces->setCurrentWidget(m_splash);
    } else if (m_faces->currentWidget() != m_splitView) {
        m_faces->setCurrentWidget(m_splitView);
        // The split view appears: select the first group present, unless
        // the user's choice from before is remembered.
        if (!selectedGroup())
            setSelectedGroup(m_set.media().firstKey());
    }
    updateDetail();
}

void ContentView::updateDetail()
{
    const std::optional<MediaGroup> group = selectedGroup();
    const auto found = group ? m_set.media().constFind(*group) : m_set.media().cend();
    if (found == m_set.media().cend()) {
        m_detail->setCurrentWidget(m_placeholder);
        return;
    }
    if (m_workspaceGroup != group) {
        m_workspaceGroup = group;
        m_workspace->setGroup(*group, *found);
    } else if (!m_workspaceTimer.isActive()) {
        // While many loads land one after another the table is rebuilt a
        // few times a second, not once per load.
        m_workspaceTimer.start(isImporting() ? 150 : 0);
    }
    m_detail->setCurrentWidget(m_workspace);
}

void ContentView::refreshWorkspace()
{
    const std::optional<MediaGroup> group = selectedGroup();
    const auto found = group ? m_set.media().constFind(*group) : m_set.media().cend();
    // Loads of other groups leave the workspace's list as it is.
    if (found != m_set.media().cend() && m_workspaceGroup == group
        && m_workspace->media() != *found)
        m_workspace->setGroup(*group, *found);
}
