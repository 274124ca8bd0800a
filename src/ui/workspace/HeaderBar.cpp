#include "ui/workspace/HeaderBar.h"

#include "settings/Preferences.h"
#include "ui/controls/ElidedLabel.h"
#include "ui/controls/TextTones.h"
#include "ui/settings/PresetsMenu.h"
#include "ui/workspace/Divider.h"
#include "ui/workspace/Glyph.h"

#include <QActionGroup>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QToolButton>

namespace {

constexpr int margin = 10;
constexpr int iconSize = 16;
// Below this width the header shows its buttons as icons.
constexpr int compactWidth = 640;

// "0:01:30", "1:02:03.5": the way the header shows a trim bound, whatever
// way it was typed. Text that is no time stays as typed.
QString clockText(const QString &text)
{
    const std::optional<double> seconds = timeTextSeconds(text);
    if (!seconds)
        return text.trimmed();
    const qint64 ms = qRound64(*seconds * 1000);
    QString clock = QStringLiteral("%1:%2:%3")
                        .arg(ms / 3600000)
                        .arg(ms / 60000 % 60, 2, 10, QLatin1Char('0'))
                        .arg(ms / 1000 % 60, 2, 10, QLatin1Char('0'));
    if (ms % 1000 != 0) {
        QString fraction = QStringLiteral("%1").arg(ms % 1000, 3, 10, QLatin1Char('0'));
        while (fraction.endsWith(u'0'))
            fraction.chop(1);
        clock += u'.' + fraction;
    }
    return clock;
}

} // namespace

