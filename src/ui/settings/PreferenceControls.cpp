#include "ui/settings/PreferenceControls.h"

#include "model/MediaTarget.h"
#include "settings/Preferences.h"
#include "settings/VideoCodec.h"
#include "ui/controls/TextTones.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>

namespace PreferenceControls {

void follow(QObject *context, const QString &keyName, const std::function<void()> &refresh)
{
    refresh();
    QObject::connect(&Preferences::instance(), &Preferences::changed, context,
                     [keyName, refresh](const QString &changed) {
                         if (changed == keyName)
                             refresh();
                     });
}

void bind(QAbstractButton *toggle, const PreferenceKey<bool> &key)
{
    toggle->setCheckable(true);
    follow(toggle, key.name, [toggle, key] {
        const QSignalBlocker blocker(toggle);
        toggle->setChecked(Preferences::instance().value(key));
    });
    QObject::connect(toggle, &QAbstractButton::toggled, toggle,
                     [key](bool checked) { Preferences::instance().setValue(key, checked); });
}

void bind(QSpinBox *spinBox, const PreferenceKey<int> &key)
{
    // A stored value outside the range shows clamped and is left stored until
    // the user steps.
    follow(spinBox, key.name, [spinBox, key] {
        const QSignalBlocker blocker(spinBox);
        spinBox->setValue(Preferences::instance().value(key));
    });
    QObject::connect(spinBox, &QSpinBox::valueChanged, spinBox,
                     [key](int value) { Preferences::instance().setValue(key, value); });
}

void bind(QComboBox *picker, const PreferenceKey<QString> &key)
{
    follow(picker, key.name, [picker, key] {
        picker->setCurrentIndex(picker->findData(Preferences::instance().value(key)));
    });
    QObject::connect(picker, &QComboBox::activated, picker, [picker, key](int index) {
        Preferences::instance().setValue(key, picker->itemData(index).toString());
    });
}

QComboBox *makeVideoCodecPicker()
{
    auto *picker = new QComboBox;
    for (VideoCodec codec : allVideoCodecs())
        picker->addItem(label(codec), rawValue(codec));
    bind(picker, PreferenceKeys::videoCodec);
    return picker;
}

QComboBox *makeAudioFormatPicker()
{
    auto *picker = new QComboBox;
    for (const MediaTarget &target : MediaTarget::audioTargets())
        picker->addItem(target.title, target.ext);
    bind(picker, PreferenceKeys::videoToAudio);
    return picker;
}

QSpinBox *makeParallelConversionsStepper()
{
    auto *stepper = new QSpinBox;
    stepper->setPrefix(QCoreApplication::translate("PreferenceControls", "Parallel conversions: "));
    // The prefix is text inside the field: a screen reader hears only the number.
    stepper->setAccessibleName(
        QCoreApplication::translate("PreferenceControls", "Parallel conversions"));
    stepper->setRange(1, 16);
    stepper->setSingleStep(1);
    // Typing "12" would otherwise store 1 on the way.
    stepper->setKeyboardTracking(false);
    bind(stepper, PreferenceKeys::maxConcurrentJobs);
    return stepper;
}

void setCaptionStyle(QLabel *label, Tone tone, CaptionSize size)
{
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * (size == CaptionSize::caption ? 0.9 : 0.8));
    label->setFont(font);
    TextTones::keepFaint(label, tone == Tone::tertiary ? 0.55f : 0.7f);
}

QLabel *makeSectionHeader(const QString &text)
{
    auto *header = new QLabel(text);
    QFont font = header->font();
    font.setBold(true);
    header->setFont(font);
    return header;
}

} // namespace PreferenceControls
