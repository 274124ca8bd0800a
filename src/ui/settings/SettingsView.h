#pragma once

#include "model/MediaOption.h"

#include <QList>
#include <QScrollArea>

class DiscreteSlider;
class QComboBox;
class QLabel;
class QSpinBox;
class QWidget;
class ToggleSwitch;
class VideoQualityBlock;

// The settings side panel of a group workspace: the queue options that
// matter while working, and the conversion options the selected target uses.
// Every control edits its preference directly and follows changes made
// anywhere else.
class SettingsView final : public QScrollArea {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SettingsView)

public:
    explicit SettingsView(QWidget *parent = nullptr);

    // The options of the selected target; the Options section shows their
    // controls in a fixed order, and is hidden when there are none.
    void setOptions(const QList<MediaOption> &options);
    QList<MediaOption> options() const { return m_options; }

    // Whether the selected target writes audio, which offers loudness
    // normalisation.
    void setWritesAudio(bool writesAudio);

    // The text of the hardware acceleration switch, which names the encoder
    // API in use or says that the software encoder is used.
    void setHardwareLabel(const QString &label);

private:
    void updateVisibility();

    QList<MediaOption> m_options;
    QLabel *m_optionsHeader = nullptr;
    DiscreteSlider *m_audioBitrate = nullptr;
    QWidget *m_videoCodecRow = nullptr;
    VideoQualityBlock *m_videoQuality = nullptr;
    QLabel *m_hardwareDetail = nullptr;
    ToggleSwitch *m_hardware = nullptr;
    QWidget *m_audioFormatRow = nullptr;
    ToggleSwitch *m_normalize = nullptr;
    bool m_writesAudio = false;
};