HeaderBar::HeaderBar(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("headerBar"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(margin, 4, margin / 2, 4);
    layout->setSpacing(6);

    m_folderIcon = new QLabel;
    m_folderIcon->setPixmap(
        Glyph::find({"folder-symbolic", "folder"}, QStyle::SP_DirIcon, this).icon.pixmap(iconSize));
    layout->addWidget(m_folderIcon);
    m_text = new ElidedLabel({}, 60);
    m_text->setObjectName(QStringLiteral("headerText"));
    layout->addWidget(m_text, 1);
    m_confirmation = new QLabel;
    m_confirmation->setObjectName(QStringLiteral("headerConfirmation"));
    m_confirmation->hide();
    layout->addWidget(m_confirmation);
    m_confirmationTimer.setSingleShot(true);
    m_confirmationTimer.setInterval(2500);
    connect(&m_confirmationTimer, &QTimer::timeout, m_confirmation, &QWidget::hide);

    m_pickerGroup = new QWidget;
    auto *picker = new QHBoxLayout(m_pickerGroup);
    picker->setContentsMargins(0, 0, 0, 0);
    picker->setSpacing(6);
    picker->addWidget(new Divider(Qt::Vertical));
    m_pickerArrow = new QLabel;
    picker->addWidget(m_pickerArrow);
    m_targetPicker = new QToolButton;
    m_targetPicker->setObjectName(QStringLiteral("targetPicker"));
    m_targetPicker->setPopupMode(QToolButton::InstantPopup);
    m_targetPicker->setToolButtonStyle(Qt::ToolButtonTextOnly);
    QFont bold = m_targetPicker->font();
    bold.setBold(true);
    m_targetPicker->setFont(bold);
    m_targetPicker->setToolTip(tr("Output format"));
    m_targetPicker->setAccessibleName(tr("Output format"));
    m_targetMenu = new QMenu(m_targetPicker);
    m_targetMenu->setObjectName(QStringLiteral("targetMenu"));
    m_targetMenu->setSeparatorsCollapsible(false);
    m_targetPicker->setMenu(m_targetMenu);
    m_targetActions = new QActionGroup(this);
    picker->addWidget(m_targetPicker);
    layout->addWidget(m_pickerGroup);

    layout->addWidget(new Divider(Qt::Vertical));
    m_settingsButton = new QToolButton;
    m_settingsButton->setObjectName(QStringLiteral("settingsButton"));
    m_settingsButton->setAutoRaise(true);
    m_settingsButton->setCheckable(true);
    m_settingsButton->setToolTip(tr("Conversion settings"));
    m_settingsButton->setAccessibleName(tr("Conversion settings"));
    connect(m_settingsButton, &QToolButton::clicked, this, &HeaderBar::settingsToggled);
    layout->addWidget(m_settingsButton);

    layout->addSpacing(12);

    m_presetsMenu = new PresetsMenu(this);
    m_presetsButton = new QToolButton;
    m_presetsButton->setObjectName(QStringLiteral("presetsButton"));
    m_presetsButton->setText(tr("Presets"));
    m_presetsButton->setAccessibleName(tr("Presets"));
    m_presetsButton->setIcon(m_presetsMenu->icon());
    m_presetsButton->setMenu(m_presetsMenu);
    m_presetsButton->setPopupMode(QToolButton::InstantPopup);
    m_presetsButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_presetsButton->setAutoRaise(true);
    // The menu names the preset only after it told which target it applies;
    // the confirmation waits for both.
    connect(m_presetsMenu, &QMenu::aboutToShow, this, [this] { m_appliedPreset.clear(); });
    connect(m_presetsMenu, &QMenu::triggered, this,
            [this](QAction *action) { m_appliedPreset = action->text(); });
    connect(m_presetsMenu, &PresetsMenu::targetChosen, this, [this](const QString &id) {
        const std::optional<MediaTarget> target = MediaTarget::fromId(id);
        if (!target)
            return;
        Q_EMIT targetChosen(*target);
        QMetaObject::invokeMethod(
            this,
            [this, title = target->title] {
                const QString name = std::exchange(m_appliedPreset, QString());
                confirm(tr("Preset applied: %1").arg(name.isEmpty() ? title : name));
            },
            Qt::QueuedConnection);
    });
    // The menu takes the mouse: the button never sees it leave and would stay
    // drawn raised.
    connect(m_presetsMenu, &QMenu::aboutToHide, m_presetsButton, [this] {
        m_presetsButton->setAttribute(Qt::WA_UnderMouse, false);
        m_presetsButton->update();
    });
    layout->addWidget(m_presetsButton);

    m_trimButton = new QToolButton;
    m_trimButton->setObjectName(QStringLiteral("trimButton"));
    m_trimButton->setCheckable(true);
    m_trimButton->setAutoRaise(true);
    m_trimButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    connect(m_trimButton, &QToolButton::toggled, this, &HeaderBar::trimToggled);
    layout->addWidget(m_trimButton);

    m_processButton = new QToolButton;
    m_processButton->setObjectName(QStringLiteral("processButton"));
    m_processButton->setText(tr("Process"));
    m_processButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_processButton->setAutoRaise(true);
    connect(m_processButton, &QToolButton::clicked, this, &HeaderBar::processClicked);
    layout->addWidget(m_processButton);
    // Buttons a group does not offer keep their place, so the others do not
    // move from one group to the next.
    for (QWidget *button :
         {static_cast<QWidget *>(m_presetsButton), static_cast<QWidget *>(m_trimButton)}) {
        QSizePolicy policy = button->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        button->setSizePolicy(policy);
    }

    // A stream copy keeps the frames as they are: the button must stop
    // claiming a scale the moment the codec says so.
    connect(&Preferences::instance(), &Preferences::changed, this, [this](const QString &key) {
        if (key == PreferenceKeys::videoCodec.name)
            updateTrimButton();
    });
    updateIcons();
    updateTrimButton();
}

void HeaderBar::setGroup(MediaGroup group)
{
    m_group = group;
    const bool convertible = group != MediaGroup::other;
    rebuildTargetMenu();
    m_pickerGroup->setVisible(convertible);
    m_settingsButton->setEnabled(convertible);
    m_presetsButton->setVisible(convertible);
    m_presetsMenu->setGroup(group);
    const bool trims = group == MediaGroup::video || group == MediaGroup::audio;
    m_trimButton->setVisible(trims);
    if (!trims)
        m_trimButton->setChecked(false);
    updateTrimButton();
    // "Other" holds files Vireo cannot read; the button stays in place and
    // says why it does nothing.
    m_processButton->setToolTip(convertible ? tr("Convert the files into a folder you choose")
                                            : tr("Vireo cannot convert the files in “Other”: "
                                                 "it does not know their type."));
}

void HeaderBar::setTarget(const MediaTarget &target)
{
    m_target = target;
    m_targetPicker->setText(target.title);
    // Room between the title and the menu arrow, which the style draws
    // right against the text.
    m_targetPicker->setMinimumWidth(0);
    m_targetPicker->setMinimumWidth(m_targetPicker->sizeHint().width() + 10);
    for (QAction *action : m_targetActions->actions())
        action->setChecked(action->data().toString() == target.id);
    m_presetsMenu->setSelectedTarget(target);
    updateTrimButton();
}

void HeaderBar::setBatch(const BatchSettings &batch)
{
    m_batch = batch;
    updateTrimButton();
}

void HeaderBar::setSettingsOpen(bool open)
{
    m_settingsOpen = open;
    const QSignalBlocker blocker(m_settingsButton);
    m_settingsButton->setChecked(open);
    updateIcons();
}

void HeaderBar::setProcessEnabled(bool enabled)
{
    m_processButton->setEnabled(enabled);
}

void HeaderBar::showFiles(const QString &path, int count)
{
    m_hasSelection = !path.isEmpty();
    QPalette palette = m_text->palette();
    if (m_hasSelection) {
        m_text->setText(path);
        m_text->setToolTip(path);
        palette.setColor(QPalette::WindowText, TextTones::secondary(this));
    } else {
        // English has no catalogue to give "%n files" its singular.
        m_text->setText(count == 1 ? tr("1 file") : tr("%n files", nullptr, count));
        m_text->setToolTip(QString());
        palette.setColor(QPalette::WindowText, this->palette().color(QPalette::WindowText));
    }
    m_text->setPalette(palette);
    m_text->update();
    m_folderIcon->setVisible(m_hasSelection);
}

QString HeaderBar::text() const
{
    return m_text->text();
}

void HeaderBar::setTrimOpen(bool open)
{
    m_trimButton->setChecked(open);
}

void HeaderBar::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    updateCompact();
}

