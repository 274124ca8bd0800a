#include "model/MediaTarget.h"
#include "settings/Preferences.h"
#include "settings/PresetStore.h"
#include "ui/controls/DiscreteSlider.h"
#include "ui/controls/ToggleSwitch.h"
#include "ui/settings/PreferencesView.h"
#include "ui/settings/PresetsMenu.h"
#include "ui/settings/SavePresetDialog.h"
#include "ui/settings/SettingsView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include "TestSupport.h"

using namespace PreferenceKeys;
using TestSupport::child;

namespace {

const QStringList optionControls {"audioBitrate", "videoCodec", "videoQuality",
                                  "hardwareAcceleration", "audioFormat"};

const QString saveItem = QStringLiteral("Save current as preset…");

// The menu as a user reads it: "[Header]" for a section, "---" for a plain
// divider, "(text)" for an entry that cannot be chosen.
QStringList describe(const QMenu &menu)
{
    QStringList lines;
    for (const QAction *action : menu.actions()) {
        if (action->isSeparator())
            lines.append(action->text().isEmpty() ? QStringLiteral("---")
                                                  : u'[' + action->text() + u']');
        else
            lines.append(action->isEnabled() ? action->text() : u'(' + action->text() + u')');
    }
    return lines;
}

QAction *actionNamed(const QMenu &menu, const QString &text)
{
    for (QAction *action : menu.actions()) {
        if (action->text() == text && !action->isSeparator())
            return action;
    }
    return nullptr;
}

MediaTarget target(const char *id)
{
    return MediaTarget::fromId(QLatin1String(id)).value();
}

// The option controls a user sees, top to bottom.
QStringList visibleOptions(const SettingsView &view)
{
    QList<QWidget *> shown;
    for (const QString &name : optionControls) {
        QWidget *control = view.findChild<QWidget *>(name);
        if (control && control->isVisibleTo(&view))
            shown.append(control);
    }
    std::sort(shown.begin(), shown.end(), [&](QWidget *a, QWidget *b) {
        return a->mapTo(&view, QPoint()).y() < b->mapTo(&view, QPoint()).y();
    });
    QStringList names;
    for (QWidget *control : shown)
        names.append(control->objectName());
    return names;
}

QString qualityText(const QWidget &view)
{
    return child<QLabel>(*child<QWidget>(view, "videoQuality"), "qualityLabel")->text();
}

QSlider *sliderIn(const QWidget &view, const char *name)
{
    return child<QWidget>(view, name)->findChild<QSlider *>();
}

} // namespace

class tst_SettingsViews : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();

    void optionsPerTarget_data();
    void optionsPerTarget();
    void copyingHidesTheQualityBlock();
    void bitrateThatIsNoStep();
    void editsReachTheOtherView();

    void presetAppliesItsTarget();
    void savePrompt_data();
    void savePrompt();
    void imageMenuAfterOneSave();
    void deleteFromTheContextMenu();

private:
    QTemporaryDir m_configHome;
    QMainWindow m_window;
};

void tst_SettingsViews::initTestCase()
{
    QVERIFY(m_configHome.isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_configHome.path()));
    m_window.show();
}

void tst_SettingsViews::init()
{
    TestSupport::clearPreferences();
}

void tst_SettingsViews::optionsPerTarget_data()
{
    QTest::addColumn<QList<MediaOption>>("options");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("webm") << target("video.webm").options
                          << QStringList {"audioBitrate", "videoCodec", "videoQuality",
                                          "hardwareAcceleration"};
    QTest::newRow("convert to audio")
        << target("video.extract-audio").options << QStringList {"audioBitrate", "audioFormat"};
    QTest::newRow("mp3") << target("audio.mp3").options << QStringList {"audioBitrate"};
    QTest::newRow("png") << target("image.png").options << QStringList();
    // The order of the controls is fixed, whatever the order of the list.
    QTest::newRow("reversed") << QList {MediaOption::videoToAudio, MediaOption::hwAccel,
                                        MediaOption::videoQuality, MediaOption::videoCodec,
                                        MediaOption::audioQuality}
                              << optionControls;
}

void tst_SettingsViews::optionsPerTarget()
{
    QFETCH(QList<MediaOption>, options);
    QFETCH(QStringList, expected);
    SettingsView view;
    view.resize(360, 900);
    view.setOptions(target("video.mp4").options);
    view.setOptions(options);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    QCOMPARE(visibleOptions(view), expected);
}

