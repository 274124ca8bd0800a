#include "model/MediaTarget.h"
#include "settings/ConversionPreset.h"
#include "settings/Preferences.h"
#include "settings/PresetStore.h"

#include <QJsonDocument>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>

#include "TestSupport.h"

using namespace PreferenceKeys;

namespace {

QJsonObject json(const char *text)
{
    return QJsonDocument::fromJson(text).object();
}

QStringList names(const QList<ConversionPreset> &presets)
{
    QStringList result;
    for (const ConversionPreset &preset : presets)
        result.append(preset.name);
    return result;
}

MediaTarget target(const char *id)
{
    return MediaTarget::fromId(QString::fromLatin1(id)).value();
}

// Settings unlike every built-in preset, so that a write is always visible.
void setDistinctSettings()
{
    Preferences &preferences = Preferences::instance();
    preferences.setValue(audioQuality, 256.0);
    preferences.setValue(videoCodec, QStringLiteral("copy"));
    preferences.setValue(videoQuality, 30.0);
    preferences.setValue(hardwareAcceleration, false);
    preferences.setValue(videoToAudio, QStringLiteral("ogg"));
}

} // namespace

class tst_Presets : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup() { TestSupport::clearPreferences(); }

    void decode_data();
    void decode();
    void applyWritesOnlyCarriedSettings_data();
    void applyWritesOnlyCarriedSettings();
    void saveTakesTheTargetsOptions_data();
    void saveTakesTheTargetsOptions();
    void outOfRangeIsRefused_data();
    void outOfRangeIsRefused();
    void saveKeepsOrderAndRejectsBlankNames();
    void deleteKeepsWhatItCannotUse();

private:
    QTemporaryDir m_configHome;
};

void tst_Presets::initTestCase()
{
    // QSettings fixes its paths at first use, so this must come before any.
    QVERIFY(m_configHome.isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_configHome.path()));
}

void tst_Presets::decode_data()
{
    QTest::addColumn<QJsonObject>("object");
    QTest::addColumn<bool>("decodes");
    QTest::addColumn<ConversionPreset>("expected");

    const ConversionPreset minimal {.id = "a", .name = "Mine", .targetId = "image.png"};
    ConversionPreset full = minimal;
    full.audioKbps = 128;
    full.videoCodec = QStringLiteral("hevc");
    full.videoQuality = 24.5;
    full.hwAccel = false;

    // The required keys of a minimal preset, followed by the row's own.
    const auto row = [](const char *tag, const char *extra, const ConversionPreset &expected) {
        const QByteArray text = QByteArray(R"({"id":"a","name":"Mine","targetId":"image.png",)")
            + R"("isBuiltIn":false)" + extra + '}';
        QTest::newRow(tag) << json(text.constData()) << !expected.id.isEmpty() << expected;
    };
    row("all keys", R"(,"audioKbps":128,"videoCodec":"hevc","videoQuality":24.5,"hwAccel":false)",
        full);
    row("nulls and unknown keys",
        R"(,"audioKbps":null,"videoCodec":null,"videoQuality":null,)"
        R"("hwAccel":null,"videoToAudio":"flac","colour":[1,2])",
        minimal);
    ConversionPreset wholeKbps = minimal;
    wholeKbps.audioKbps = 192;
    row("bitrate written as 192.0", R"(,"audioKbps":192.0)", wholeKbps);
    row("fractional bitrate", R"(,"audioKbps":128.5)", {});
    row("bitrate beyond int", R"(,"audioKbps":4294967296)", {});
    row("hwAccel as number", R"(,"hwAccel":1)", {});
    ConversionPreset loud = minimal;
    loud.normalizeLoudness = true;
    loud.loudnessTarget = -14.0;
    row("loudness", R"(,"normalizeLoudness":true,"loudnessTarget":-14)", loud);
    row("loudness as text", R"(,"loudnessTarget":"-14")", {});

    // A required key missing or null.
    for (const char *text :
         {R"({"id":"a","targetId":"image.png","isBuiltIn":false})",
          R"({"id":"a","name":"Mine","targetId":"image.png"})",
          R"({"id":null,"name":"Mine","targetId":"image.png","isBuiltIn":false})"})
        QTest::newRow(text) << json(text) << false << ConversionPreset();
}

void tst_Presets::decode()
{
    QFETCH(QJsonObject, object);
    QFETCH(bool, decodes);
    QFETCH(ConversionPreset, expected);

    const std::optional<ConversionPreset> preset = ConversionPreset::fromJson(object);
    QCOMPARE(preset.has_value(), decodes);
    if (decodes) {
        QCOMPARE(*preset, expected);
        QCOMPARE(ConversionPreset::fromJson(preset->toJson()), preset);
    }
}

