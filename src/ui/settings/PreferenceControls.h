#pragma once

#include "settings/PreferenceKeys.h"

#include <QString>

#include <functional>

class QAbstractButton;
class QComboBox;
class QLabel;
class QObject;
class QSpinBox;

// Controls that edit a preference directly: each writes its preference the
// moment the user changes it and follows every change made elsewhere (another
// window, a preset). The connections live as long as the control.
namespace PreferenceControls {

// Calls refresh now and whenever the preference named keyName changes, for as
// long as context lives.
void follow(QObject *context, const QString &keyName, const std::function<void()> &refresh);

void bind(QAbstractButton *toggle, const PreferenceKey<bool> &key);
void bind(QSpinBox *spinBox, const PreferenceKey<int> &key);
// The picker's items carry the stored strings as their data; a stored string
// that no item carries shows no selection.
void bind(QComboBox *picker, const PreferenceKey<QString> &key);

// "H.264", "H.265 / HEVC", "Copy (no re-encode)", storing the codec raw values.
QComboBox *makeVideoCodecPicker();
// The audio target titles in catalogue order, storing their extensions.
QComboBox *makeAudioFormatPicker();
// "Parallel conversions: N", 1 to 16.
QSpinBox *makeParallelConversionsStepper();

enum class Tone { secondary, tertiary };
enum class CaptionSize { caption, small };
// A smaller, fainter text beside or below a control.
void setCaptionStyle(QLabel *label, Tone tone, CaptionSize size = CaptionSize::caption);
// A bold section header.
QLabel *makeSectionHeader(const QString &text);

} // namespace PreferenceControls
