#include "ui/controls/HoverReset.h"

#include <QCursor>
#include <QEvent>
#include <QMenu>
#include <QTimer>
#include <QToolButton>

namespace {

void settle(QToolButton *button)
{
    const bool under
        = button->isVisible() && button->rect().contains(button->mapFromGlobal(QCursor::pos()));
    if (button->testAttribute(Qt::WA_UnderMouse) == under)
        return;
    button->setAttribute(Qt::WA_UnderMouse, under);
    button->update();
}

class HoverReset final : public QObject {
public:
    explicit HoverReset(QToolButton *button)
        : QObject(button)
    {
        button->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::ActivationChange)
            settle(static_cast<QToolButton *>(watched));
        return false;
    }
};

} // namespace

void resetHoverAfterPopups(QToolButton *button)
{
    new HoverReset(button);
    if (QMenu *menu = button->menu()) {
        // After the menu's own handling of the click that closed it.
        QObject::connect(menu, &QMenu::aboutToHide, button,
                         [button] { QTimer::singleShot(0, button, [button] { settle(button); }); });
    }
}
