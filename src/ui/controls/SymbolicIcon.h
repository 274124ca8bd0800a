#pragma once

#include <QIcon>

// A symbolic icon drawn in the palette's text colour at the moment it is
// painted: the theme's own grey would vanish on a dark window. Empty when
// the theme has none of the names.
QIcon symbolicIcon(std::initializer_list<const char *> names);
