#include "ui/settings/SettingsView.h"

#include "settings/Preferences.h"
#include "settings/VideoCodec.h"
#include "ui/controls/DiscreteSlider.h"
#include "ui/controls/ToggleSwitch.h"
#include "ui/settings/PreferenceControls.h"
#include "ui/settings/VideoQualityBlock.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

using namespace PreferenceControls;
using namespace PreferenceKeys;

namespace {

const QList<double> bitrateSteps {96, 128, 192, 256, 320};

QWidget *pickerRow(const QString &title, QComboBox *picker)
{
    auto *row = new QWidget;
    auto *label = new QLabel(title);
    label->setBuddy(picker);
    // The side sheet can be narrow: the picker sits under its title, where
    // it has the whole width for its longest choice.
    auto *layout = new QVBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(label);
    layout->addWidget(picker, 0, Qt::AlignLeft);
    return row;
}

QVBoxLayout *sectionLayout()
{
    auto *layout = new QVBoxLayout;
    layout->setSpacing(10);
    return layout;
}

} // namespace

SettingsView::SettingsView(QWidget *parent)
    : QScrollArea(parent)
{
    setWidgetResizable(true);
    setAccessibleName(tr("Conversion settings"));
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setBackgroundRole(QPalette::Window);

    auto *content = new QWidget;
    content->setBackgroundRole(QPalette::Window);
    auto *layout = new QVBoxLayout(content);
    layout->setContentsMargins(30, 30, 30, 30);
    layout->setSpacing(18);

    auto *general = sectionLayout();
    general->addWidget(makeSectionHeader(tr("General")));
    auto *overwrite = new ToggleSwitch(tr("Overwrite existing output files"));
    overwrite->setObjectName(QStringLiteral("overwriteExisting"));
    bind(overwrite, overwriteExisting);
    general->addWidget(overwrite);
    auto *skip = new ToggleSwitch(tr("Skip files already converted"));
    skip->setObjectName(QStringLiteral("skipConverted"));
    bind(skip, ignoreAlreadyProcessedFiles);
    general->addWidget(skip);
    auto *structure = new ToggleSwitch(tr("Keep folder structure"));
    structure->setObjectName(QStringLiteral("keepFolderStructure"));
    bind(structure, keepFolderStructure);
    general->addWidget(structure);
    QSpinBox *parallel = makeParallelConversionsStepper();
    parallel->setObjectName(QStringLiteral("parallelConversions"));
    general->addWidget(parallel, 0, Qt::AlignLeft);
    layout->addLayout(general);

    auto *options = sectionLayout();
    m_optionsHeader = makeSectionHeader(tr("Options"));
    options->addWidget(m_optionsHeader);

    const QStringList bitrateLabels {tr("96 kbps"), tr("128 kbps"), tr("192 kbps"), tr("256 kbps"),
                                     tr("320 kbps")};
    m_audioBitrate = new DiscreteSlider(tr("Audio bitrate"), bitrateSteps, bitrateLabels);
    m_audioBitrate->setObjectName(QStringLiteral("audioBitrate"));
    follow(m_audioBitrate, audioQuality.name,
           [this] { m_audioBitrate->setValue(Preferences::instance().value(audioQuality)); });
    connect(m_audioBitrate, &DiscreteSlider::valueChanged, this,
            [](double kbps) { Preferences::instance().setValue(audioQuality, kbps); });
    options->addWidget(m_audioBitrate);

    m_videoCodecRow = pickerRow(tr("Video codec"), makeVideoCodecPicker());
    m_videoCodecRow->setObjectName(QStringLiteral("videoCodec"));
    options->addWidget(m_videoCodecRow);

    m_videoQuality = new VideoQualityBlock(tr("Video quality"));
    m_videoQuality->setObjectName(QStringLiteral("videoQuality"));
    options->addWidget(m_videoQuality);

    m_hardware = new ToggleSwitch(tr("Hardware acceleration"));
    m_hardware->setObjectName(QStringLiteral("hardwareAcceleration"));
    bind(m_hardware, hardwareAcceleration);
    options->addWidget(m_hardware);
    m_hardwareDetail = new QLabel;
    m_hardwareDetail->setObjectName(QStringLiteral("hardwareDetail"));
    m_hardwareDetail->setWordWrap(true);
    setCaptionStyle(m_hardwareDetail, Tone::secondary, CaptionSize::small);
    m_hardwareDetail->hide();
    options->addWidget(m_hardwareDetail);

    m_audioFormatRow = pickerRow(tr("Audio format"), makeAudioFormatPicker());
    m_audioFormatRow->setObjectName(QStringLiteral("audioFormat"));
    options->addWidget(m_audioFormatRow);

    m_normalize = new ToggleSwitch(tr("Normalize loudness"));
    m_normalize->setObjectName(QStringLiteral("normalizeLoudness"));
    m_normalize->setToolTip(tr("Bring every file to the same loudness (EBU R128). The level is "
                               "set in the preferences; each file is read twice."));
    bind(m_normalize, normalizeLoudness);
    options->addWidget(m_normalize);

    layout->addLayout(options);
    layout->addStretch();
    setWidget(content);

    // Copying the video stream has no quality to choose.
    follow(this, videoCodec.name, [this] { updateVisibility(); });
}

void SettingsView::setOptions(const QList<MediaOption> &options)
{
    m_options = options;
    updateVisibility();
}

void SettingsView::setWritesAudio(bool writesAudio)
{
    m_writesAudio = writesAudio;
    updateVisibility();
}

void SettingsView::setHardwareLabel(const QString &label)
{
    // "Hardware acceleration (VA-API, …)": the switch keeps the short title,
    // the detail wraps beneath it as a caption instead of the title itself.
    const qsizetype open = label.indexOf(u'(');
    m_hardware->setText(open > 0 ? label.left(open).trimmed() : label);
    m_hardwareDetail->setText(open > 0 ? label.mid(open + 1).chopped(label.endsWith(u')') ? 1 : 0)
                                       : QString());
    m_hardware->updateGeometry();
    updateVisibility();
}

void SettingsView::updateVisibility()
{
    const auto has = [this](MediaOption option) {
        return m_options.contains(option);
    };
    const bool copying
        = Preferences::instance().value(PreferenceKeys::videoCodec) == rawValue(VideoCodec::copy);
    m_optionsHeader->setVisible(!m_options.isEmpty() || m_writesAudio);
    m_audioBitrate->setVisible(has(MediaOption::audioQuality));
    m_videoCodecRow->setVisible(has(MediaOption::videoCodec));
    m_videoQuality->setVisible(has(MediaOption::videoQuality) && !copying);
    m_hardware->setVisible(has(MediaOption::hwAccel));
    m_hardwareDetail->setVisible(has(MediaOption::hwAccel) && !m_hardwareDetail->text().isEmpty());
    m_audioFormatRow->setVisible(has(MediaOption::videoToAudio));
    m_normalize->setVisible(m_writesAudio);
}