void tst_SettingsViews::copyingHidesTheQualityBlock()
{
    SettingsView view;
    view.setOptions(target("video.webm").options);
    auto *codec = child<QWidget>(view, "videoCodec")->findChild<QComboBox *>();
    QCOMPARE(codec->currentText(), QStringLiteral("H.264"));

    codec->setCurrentIndex(2);
    Q_EMIT codec->activated(2);
    QCOMPARE(Preferences::instance().value(videoCodec), QStringLiteral("copy"));
    QCOMPARE(visibleOptions(view),
             (QStringList {"audioBitrate", "videoCodec", "hardwareAcceleration"}));

    Preferences::instance().setValue(videoCodec, QStringLiteral("hevc"));
    QCOMPARE(codec->currentText(), QStringLiteral("H.265 / HEVC"));
    QVERIFY(child<QWidget>(view, "videoQuality")->isVisibleTo(&view));
}

void tst_SettingsViews::bitrateThatIsNoStep()
{
    Preferences &preferences = Preferences::instance();
    preferences.setValue(audioQuality, 160.0);
    SettingsView panel;
    panel.setOptions(target("audio.mp3").options);
    PreferencesView window;
    auto *panelSlider = child<DiscreteSlider>(panel, "audioBitrate");
    auto *tabSlider = child<DiscreteSlider>(window, "audioBitrate");

    QCOMPARE(panelSlider->currentLabel(), QStringLiteral("96 kbps"));
    QCOMPARE(tabSlider->currentLabel(), QStringLiteral("160 kbps"));
    QCOMPARE(preferences.value(audioQuality), 160.0);

    // Moving either slider stores a step.
    sliderIn(panel, "audioBitrate")->setValue(3);
    QCOMPARE(preferences.value(audioQuality), 256.0);
    QCOMPARE(tabSlider->currentLabel(), QStringLiteral("256 kbps"));
    QCOMPARE(sliderIn(window, "audioBitrate")->value(), 3);

    preferences.setValue(audioQuality, 200.5);
    sliderIn(window, "audioBitrate")->setValue(0);
    QCOMPARE(preferences.value(audioQuality), 96.0);
    QCOMPARE(panelSlider->currentLabel(), QStringLiteral("96 kbps"));
}

void tst_SettingsViews::editsReachTheOtherView()
{
    SettingsView panel;
    panel.setOptions(target("video.extract-audio").options);
    panel.setOptions(target("video.mkv").options);
    panel.show();
    PreferencesView window;
    window.show();

    // The stepper stops at its bounds.
    auto *stepper = child<QSpinBox>(panel, "parallelConversions");
    auto *queueStepper = child<QSpinBox>(window, "parallelConversions");
    QCOMPARE(stepper->text(), QStringLiteral("Parallel conversions: 2"));
    stepper->stepBy(-1);
    stepper->stepBy(-1);
    QCOMPARE(Preferences::instance().value(maxConcurrentJobs), 1);
    QCOMPARE(queueStepper->text(), QStringLiteral("Parallel conversions: 1"));
    for (int i = 0; i < 20; ++i)
        queueStepper->stepBy(1);
    QCOMPARE(Preferences::instance().value(maxConcurrentJobs), 16);
    QCOMPARE(stepper->text(), QStringLiteral("Parallel conversions: 16"));

    sliderIn(window, "videoQuality")->setValue(26);
    QCOMPARE(Preferences::instance().value(videoQuality), 26.0);
    QCOMPARE(sliderIn(panel, "videoQuality")->value(), 26);
    QCOMPARE(qualityText(panel), QStringLiteral("Moderate"));

    child<QCheckBox>(window, "overwriteExisting")->click();
    QVERIFY(!child<ToggleSwitch>(panel, "overwriteExisting")->isChecked());
    child<ToggleSwitch>(panel, "hardwareAcceleration")->click();
    QVERIFY(!child<QCheckBox>(window, "hardwareAcceleration")->isChecked());
    QCOMPARE(Preferences::instance().value(hardwareAcceleration), false);

    panel.setOptions(target("video.extract-audio").options);
    auto *format = child<QWidget>(panel, "audioFormat")->findChild<QComboBox *>();
    const int flac = format->findText(QStringLiteral("FLAC"));
    format->setCurrentIndex(flac);
    Q_EMIT format->activated(flac);
    QCOMPARE(Preferences::instance().value(videoToAudio), QStringLiteral("flac"));
    QCOMPARE(child<QComboBox>(window, "audioFormat")->currentText(), QStringLiteral("FLAC"));

    QVERIFY(!child<ToggleSwitch>(panel, "normalizeLoudness")->isVisibleTo(&panel));
    panel.setWritesAudio(true);
    child<ToggleSwitch>(panel, "normalizeLoudness")->click();
    QVERIFY(child<QCheckBox>(window, "normalizeLoudness")->isChecked());
    auto *level = child<QComboBox>(window, "loudnessTarget");
    QCOMPARE(level->currentText(), QStringLiteral("-16 LUFS (podcast)"));
    Preferences::instance().setValue(loudnessTarget, -23.0);
    QCOMPARE(level->currentText(), QStringLiteral("-23 LUFS (broadcast)"));
}

