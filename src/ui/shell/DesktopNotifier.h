#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>

class QDBusPendingCallWatcher;
struct Totals;

// Desktop notifications through org.freedesktop.Notifications on the session
// bus. Sending never blocks and never fails loudly: without a notification
// server there is simply no notification.
class DesktopNotifier final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DesktopNotifier)

public:
    // desktopId names the .desktop file (without the suffix), so the desktop
    // can show the program's name and icon and group its notifications.
    explicit DesktopNotifier(const QString &desktopId,
                             const QDBusConnection &bus = QDBusConnection::sessionBus(),
                             QObject *parent = nullptr);
    ~DesktopNotifier() override;

    // Shows a notification that replaces the one this notifier showed before.
    void notify(const QString &summary, const QString &body);

    // The notification texts for the end of a batch.
    static QString batchSummary(const Totals &totals);
    static QString batchBody(const Totals &totals);

Q_SIGNALS:
    // The user clicked the notification (its default action).
    void activated();

private Q_SLOTS:
    void onActionInvoked(uint id, const QString &action);

private:
    QString m_desktopId;
    QDBusConnection m_bus;
    uint m_lastId = 0;
};