void HeaderBar::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange) {
        updateIcons();
        if (!m_hasSelection) {
            QPalette palette = m_text->palette();
            palette.setColor(QPalette::WindowText, this->palette().color(QPalette::WindowText));
            m_text->setPalette(palette);
        }
    }
}

void HeaderBar::rebuildTargetMenu()
{
    m_targetMenu->clear();
    for (QAction *action : m_targetActions->actions())
        m_targetActions->removeAction(action);
    QFont bold = m_targetMenu->font();
    bold.setBold(true);
    const auto addTargets = [&](const QString &section, const QList<MediaTarget> &targets) {
        if (targets.isEmpty())
            return;
        m_targetMenu->addSection(section);
        for (const MediaTarget &target : targets) {
            QAction *action = m_targetMenu->addAction(target.title);
            action->setData(target.id);
            action->setCheckable(true);
            action->setChecked(target.id == m_target.id);
            action->setFont(bold);
            m_targetActions->addAction(action);
            connect(action, &QAction::triggered, this,
                    [this, target] { Q_EMIT targetChosen(target); });
        }
    };
    addTargets(tr("Formats"), MediaTarget::targets(m_group));
    if (!MediaTarget::extras(m_group).isEmpty())
        m_targetMenu->addSeparator();
    addTargets(tr("Operations"), MediaTarget::extras(m_group));
}