void tst_Presets::applyWritesOnlyCarriedSettings_data()
{
    QTest::addColumn<QString>("presetId");
    QTest::addColumn<QString>("targetId");
    // Bitrate, codec, quality, hardware, extracted audio and parallel runs:
    // setDistinctSettings() values stay where the preset carries nothing.
    QTest::addColumn<QString>("settings");
    const auto row
        = [](const char *tag, const char *preset, const char *target, const char *settings) {
              QTest::newRow(tag) << preset << target << settings;
          };
    row("podcast", "builtin.podcast-mp3", "audio.mp3", "128 copy 30 false ogg 5");
    row("hi-fi", "builtin.hifi-flac", "audio.flac", "320 copy 30 false ogg 5");
    row("hevc archive", "builtin.hevc-archive", "video.mp4", "192 hevc 22 true ogg 5");
}

void tst_Presets::applyWritesOnlyCarriedSettings()
{
    QFETCH(QString, presetId);
    QFETCH(QString, targetId);
    setDistinctSettings();
    Preferences &preferences = Preferences::instance();
    preferences.setValue(maxConcurrentJobs, 5);

    const std::optional<MediaTarget> selected
        = PresetStore::applyPreset(std::get<ConversionPreset>(PresetStore::findPreset(presetId)));

    QVERIFY(selected);
    QCOMPARE(selected->id, targetId);
    QTEST(QStringLiteral("%1 %2 %3 %4 %5 %6")
              .arg(preferences.value(audioQuality))
              .arg(preferences.value(videoCodec))
              .arg(preferences.value(videoQuality))
              .arg(QVariant(preferences.value(hardwareAcceleration)).toString())
              .arg(preferences.value(videoToAudio))
              .arg(preferences.value(maxConcurrentJobs)),
          "settings");
}

void tst_Presets::saveTakesTheTargetsOptions_data()
{
    QTest::addColumn<QString>("targetId");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<MediaGroup>("offeredIn");
    QTest::addColumn<double>("audio");
    QTest::addColumn<int>("kbps");

    const QStringList required {"id", "isBuiltIn", "name", "targetId"};
    QTest::newRow("webm") << "video.webm"
                          << QStringList {"audioKbps", "hwAccel",  "id",         "isBuiltIn",
                                          "name",      "targetId", "videoCodec", "videoQuality"}
                          << MediaGroup::video << 256.0 << 256;
    QTest::newRow("png") << "image.png" << required << MediaGroup::image << 256.0 << 0;
    const QStringList mp3 = QStringList {"audioKbps"} + required;
    QTest::newRow("mp3") << "audio.mp3" << mp3 << MediaGroup::audio << 256.0 << 256;
    QTest::newRow("mp3, fraction") << "audio.mp3" << mp3 << MediaGroup::audio << 191.9 << 191;
    // Only a hand-edited store holds this; the conversion clamps the same way.
    QTest::newRow("mp3, beyond int") << "audio.mp3" << mp3 << MediaGroup::audio << 1e12 << 320;
    // The extract-audio format is not captured, and the preset belongs to
    // the video workspace like its target.
    QTest::newRow("extract audio")
        << "video.extract-audio" << mp3 << MediaGroup::video << 256.0 << 256;
}

void tst_Presets::saveTakesTheTargetsOptions()
{
    QFETCH(QString, targetId);
    QFETCH(QStringList, keys);
    QFETCH(MediaGroup, offeredIn);
    QFETCH(double, audio);
    QFETCH(int, kbps);
    setDistinctSettings();
    Preferences::instance().setValue(audioQuality, audio);

    const std::optional<ConversionPreset> saved = PresetStore::savePreset(
        QStringLiteral(" \t My preset\n "), MediaTarget::fromId(targetId).value());

    QVERIFY(saved);
    const QList<QJsonObject> stored = Preferences::instance().value(userPresets);
    QCOMPARE(stored.size(), 1);
    QCOMPARE(stored.first().keys(), keys); // sorted, as the table lists them
    QCOMPARE(ConversionPreset::fromJson(stored.first()), saved);

    QCOMPARE(saved->name, QStringLiteral("My preset"));
    QCOMPARE(saved->targetId, targetId);
    QVERIFY(!saved->isBuiltIn);
    QVERIFY(!QUuid::fromString(saved->id).isNull());
    QCOMPARE(saved->audioKbps.value_or(0), kbps);
    if (saved->videoCodec) {
        QCOMPARE(*saved->videoCodec, QStringLiteral("copy"));
        QCOMPARE(saved->videoQuality, 30.0);
        QCOMPARE(saved->hwAccel, false);
    }

    QCOMPARE(PresetStore::offeredPresets(offeredIn).last(), *saved);
    for (MediaGroup group : allGroups()) {
        if (group != offeredIn)
            QVERIFY(!PresetStore::offeredPresets(group).contains(*saved));
    }
}

