#include "ui/settings/PreferencesView.h"

#include "settings/Preferences.h"
#include "ui/controls/DiscreteSlider.h"
#include "ui/controls/SymbolicIcon.h"
#include "ui/settings/PreferenceControls.h"
#include "ui/settings/VideoQualityBlock.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QIcon>
#include <QLabel>
#include <QShortcut>
#include <QSpinBox>
#include <QStyle>
#include <QVBoxLayout>

#include <cmath>

using namespace PreferenceControls;
using namespace PreferenceKeys;

namespace {

constexpr int tabPadding = 24;

QIcon themeIcon(std::initializer_list<const char *> names, QStyle::StandardPixmap fallback,
                const QStyle *style)
{
    const QIcon icon = symbolicIcon(names);
    return icon.isNull() ? style->standardIcon(fallback) : icon;
}

QVBoxLayout *tabLayout(QWidget *tab)
{
    auto *layout = new QVBoxLayout(tab);
    layout->setContentsMargins(tabPadding, tabPadding, tabPadding, tabPadding);
    layout->setSpacing(10);
    return layout;
}

QCheckBox *checkBox(const QString &text, const PreferenceKey<bool> &key, const char *objectName)
{
    auto *box = new QCheckBox(text);
    box->setObjectName(QLatin1String(objectName));
    bind(box, key);
    return box;
}

QFormLayout *pickerForm(const QString &title, QComboBox *picker, const char *objectName)
{
    picker->setObjectName(QLatin1String(objectName));
    auto *form = new QFormLayout;
    form->setContentsMargins(0, 0, 0, 0);
    form->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    form->addRow(title, picker);
    return form;
}

// The three usual levels; a level set elsewhere (the command line writes
// none, but a hand-edited file might) shows no selection.
QComboBox *makeLoudnessTargetPicker()
{
    auto *picker = new QComboBox;
    picker->addItem(PreferencesView::tr("-14 LUFS (streaming)"), -14.0);
    picker->addItem(PreferencesView::tr("-16 LUFS (podcast)"), -16.0);
    picker->addItem(PreferencesView::tr("-23 LUFS (broadcast)"), -23.0);
    follow(picker, loudnessTarget.name, [picker] {
        picker->setCurrentIndex(picker->findData(Preferences::instance().value(loudnessTarget)));
    });
    QObject::connect(picker, &QComboBox::activated, picker, [picker](int index) {
        Preferences::instance().setValue(loudnessTarget, picker->itemData(index).toDouble());
    });
    return picker;
}

QWidget *generalTab()
{
    auto *tab = new QWidget;
    QVBoxLayout *layout = tabLayout(tab);
    layout->addWidget(checkBox(PreferencesView::tr("Overwrite existing output files"),
                               overwriteExisting, "overwriteExisting"));
    layout->addWidget(checkBox(PreferencesView::tr("Skip files already converted"),
                               ignoreAlreadyProcessedFiles, "skipConverted"));
    layout->addWidget(checkBox(PreferencesView::tr("Open destination folder when finished"),
                               openDestinationOnFinish, "openDestination"));
    layout->addStretch();
    return tab;
}

QWidget *audioTab()
{
    auto *tab = new QWidget;
    QVBoxLayout *layout = tabLayout(tab);
    layout->addLayout(pickerForm(PreferencesView::tr("Extract audio format"),
                                 makeAudioFormatPicker(), "audioFormat"));

    const QList<double> steps {96, 128, 192, 256, 320};
    QStringList labels;
    for (double kbps : steps)
        labels.append(PreferencesView::tr("%1 kbps").arg(kbps));
    auto *bitrate = new DiscreteSlider(PreferencesView::tr("Audio bitrate"), steps, labels);
    bitrate->setObjectName(QStringLiteral("audioBitrate"));
    // Here the text tells the stored value as it is, and a value that is no
    // step sits at the default step.
    bitrate->setFallbackIndex(2);
    bitrate->setValueFormatter([](double kbps) {
        return PreferencesView::tr("%1 kbps").arg(std::trunc(kbps), 0, 'f', 0);
    });
    follow(bitrate, audioQuality.name,
           [bitrate] { bitrate->setValue(Preferences::instance().value(audioQuality)); });
    QObject::connect(bitrate, &DiscreteSlider::valueChanged, bitrate,
                     [](double kbps) { Preferences::instance().setValue(audioQuality, kbps); });
    layout->addWidget(bitrate);

    layout->addWidget(checkBox(PreferencesView::tr("Normalize loudness"), normalizeLoudness,
                               "normalizeLoudness"));
    QComboBox *level = makeLoudnessTargetPicker();
    layout->addLayout(pickerForm(PreferencesView::tr("Target level"), level, "loudnessTarget"));
    // The level means nothing while nothing is normalized.
    follow(level, normalizeLoudness.name,
           [level] { level->setEnabled(Preferences::instance().value(normalizeLoudness)); });
    auto *caption = new QLabel(PreferencesView::tr(
        "For audio formats and Convert to Audio. Each file is measured first (EBU R128) and "
        "brought to the level, with true peaks at most -1.5 dBTP."));
    caption->setWordWrap(true);
    setCaptionStyle(caption, Tone::secondary, CaptionSize::small);
    layout->addWidget(caption);
    layout->addStretch();
    return tab;
}

QWidget *videoTab(QAbstractButton **hardware)
{
    auto *tab = new QWidget;
    QVBoxLayout *layout = tabLayout(tab);
    layout->addLayout(
        pickerForm(PreferencesView::tr("Default codec"), makeVideoCodecPicker(), "videoCodec"));
    auto *quality = new VideoQualityBlock(PreferencesView::tr("Quality"));
    quality->setObjectName(QStringLiteral("videoQuality"));
    layout->addWidget(quality);
    *hardware = checkBox(PreferencesView::tr("Hardware acceleration"), hardwareAcceleration,
                         "hardwareAcceleration");
    layout->addWidget(*hardware);
    layout->addStretch();
    return tab;
}

QWidget *queueTab()
{
    auto *tab = new QWidget;
    QVBoxLayout *layout = tabLayout(tab);
    QSpinBox *parallel = makeParallelConversionsStepper();
    parallel->setObjectName(QStringLiteral("parallelConversions"));
    layout->addWidget(parallel, 0, Qt::AlignLeft);
    auto *caption = new QLabel(PreferencesView::tr(
        "How many files to convert at the same time. Higher values use more CPU/GPU."));
    caption->setWordWrap(true);
    setCaptionStyle(caption, Tone::secondary, CaptionSize::small);
    layout->addWidget(caption);
    layout->addSpacing(8);
    layout->addWidget(checkBox(PreferencesView::tr("Keep folder structure"), keepFolderStructure,
                               "keepFolderStructure"));
    layout->addStretch();
    return tab;
}

} // namespace

