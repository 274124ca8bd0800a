#pragma once

#include <QIcon>
#include <QStyle>

#include <initializer_list>

class QColor;
class QWidget;

// A themed icon by the first name the theme has; the style's icon otherwise.
// Symbolic theme icons are single-coloured, so they can be tinted.
struct Glyph {
    QIcon icon;
    bool tintable = false;

    static Glyph find(std::initializer_list<const char *> names, QStyle::StandardPixmap fallback,
                      const QWidget *widget);
    // The icon in `color` where it is symbolic; as it is otherwise.
    QIcon tinted(const QColor &color) const;
};
