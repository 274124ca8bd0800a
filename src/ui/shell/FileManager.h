#pragma once

#include <QString>

class QWidget;
#include <QStringList>

// The desktop's file manager: showing files selected in their folders, and
// opening a folder. Neither call waits for the file manager.
namespace FileManager {

// Asks the file manager over D-Bus (org.freedesktop.FileManager1) to show
// the files selected; where no file manager answers, opens their folders.
void showItems(const QStringList &paths);

// Opens a folder in the desktop's file viewer; where there is none, says so
// over the window of parent (or the active one).
void openFolder(const QString &folder, QWidget *parent = nullptr);

} // namespace FileManager
