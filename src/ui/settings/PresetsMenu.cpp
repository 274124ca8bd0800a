#include "ui/settings/PresetsMenu.h"

#include "settings/Preferences.h"
#include "settings/PresetStore.h"
#include "ui/controls/SymbolicIcon.h"
#include "ui/settings/SavePresetDialog.h"

#include <QContextMenuEvent>
#include <QIcon>
#include <QMouseEvent>

PresetsMenu::PresetsMenu(QWidget *parent)
    : QMenu(tr("Presets"), parent)
    , m_selectedTarget(MediaTarget::initialTarget(MediaGroup::other))
{
    // Saving and deleting happen inside the handler of one of our actions,
    // which must not be deleted under its own feet: store changes rebuild the
    // menu after the current event.
    m_rebuildTimer.setSingleShot(true);
    m_rebuildTimer.setInterval(0);
    connect(&m_rebuildTimer, &QTimer::timeout, this, &PresetsMenu::rebuild);
    setIcon(symbolicIcon({"bookmark-new-symbolic", "preferences-other-symbolic"}));
    // The "Built-in" header stays even when no built-in preset follows it.
    setSeparatorsCollapsible(false);
    setToolTipsVisible(true);
    connect(this, &QMenu::aboutToShow, this, &PresetsMenu::rebuild);
    connect(&Preferences::instance(), &Preferences::changed, this, [this](const QString &key) {
        if (key == PreferenceKeys::userPresets.name)
            m_rebuildTimer.start();
    });
    rebuild();
}

void PresetsMenu::setGroup(MediaGroup group)
{
    m_group = group;
    rebuild();
}

void PresetsMenu::setSelectedTarget(const MediaTarget &target)
{
    m_selectedTarget = target;
}

SavePresetDialog *PresetsMenu::openSavePrompt()
{
    QWidget *window = parentWidget() ? parentWidget()->window() : nullptr;
    auto *dialog = new SavePresetDialog(window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(window ? Qt::WindowModal : Qt::ApplicationModal);
    // The target is taken when the user saves, not when the prompt opened.
    connect(dialog, &QDialog::accepted, this,
            [this, dialog] { PresetStore::savePreset(dialog->name(), m_selectedTarget); });
    dialog->open();
    return dialog;
}

void PresetsMenu::contextMenuEvent(QContextMenuEvent *event)
{
    QAction *action = actionAt(event->pos());
    const auto found = m_userPresetIds.constFind(action);
    if (found == m_userPresetIds.constEnd())
        return QMenu::contextMenuEvent(event);

    event->accept();
    auto *menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QAction *remove = menu->addAction(symbolicIcon({"user-trash-symbolic", "edit-delete-symbolic"}),
                                      tr("Delete"));
    remove->setObjectName(QStringLiteral("delete"));
    const QString presetId = *found;
    connect(remove, &QAction::triggered, this, [presetId] { PresetStore::deletePreset(presetId); });
    menu->popup(event->globalPos());
}

void PresetsMenu::mouseReleaseEvent(QMouseEvent *event)
{
    // A right click on a user preset opens its context menu; it must not
    // apply the preset as QMenu does for any button.
    if (event->button() == Qt::RightButton
        && m_userPresetIds.contains(actionAt(event->position().toPoint()))) {
        event->accept();
        return;
    }
    QMenu::mouseReleaseEvent(event);
}

void PresetsMenu::rebuild()
{
    m_rebuildTimer.stop();
    clear();
    m_userPresetIds.clear();

    const QList<ConversionPreset> builtIn = PresetStore::offeredBuiltInPresets(m_group);
    const QList<ConversionPreset> own = PresetStore::offeredUserPresets(m_group);
    const auto addPreset = [this](const ConversionPreset &preset) {
        QAction *action = addAction(preset.name);
        connect(action, &QAction::triggered, this, [this, preset] {
            if (const std::optional<MediaTarget> target = PresetStore::applyPreset(preset))
                Q_EMIT targetChosen(target->id);
        });
        return action;
    };

    if (builtIn.isEmpty() && own.isEmpty()) {
        addAction(tr("No presets for this type"))->setEnabled(false);
    } else {
        addSection(tr("Built-in"));
        for (const ConversionPreset &preset : builtIn)
            addPreset(preset);
    }
    if (!own.isEmpty()) {
        addSection(tr("Your presets"));
        for (const ConversionPreset &preset : own) {
            QAction *action = addPreset(preset);
            action->setToolTip(tr("Right-click to delete"));
            m_userPresetIds.insert(action, preset.id);
        }
    }

    addSeparator();
    QAction *save = addAction(symbolicIcon({"document-save-as-symbolic", "document-save-symbolic"}),
                              tr("Save current as preset…"));
    save->setObjectName(QStringLiteral("savePreset"));
    connect(save, &QAction::triggered, this, &PresetsMenu::openSavePrompt);
}
