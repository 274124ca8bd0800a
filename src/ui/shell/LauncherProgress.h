#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>

#include <optional>

// The progress bar on the program's icon in the taskbar or dock, through the
// com.canonical.Unity.LauncherEntry signal that docks and task managers
// (KDE Plasma, Dash to Dock, Plank, …) listen to. Desktops that listen to
// nobody simply show nothing.
class LauncherProgress final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LauncherProgress)

public:
    // desktopId names the .desktop file (without the suffix).
    explicit LauncherProgress(const QString &desktopId,
                              const QDBusConnection &bus = QDBusConnection::sessionBus(),
                              QObject *parent = nullptr);
    ~LauncherProgress() override;

    // A fraction from 0 to 1 shows the bar, nothing hides it. Only a change
    // of a whole percent or of visibility is sent.
    void setProgress(std::optional<double> fraction);

private:
    void send(const QVariantMap &properties);

    QString m_appUri;
    QDBusConnection m_bus;
    std::optional<int> m_percent;
};
