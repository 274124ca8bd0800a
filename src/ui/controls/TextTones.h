#pragma once

#include <QColor>

class QWidget;

// Text colours shared by the views, derived from the palette in force so that
// they follow a dark one.
namespace TextTones {

// The widget's window text, fainter: captions, counts, a selected file's path.
QColor secondary(const QWidget *widget);

// Gives the widget's window text the colour of its parent's (or the
// application's) at the given opacity, now and after every palette change, so
// a caption made in a light palette stays readable in a dark one.
void keepFaint(QWidget *widget, float opacity);

// Makes the widget's window text say that something is wrong.
void setErrorText(QWidget *widget);

} // namespace TextTones
