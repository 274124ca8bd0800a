#include "ui/WorkspaceHost.h"

#include "conversion/JobQueue.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#if __has_include("ui/SnapshotView.h")
#include "ui/SnapshotView.h"
#define VIREO_HAS_SNAPSHOT_VIEW 1
#endif

WorkspaceHost::WorkspaceHost(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("workspaceHost"));
    // Files dropped on the workspace are not imported; the splash screen and
    // the sidebar take them.
    setAcceptDrops(false);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
#ifdef VIREO_HAS_SNAPSHOT_VIEW
    m_view = new SnapshotView(this);
    layout->addWidget(m_view);
    connect(m_view, &SnapshotView::removeRequested, this, &WorkspaceHost::removeRequested);
#else
    m_queue = new JobQueue(this);
    m_header = new QLabel(this);
    m_header->setContentsMargins(10, 6, 10, 6);
    m_files = new QListWidget(this);
    m_files->setObjectName(QStringLiteral("workspaceFiles"));
    m_files->setUniformItemSizes(true);
    m_files->setFrameShape(QFrame::NoFrame);
    m_files->setSpacing(2);
    layout->addWidget(m_header);
    layout->addWidget(m_files, 1);
#endif
}

WorkspaceHost::~WorkspaceHost() = default;

void WorkspaceHost::setGroup(MediaGroup group, const QList<MediaPtr> &media)
{
    m_group = group;
    m_media = media;
#ifdef VIREO_HAS_SNAPSHOT_VIEW
    m_view->setGroup(group, media);
#else
    m_header->setText(media.size() == 1 ? tr("%1 · 1 file").arg(label(group))
                                        : tr("%1 · %2 files").arg(label(group)).arg(media.size()));
    m_files->clear();
    QStringList names;
    names.reserve(media.size());
    for (const MediaPtr &item : media)
        names.append(item->filename());
    m_files->addItems(names);
#endif
}

JobQueue &WorkspaceHost::queue()
{
#ifdef VIREO_HAS_SNAPSHOT_VIEW
    return m_view->queue();
#else
    return *m_queue;
#endif
}
