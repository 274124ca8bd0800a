#include "ui/main/FileDrop.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace {

bool isFile(const QUrl &url)
{
    return url.isValid() && url.isLocalFile() && !url.toLocalFile().isEmpty();
}

} // namespace

FileDrop::FileDrop(QWidget *target)
    : QObject(target)
{
    target->setAcceptDrops(true);
    target->installEventFilter(this);
}

bool FileDrop::carriesFiles(const QMimeData *data)
{
    if (!data || !data->hasUrls())
        return false;
    const QList<QUrl> urls = data->urls();
    return std::any_of(urls.cbegin(), urls.cend(), isFile);
}

QStringList FileDrop::files(const QMimeData *data)
{
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl &url : data->urls()) {
        if (isFile(url))
            paths.append(url.toLocalFile());
    }
    return paths;
}

bool FileDrop::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::DragEnter: {
        auto *enter = static_cast<QDragEnterEvent *>(event);
        if (carriesFiles(enter->mimeData())) {
            enter->acceptProposedAction();
            setTargeted(true);
        } else {
            enter->ignore();
        }
        return true;
    }
    case QEvent::DragMove:
        static_cast<QDragMoveEvent *>(event)->acceptProposedAction();
        return true;
    case QEvent::DragLeave:
        setTargeted(false);
        return true;
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        setTargeted(false);
        drop->acceptProposedAction();
        const QStringList dropped = files(drop->mimeData());
        if (!dropped.isEmpty())
            Q_EMIT filesDropped(dropped);
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

void FileDrop::setTargeted(bool targeted)
{
    if (m_targeted == targeted)
        return;
    m_targeted = targeted;
    Q_EMIT targetedChanged(targeted);
}