void HeaderBar::updateTrimButton()
{
    // The batch's trim and scale outlive the popover and carry over to the
    // next group: the button tells what is in force here, by the rule the
    // conversion itself follows.
    const bool video = m_group == MediaGroup::video;
    const bool trimmed = m_batch.trimEnabled
        && !(isBlankTimeText(m_batch.trimStart) && isBlankTimeText(m_batch.trimEnd));
    const bool scaled = video
        && !m_batch
                .scaleArguments(m_target.group == MediaGroup::video,
                                Preferences::instance().value(PreferenceKeys::videoCodec))
                .isEmpty();
    QStringList active;
    if (trimmed) {
        const QString start = isBlankTimeText(m_batch.trimStart) ? clockText(QStringLiteral("0"))
                                                                 : clockText(m_batch.trimStart);
        const QString end
            = isBlankTimeText(m_batch.trimEnd) ? tr("end") : clockText(m_batch.trimEnd);
        active << tr("Trim %1\u2013%2").arg(start, end);
    }
    if (scaled)
        active << label(m_batch.scale).section(u' ', 0, 0);
    QString text;
    if (active.isEmpty())
        text = video ? tr("Trim & Scale") : tr("Trim");
    else if (!trimmed)
        text = tr("Scale %1").arg(active.first());
    else
        text = active.join(QStringLiteral(" \u00b7 "));
    // A single "&" would mark a mnemonic.
    m_trimButton->setText(QString(text).replace(u'&', QStringLiteral("&&")));
    m_trimButton->setAccessibleName(text);
    QFont font = m_trimButton->font();
    font.setBold(!active.isEmpty());
    m_trimButton->setFont(font);
    QString tip = video ? tr("Trim the output time range and/or rescale video for this batch")
                        : tr("Trim the output time range for this batch");
    if (!active.isEmpty())
        tip += u'\n' + tr("In force: %1").arg(text);
    m_trimButton->setToolTip(tip);
    updateCompact();
}

void HeaderBar::updateIcons()
{
    // Symbolic icons take the text colour, so they stay as clear on a dark
    // palette as on a light one.
    const QColor text = palette().color(QPalette::WindowText);
    m_pickerArrow->setPixmap(
        Glyph::find({"go-next-symbolic", "go-next"}, QStyle::SP_ArrowRight, this)
            .tinted(text)
            .pixmap(iconSize));
    m_trimButton->setIcon(
        Glyph::find({"edit-cut-symbolic", "edit-cut"}, QStyle::SP_DialogResetButton, this)
            .tinted(text));
    m_processButton->setIcon(
        Glyph::find({"document-send-symbolic", "mail-send-symbolic", "document-send"},
                    QStyle::SP_ArrowForward, this)
            .tinted(text));
    const QColor settings = m_settingsOpen ? palette().color(QPalette::Highlight) : text;
    m_settingsButton->setIcon(Glyph::find({"applications-engineering-symbolic",
                                           "preferences-system-symbolic", "preferences-system"},
                                          QStyle::SP_FileDialogDetailedView, this)
                                  .tinted(settings));
}

void HeaderBar::updateCompact()
{
    // A narrow header shows its buttons as icons, with their names in
    // tooltips; an active trim keeps its text, which says it is on.
    const bool compact = width() < compactWidth;
    const auto style = compact ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextBesideIcon;
    m_presetsButton->setToolButtonStyle(style);
    m_presetsButton->setToolTip(compact ? m_presetsButton->text() : QString());
    m_trimButton->setToolButtonStyle(compact && !m_trimButton->font().bold()
                                         ? Qt::ToolButtonIconOnly
                                         : Qt::ToolButtonTextBesideIcon);
}

void HeaderBar::confirm(const QString &text)
{
    QPalette palette = m_confirmation->palette();
    palette.setColor(QPalette::WindowText, this->palette().color(QPalette::Highlight));
    m_confirmation->setPalette(palette);
    m_confirmation->setText(QStringLiteral("\u2713 ") + text);
    m_confirmation->show();
    m_confirmationTimer.start();
}
