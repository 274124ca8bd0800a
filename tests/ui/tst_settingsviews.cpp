#include "model/MediaTarget.h"
#include "settings/Preferences.h"
#include "ui/controls/DiscreteSlider.h"
#include "ui/controls/ToggleSwitch.h"
#include "ui/settings/PreferencesView.h"
#include "ui/settings/SettingsView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
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

QList<MediaOption> optionsOf(const QString &targetId)
{
    return MediaTarget::fromId(targetId).value().options;
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

private:
    QTemporaryDir m_configHome;
};

void tst_SettingsViews::initTestCase()
{
    QVERIFY(m_configHome.isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_configHome.path()));
}

void tst_SettingsViews::init()
{
    TestSupport::clearPreferences();
}

void tst_SettingsViews::optionsPerTarget_data()
{
    QTest::addColumn<QList<MediaOption>>("options");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("webm") << optionsOf("video.webm")
                          << QStringList {"audioBitrate", "videoCodec", "videoQuality",
                                          "hardwareAcceleration"};
    QTest::newRow("convert to audio")
        << optionsOf("video.extract-audio") << QStringList {"audioBitrate", "audioFormat"};
    QTest::newRow("mp3") << optionsOf("audio.mp3") << QStringList {"audioBitrate"};
    QTest::newRow("png") << optionsOf("image.png") << QStringList();
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
    view.setOptions(optionsOf("video.mp4"));
    view.setOptions(options);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    QCOMPARE(visibleOptions(view), expected);
}

void tst_SettingsViews::copyingHidesTheQualityBlock()
{
    SettingsView view;
    view.setOptions(optionsOf("video.webm"));
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
    panel.setOptions(optionsOf("audio.mp3"));
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
    panel.setOptions(optionsOf("video.extract-audio"));
    panel.setOptions(optionsOf("video.mkv"));
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

    panel.setOptions(optionsOf("video.extract-audio"));
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

QTEST_MAIN(tst_SettingsViews)
#include "tst_settingsviews.moc"
