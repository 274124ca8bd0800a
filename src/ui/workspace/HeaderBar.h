#pragma once

#include "conversion/BatchSettings.h"
#include "model/MediaGroup.h"
#include "model/MediaTarget.h"

#include <QTimer>
#include <QWidget>

class PresetsMenu;
class QActionGroup;
class QLabel;
class QMenu;
class QToolButton;

// The workspace's header: the selected file's path or the number of files,
// the target picker, the settings toggle, presets, the trim and scale of the
// batch, and "Process". It shows what the workspace holds and reports what
// the user picks; only what it says is its own to decide.
class HeaderBar final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HeaderBar)

public:
    explicit HeaderBar(QWidget *parent = nullptr);

    // For other there is no target, no settings and no trim.
    void setGroup(MediaGroup group);
    void setTarget(const MediaTarget &target);
    void setBatch(const BatchSettings &batch);
    void setSettingsOpen(bool open);
    void setProcessEnabled(bool enabled);
    // The selected file's path; the number of files when `path` is empty.
    void showFiles(const QString &path, int count);

    QString text() const;
    // Where the batch popover hangs.
    QToolButton *trimButton() const { return m_trimButton; }
    void setTrimOpen(bool open);

Q_SIGNALS:
    void targetChosen(const MediaTarget &target);
    void settingsToggled();
    void trimToggled(bool open);
    void processClicked();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void rebuildTargetMenu();
    void updateTrimButton();
    void updateIcons();
    void updateCompact();
    // A brief word that something the user chose took effect.
    void confirm(const QString &text);

    MediaGroup m_group = MediaGroup::other;
    MediaTarget m_target;
    BatchSettings m_batch;
    bool m_settingsOpen = false;
    bool m_hasSelection = false;
    QString m_appliedPreset;

    QLabel *m_folderIcon = nullptr;
    QLabel *m_text = nullptr;
    QLabel *m_confirmation = nullptr;
    QTimer m_confirmationTimer;
    QWidget *m_pickerGroup = nullptr;
    QLabel *m_pickerArrow = nullptr;
    QToolButton *m_targetPicker = nullptr;
    QMenu *m_targetMenu = nullptr;
    QActionGroup *m_targetActions = nullptr;
    QToolButton *m_settingsButton = nullptr;
    QToolButton *m_presetsButton = nullptr;
    PresetsMenu *m_presetsMenu = nullptr;
    QToolButton *m_trimButton = nullptr;
    QToolButton *m_processButton = nullptr;
};