void tst_Presets::outOfRangeIsRefused_data()
{
    QTest::addColumn<QByteArray>("setting");
    QTest::addColumn<QString>("reason"); // empty: offered and found

    const QString kbps = QStringLiteral("audioKbps takes 48 to 320 kbit/s");
    QTest::newRow("bitrate below") << QByteArray(R"("audioKbps":8)") << kbps;
    QTest::newRow("bitrate above") << QByteArray(R"("audioKbps":321)") << kbps;
    QTest::newRow("bitrate, lowest") << QByteArray(R"("audioKbps":48)") << QString();
    QTest::newRow("loudness above") << QByteArray(R"("loudnessTarget":40)")
                                    << QStringLiteral("loudnessTarget takes -70 to -5 LUFS");
    QTest::newRow("codec") << QByteArray(R"("videoCodec":"vp9")")
                           << QStringLiteral("videoCodec takes h264, hevc or copy");
}

void tst_Presets::outOfRangeIsRefused()
{
    QFETCH(QByteArray, setting);
    QFETCH(QString, reason);
    const QByteArray text
        = R"({"id":"u","name":"Mine","targetId":"audio.mp3","isBuiltIn":false,)" + setting + '}';
    Preferences::instance().setValue(userPresets, {json(text.constData())});

    // Asked for twice, by id and by name: refused both times, and never offered.
    for (const QString &asked : {QStringLiteral("u"), QStringLiteral("MINE")}) {
        const auto found = PresetStore::findPreset(asked);
        if (reason.isEmpty()) {
            QCOMPARE(std::get<ConversionPreset>(found).id, QStringLiteral("u"));
        } else {
            QCOMPARE(std::get<QString>(found),
                     QStringLiteral("the preset 'Mine' is refused: ") + reason);
        }
    }
    QCOMPARE(PresetStore::offeredUserPresets(MediaGroup::audio).size(), reason.isEmpty() ? 1 : 0);
}

void tst_Presets::saveKeepsOrderAndRejectsBlankNames()
{
    Preferences &preferences = Preferences::instance();
    QSignalSpy changes(&preferences, &Preferences::changed);

    QCOMPARE(PresetStore::savePreset(QStringLiteral(" \n\t "), target("video.mp4")), std::nullopt);
    QCOMPARE(changes.size(), 0);

    const auto first = PresetStore::savePreset(QStringLiteral("Same"), target("video.mp4"));
    const auto second = PresetStore::savePreset(QStringLiteral("Same"), target("video.mkv"));
    QVERIFY(first && second);
    QVERIFY(first->id != second->id);
    QCOMPARE(names(PresetStore::offeredPresets(MediaGroup::video)).mid(3),
             (QStringList {"Same", "Same"}));
}

void tst_Presets::deleteKeepsWhatItCannotUse()
{
    // A preset whose target left the catalogue, one that does not decode,
    // and one stored twice.
    const QJsonObject gone = json(R"({"id":"g","name":"Gone","targetId":"video.rm",
                                      "isBuiltIn":false,"audioKbps":96})");
    const QJsonObject broken = json(R"({"id":"b","targetId":"video.mp4","isBuiltIn":false})");
    const QJsonObject twin = json(R"({"id":"t","name":"Twin","targetId":"audio.mp3",
                                      "isBuiltIn":false})");
    Preferences &preferences = Preferences::instance();
    preferences.setValue(userPresets, {gone, twin, broken, twin});

    QCOMPARE(names(PresetStore::userPresets()), (QStringList {"Gone", "Twin", "Twin"}));
    for (MediaGroup group : allGroups()) {
        for (const ConversionPreset &preset : PresetStore::offeredPresets(group))
            QVERIFY(preset.isBuiltIn || preset.id == u"t");
    }
    const auto saved = PresetStore::savePreset(QStringLiteral("New"), target("audio.wav"));
    QVERIFY(saved);
    QSignalSpy changes(&preferences, &Preferences::changed);
    PresetStore::deletePreset(QStringLiteral("nothing stored by this id"));
    PresetStore::deletePreset(QStringLiteral("builtin.podcast-mp3"));
    QCOMPARE(changes.size(), 0);
    PresetStore::deletePreset(QStringLiteral("t"));
    QCOMPARE(preferences.value(userPresets), (QList {gone, broken, saved->toJson()}));
    PresetStore::deletePreset(saved->id);
    QCOMPARE(preferences.value(userPresets), (QList {gone, broken}));
}

QTEST_GUILESS_MAIN(tst_Presets)
#include "tst_presets.moc"