void tst_SettingsViews::presetAppliesItsTarget()
{
    Preferences &preferences = Preferences::instance();
    preferences.setValue(audioQuality, 96.0);
    PresetsMenu menu(&m_window);
    menu.setGroup(MediaGroup::video);
    menu.setSelectedTarget(target("video.mkv"));
    QSignalSpy chosen(&menu, &PresetsMenu::targetChosen);

    actionNamed(menu, QStringLiteral("HEVC Archive"))->trigger();

    QCOMPARE(chosen.size(), 1);
    QCOMPARE(chosen.first().first().toString(), QStringLiteral("video.mp4"));
    QCOMPARE(preferences.value(videoCodec), QStringLiteral("hevc"));
    QCOMPARE(preferences.value(audioQuality), 192.0);
}

void tst_SettingsViews::savePrompt_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("stored");
    QTest::newRow("save") << "  Night shots "
                          << "save" << QStringList {"Night shots"};
    QTest::newRow("cancel") << "Kept?"
                            << "cancel" << QStringList();
}

void tst_SettingsViews::savePrompt()
{
    QFETCH(QString, typed);
    QFETCH(QString, button);
    QFETCH(QStringList, stored);
    PresetsMenu menu(&m_window);
    menu.setGroup(MediaGroup::video);
    menu.setSelectedTarget(target("video.webm"));

    actionNamed(menu, saveItem)->trigger();
    auto *dialog = m_window.findChild<SavePresetDialog *>();
    QVERIFY(dialog);
    QVERIFY(dialog->isVisible());
    QTest::keyClicks(dialog->findChild<QLineEdit *>(), typed);
    dialog->findChild<QPushButton *>(button)->click();
    QTRY_VERIFY(!m_window.findChild<SavePresetDialog *>());

    QStringList names;
    for (const ConversionPreset &preset : PresetStore::userPresets()) {
        names.append(preset.name);
        QCOMPARE(preset.targetId, QStringLiteral("video.webm"));
    }
    QCOMPARE(names, stored);
}

void tst_SettingsViews::imageMenuAfterOneSave()
{
    PresetsMenu menu(&m_window);
    menu.setGroup(MediaGroup::image);
    QVERIFY(PresetStore::savePreset(QStringLiteral("Stills"), target("image.png")));
    const QStringList expected {"[Built-in]", "[Your presets]", "Stills", "---", saveItem};
    QTRY_COMPARE(describe(menu), expected);

    // The same preset belongs to no other workspace.
    menu.setGroup(MediaGroup::subtitle);
    QCOMPARE(describe(menu), (QStringList {"(No presets for this type)", "---", saveItem}));
}

void tst_SettingsViews::deleteFromTheContextMenu()
{
    const auto kept = PresetStore::savePreset(QStringLiteral("Kept"), target("audio.wav"));
    QVERIFY(PresetStore::savePreset(QStringLiteral("Doomed"), target("audio.ogg")));
    PresetsMenu menu(&m_window);
    menu.setGroup(MediaGroup::audio);
    menu.popup(m_window.mapToGlobal(QPoint(10, 10)));
    QVERIFY(QTest::qWaitForWindowExposed(&menu));
    QSignalSpy chosen(&menu, &PresetsMenu::targetChosen);

    // Right-clicking does not apply the preset; its context menu offers Delete.
    const QPoint doomed = menu.actionGeometry(actionNamed(menu, QStringLiteral("Doomed"))).center();
    // QMenu triggers an entry on a release of any button.
    QTest::mouseMove(&menu, doomed);
    QTest::mouseClick(&menu, Qt::RightButton, {}, doomed);
    QVERIFY(!menu.findChild<QAction *>(QStringLiteral("delete")));
    // Through the window, as the platform delivers it, so that Qt also makes
    // the context menu event.
    QTest::mouseClick(menu.windowHandle(), Qt::RightButton, {}, doomed);
    QCOMPARE(chosen.size(), 0);
    QCOMPARE(PresetStore::userPresets().size(), 2);
    QAction *remove = menu.findChild<QAction *>(QStringLiteral("delete"));
    QVERIFY(remove);
    remove->trigger();

    QCOMPARE(PresetStore::userPresets(), QList {*kept});
    QTRY_COMPARE(describe(menu),
                 (QStringList {"[Built-in]", "Podcast (MP3 128k)", "Hi-Fi (FLAC)", "[Your presets]",
                               "Kept", "---", saveItem}));
    menu.close();
}

QTEST_MAIN(tst_SettingsViews)
#include "tst_settingsviews.moc"