PreferencesView::PreferencesView(QWidget *parent)
    : QTabWidget(parent)
{
    setWindowTitle(tr("Preferences"));
    const QStyle *style = this->style();
    addTab(generalTab(),
           themeIcon({"preferences-system-symbolic", "emblem-system-symbolic"},
                     QStyle::SP_ComputerIcon, style),
           tr("General"));
    addTab(audioTab(),
           themeIcon({"audio-x-generic-symbolic", "audio-volume-high-symbolic"},
                     QStyle::SP_MediaVolume, style),
           tr("Audio"));
    addTab(videoTab(&m_hardware),
           themeIcon({"video-x-generic-symbolic", "camera-video-symbolic"}, QStyle::SP_MediaPlay,
                     style),
           tr("Video"));
    addTab(queueTab(),
           themeIcon({"view-list-symbolic", "format-justify-fill-symbolic"},
                     QStyle::SP_FileDialogListView, style),
           tr("Queue"));
    resize(460, 300);
    // A window of its own: it closes as dialogs do.
    for (const QKeySequence &keys :
         {QKeySequence(Qt::Key_Escape), QKeySequence(QKeySequence::Close)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &QWidget::close);
}

void PreferencesView::setHardwareLabel(const QString &label)
{
    m_hardware->setText(label);
}
