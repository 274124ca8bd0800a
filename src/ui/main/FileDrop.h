#pragma once

#include <QObject>
#include <QStringList>

class QMimeData;
class QWidget;

// Takes drops of files and folders from the desktop for one widget (the
// splash screen, the sidebar). Web links and text are not imported.
class FileDrop final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FileDrop)

public:
    // Makes `target` accept drops; the handler lives as its child.
    explicit FileDrop(QWidget *target);

    // True when the drag names at least one file or folder on this computer.
    static bool carriesFiles(const QMimeData *data);
    // The local paths of the dragged items, in the order the drag lists them.
    static QStringList files(const QMimeData *data);

Q_SIGNALS:
    // A drag that carries files hovers over the target (true), or left or
    // dropped (false).
    void targetedChanged(bool targeted);
    // Files and folders dropped, in the drag's order; never empty.
    void filesDropped(const QStringList &files);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setTargeted(bool targeted);

    bool m_targeted = false;
};
