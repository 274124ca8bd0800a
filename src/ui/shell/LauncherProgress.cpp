#include "ui/shell/LauncherProgress.h"

#include <QDBusMessage>
#include <QVariantMap>

#include <algorithm>
#include <cmath>

namespace {

// Listeners match the signal by interface and member, not by path.
const QString objectPath = QStringLiteral("/com/canonical/unity/launcherentry/vireo");
const QString interface = QStringLiteral("com.canonical.Unity.LauncherEntry");

} // namespace

LauncherProgress::LauncherProgress(const QString &desktopId, const QDBusConnection &bus,
                                   QObject *parent)
    : QObject(parent)
    , m_appUri(QLatin1String("application://") + desktopId + QLatin1String(".desktop"))
    , m_bus(bus)
{
}

LauncherProgress::~LauncherProgress()
{
    // A dock would otherwise keep showing a bar for a program that is gone.
    setProgress(std::nullopt);
}

void LauncherProgress::setProgress(std::optional<double> fraction)
{
    std::optional<int> percent;
    if (fraction && std::isfinite(*fraction))
        percent = int(std::lround(std::clamp(*fraction, 0.0, 1.0) * 100.0));
    if (percent == m_percent)
        return;
    m_percent = percent;
    if (percent)
        send({{QStringLiteral("progress"), *percent / 100.0},
              {QStringLiteral("progress-visible"), true}});
    else
        send({{QStringLiteral("progress-visible"), false}});
}

void LauncherProgress::send(const QVariantMap &properties)
{
    if (!m_bus.isConnected())
        return;
    QDBusMessage signal
        = QDBusMessage::createSignal(objectPath, interface, QStringLiteral("Update"));
    signal << m_appUri << properties;
    m_bus.send(signal);
}
