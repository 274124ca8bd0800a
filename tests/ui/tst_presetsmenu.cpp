#include "settings/Preferences.h"
#include "settings/PresetStore.h"
#include "ui/settings/PresetsMenu.h"
#include "ui/settings/SavePresetDialog.h"

#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "TestSupport.h"

using namespace PreferenceKeys;

namespace {

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

} // namespace

class tst_PresetsMenu : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();

    void applyingSelectsTheTarget();
    void savePrompt_data();
    void savePrompt();
    void imageMenuAfterOneSave();
    void deleteFromTheContextMenu();

private:
    QTemporaryDir m_configHome;
    QMainWindow m_window;
};

void tst_PresetsMenu::initTestCase()
{
    QVERIFY(m_configHome.isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_configHome.path()));
    m_window.show();
}

void tst_PresetsMenu::init()
{
    TestSupport::clearPreferences();
}

void tst_PresetsMenu::applyingSelectsTheTarget()
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

void tst_PresetsMenu::savePrompt_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("stored");
    QTest::newRow("save") << "  Night shots "
                          << "save" << QStringList {"Night shots"};
    QTest::newRow("cancel") << "Kept?"
                            << "cancel" << QStringList();
}

void tst_PresetsMenu::savePrompt()
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

void tst_PresetsMenu::imageMenuAfterOneSave()
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

void tst_PresetsMenu::deleteFromTheContextMenu()
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

QTEST_MAIN(tst_PresetsMenu)
#include "tst_presetsmenu.moc"
