#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QWidget;

// The one place that asks the user for files or a folder. Tests replace the
// dialogs with answers of their own.
namespace OpenPanel {

// Files to import; empty when the user cancels.
QStringList chooseMedia(QWidget *parent);

// A folder to import whole; nothing when cancelled.
std::optional<QString> chooseMediaFolder(QWidget *parent);

// One destination folder (new folders may be made); nothing when cancelled.
std::optional<QString> chooseFolder(QWidget *parent);

// Where a batch writes: a folder, or an empty text for "next to the
// originals"; nothing when cancelled. The choice is remembered.
std::optional<QString> chooseDestination(QWidget *parent);

struct Answers {
    std::function<QStringList()> media {};
    std::function<std::optional<QString>()> folder {};
    std::function<std::optional<QString>()> mediaFolder {};
    std::function<std::optional<QString>()> destination {};
};

// Replaces the dialogs until reset with an empty Answers.
void setAnswersForTesting(const Answers &answers);

} // namespace OpenPanel
