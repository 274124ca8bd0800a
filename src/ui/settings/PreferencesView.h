#pragma once

#include <QTabWidget>

class QAbstractButton;

// The preferences window: every preference except the user presets, on the
// tabs General, Audio, Video and Queue. Controls write their preference at
// once; there is no apply step.
class PreferencesView final : public QTabWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PreferencesView)

public:
    explicit PreferencesView(QWidget *parent = nullptr);

    // The text of the hardware acceleration check box on the Video tab, which
    // names the encoder API in use or says that the software encoder is used.
    void setHardwareLabel(const QString &label);

private:
    QAbstractButton *m_hardware = nullptr;
};
