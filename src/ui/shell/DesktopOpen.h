#pragma once

class QUrl;
class QWidget;

// Hands a folder or an address to the desktop's program for it. Where the
// desktop has none, the window says so and offers the path or the address
// to copy: a click that silently does nothing would leave the user guessing.
namespace DesktopOpen {

// False when the desktop had no program for the URL; the user was told.
bool openUrl(const QUrl &url, QWidget *parent = nullptr);

} // namespace DesktopOpen
