#pragma once

#include <QStringList>

class QMimeData;

// What a drag from the desktop carries for the window: the files and folders
// on this computer that it names. Web links and text are not imported.
namespace FileDrop {

// True when the drag names at least one file or folder on this computer.
bool carriesFiles(const QMimeData *data);

// The local paths of the dragged items, in the order the drag lists them.
QStringList files(const QMimeData *data);

} // namespace FileDrop
