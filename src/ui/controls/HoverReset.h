#pragma once

class QToolButton;

// A flat tool button whose click opens a menu or a dialog gets no Leave event
// while that is up, and so stays drawn raised after it closes with the
// pointer elsewhere. This forgets the hover when the menu closes or the
// window becomes active again, unless the pointer is really over the button.
void resetHoverAfterPopups(QToolButton *button);
