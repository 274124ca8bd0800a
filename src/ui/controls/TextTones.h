#pragma once

#include <QColor>

class QWidget;

// Text colours shared by the views, derived from the palette in force so that
// they follow a dark one.
namespace TextTones {

// The widget's window text, fainter: captions, counts, a selected file's path.
QColor secondary(const QWidget *widget);

// Makes the widget's window text say that something is wrong.
void setErrorText(QWidget *widget);

} // namespace TextTones
