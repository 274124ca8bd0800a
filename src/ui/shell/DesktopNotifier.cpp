#include "ui/shell/DesktopNotifier.h"

#include "conversion/Totals.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

namespace {

const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString path = QStringLiteral("/org/freedesktop/Notifications");
const QString interface = QStringLiteral("org.freedesktop.Notifications");
const QString defaultAction = QStringLiteral("default");

} // namespace

DesktopNotifier::DesktopNotifier(const QString &desktopId, const QDBusConnection &bus,
                                 QObject *parent)
    : QObject(parent)
    , m_desktopId(desktopId)
    , m_bus(bus)
{
    m_bus.connect(service, path, interface, QStringLiteral("ActionInvoked"), this,
                  SLOT(onActionInvoked(uint, QString)));
}

DesktopNotifier::~DesktopNotifier()
{
    m_bus.disconnect(service, path, interface, QStringLiteral("ActionInvoked"), this,
                     SLOT(onActionInvoked(uint, QString)));
}

void DesktopNotifier::notify(const QString &summary, const QString &body)
{
    if (!m_bus.isConnected())
        return;
    QDBusMessage call
        = QDBusMessage::createMethodCall(service, path, interface, QStringLiteral("Notify"));
    const QVariantMap hints {
        {QStringLiteral("desktop-entry"), m_desktopId},
        {QStringLiteral("category"), QStringLiteral("transfer.complete")},
    };
    call << QCoreApplication::applicationName() << m_lastId << m_desktopId << summary << body
         << QStringList {defaultAction, tr("Show")} << hints << qint32(-1);
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher *watcher) {
                watcher->deleteLater();
                const QDBusPendingReply<uint> reply = *watcher;
                if (reply.isValid())
                    m_lastId = reply.value();
            });
}

void DesktopNotifier::onActionInvoked(uint id, const QString &action)
{
    if (id != 0 && id == m_lastId && action == defaultAction)
        Q_EMIT activated();
}

QString DesktopNotifier::batchSummary(const Totals &totals)
{
    if (totals.failed == 0)
        return tr("Conversion finished");
    if (totals.completed == 0)
        return tr("Conversion failed");
    return tr("Conversion finished with errors");
}

QString DesktopNotifier::batchBody(const Totals &totals)
{
    // No catalogue is loaded for English, so its singular is spelled out;
    // the other languages take their plural forms from the numerus entry.
    const int converted = totals.completed;
    const int failed = totals.failed;
    if (failed == 0)
        return converted == 1 ? tr("1 file converted.")
                              : tr("%n files converted.", nullptr, converted);
    if (converted == 0)
        return failed == 1 ? tr("1 file could not be converted.")
                           : tr("%n files could not be converted.", nullptr, failed);
    return tr("%1 of %2 files converted, %3 not.")
        .arg(converted)
        .arg(converted + failed)
        .arg(failed);
}
