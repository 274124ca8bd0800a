#include "conversion/ArgumentBuilder.h"
#include "conversion/SuccessSignature.h"
#include "conversion/Workspace.h"
#include "model/Media.h"
#include "settings/ConversionSettings.h"
#include "settings/Preferences.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonObject>
#include <QScopedPointer>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <cstdio>
#include <functional>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

#include "TestSupport.h"

using namespace PreferenceKeys;

namespace {

// Reads one preference as a QVariant, whatever its type.
using Reader = std::function<QVariant()>;

template<typename T> Reader reader(const PreferenceKey<T> &key)
{
    return [&key] {
        return QVariant::fromValue(Preferences::instance().value(key));
    };
}

QJsonObject preset(const QString &id, const QString &name)
{
    // Inserted out of order on purpose: the stored text must sort the keys.
    return QJsonObject {{QStringLiteral("targetId"), QStringLiteral("video.mp4")},
                        {QStringLiteral("name"), name},
                        {QStringLiteral("isBuiltIn"), false},
                        {QStringLiteral("id"), id},
                        {QStringLiteral("audioKbps"), 192}};
}

} // namespace

Q_DECLARE_METATYPE(Reader)

class tst_Preferences : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup() { TestSupport::clearPreferences(); }

    void writesWaitForAQuietMoment();
    void writeFromAnotherThreadReachesViews();
    void unchangedWriteIsIgnored();
    void everySettingThatChangesTheCommandLineMakesResultsStale_data();
    void everySettingThatChangesTheCommandLineMakesResultsStale();
    void userPresetsRoundTrip_data();
    void userPresetsRoundTrip();
    void handWrittenValues_data();
    void handWrittenValues();
    void refusesWhatIsNoFile_data();
    void refusesWhatIsNoFile();

private:
    QString confPath() const { return m_configHome.filePath(QStringLiteral("Vireo/Vireo.conf")); }
    QByteArray readConf() const;
    void writeConf(const QByteArray &text);

    QTemporaryDir m_configHome;
};

void tst_Preferences::initTestCase()
{
    // QSettings fixes its paths at first use, so this must come before any.
    QVERIFY(m_configHome.isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_configHome.path()));
}

QByteArray tst_Preferences::readConf() const
{
    QFile file(confPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void tst_Preferences::writeConf(const QByteArray &text)
{
    QVERIFY(QDir().mkpath(QFileInfo(confPath()).path()));
    QFile file(confPath());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(text), text.size());
}

void tst_Preferences::writesWaitForAQuietMoment()
{
    // A slider dragged through twenty values: each step is read back at once,
    // none reaches the disk until the event loop finds a quiet moment.
    Preferences &preferences = Preferences::instance();
    for (int step = 1; step <= 20; ++step) {
        preferences.setValue(audioQuality, 100.0 + step);
        QCOMPARE(ConversionSettings::current().audioQuality, 100.0 + step);
    }
    QVERIFY(!readConf().contains("audio%20quality"));
    QTRY_VERIFY(readConf().contains("audio%20quality=120"));
}

void tst_Preferences::writeFromAnotherThreadReachesViews()
{
    // A view on this thread follows a write made elsewhere, e.g. by another
    // window or by preset application.
    QObject view;
    QStringList keysSeen;
    double shown = 0;
    connect(&Preferences::instance(), &Preferences::changed, &view, [&](const QString &key) {
        QCOMPARE(QThread::currentThread(), view.thread());
        keysSeen.append(key);
        shown = Preferences::instance().value(videoQuality);
    });

    QScopedPointer<QThread> writer(
        QThread::create([] { Preferences::instance().setValue(videoQuality, 26.0); }));
    writer->start();
    QVERIFY(writer->wait());

    QTRY_COMPARE(keysSeen, QStringList {videoQuality.name});
    QCOMPARE(shown, 26.0);
    QTRY_VERIFY(readConf().contains("video%20quality=26"));
}

void tst_Preferences::unchangedWriteIsIgnored()
{
    Preferences &preferences = Preferences::instance();
    QSignalSpy spy(&preferences, &Preferences::changed);

    preferences.setValue(maxConcurrentJobs, 2); // the default
    preferences.setValue(videoQuality, std::numeric_limits<double>::quiet_NaN());
    QCOMPARE(spy.size(), 0);
    QVERIFY(!readConf().contains("concurrent"));
    QCOMPARE(preferences.value(videoQuality), 23.0);

    preferences.setValue(maxConcurrentJobs, 4);
    preferences.setValue(maxConcurrentJobs, 4);
    QCOMPARE(spy.size(), 1);
    QCOMPARE(preferences.value(maxConcurrentJobs), 4);
}

void tst_Preferences::userPresetsRoundTrip_data()
{
    QTest::addColumn<QList<QJsonObject>>("presets");
    QTest::addColumn<QStringList>("stored");

    const QJsonObject web = preset(QStringLiteral("a"), QStringLiteral("Web, small"));
    const QJsonObject cafe = preset(QStringLiteral("b"), QStringLiteral("Café \"HQ\""));
    const QString webText = QStringLiteral(
        R"({"audioKbps":192,"id":"a","isBuiltIn":false,"name":"Web, small","targetId":"video.mp4"})");
    const QString cafeText = QStringLiteral(
        R"({"audioKbps":192,"id":"b","isBuiltIn":false,"name":"Café \"HQ\"","targetId":"video.mp4"})");

    QTest::newRow("none") << QList<QJsonObject>() << QStringList();
    // INI writes a one-element list like a plain string.
    QTest::newRow("one") << QList {web} << QStringList {webText};
    QTest::newRow("two in saving order") << QList {cafe, web} << QStringList {cafeText, webText};
}

void tst_Preferences::userPresetsRoundTrip()
{
    QFETCH(QList<QJsonObject>, presets);
    QFETCH(QStringList, stored);
    Preferences &preferences = Preferences::instance();

    // Something first, so that an empty list is a change too.
    preferences.setValue(userPresets, {preset(QStringLiteral("x"), QStringLiteral("x"))});
    preferences.setValue(userPresets, presets);

    // Put the same text back as a hand-written file, so that the next read
    // really decodes the file.
    preferences.flush();
    const QByteArray text = readConf();
    cleanup();
    writeConf(text);
    QCOMPARE(QSettings(confPath(), QSettings::IniFormat).value(userPresets.name).toStringList(),
             stored);
    QTRY_COMPARE(preferences.value(userPresets), presets);
}

void tst_Preferences::handWrittenValues_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<Reader>("read");
    QTest::addColumn<QVariant>("expected");

    const auto row
        = [](const char *tag, const char *line, const Reader &read, const QVariant &expected) {
              QTest::newRow(tag) << QByteArray(line) << read << expected;
          };
    row("bool", "overwriteExisting=false", reader(overwriteExisting), false);
    row("bool, other text", "overwriteExisting=no", reader(overwriteExisting), true);
    row("bool, empty", "overwriteExisting=", reader(overwriteExisting), true);
    row("int", "max%20concurrent%20jobs=4", reader(maxConcurrentJobs), 4);
    row("int, fraction", "max%20concurrent%20jobs=2.5", reader(maxConcurrentJobs), 2);
    row("int, too large", "max%20concurrent%20jobs=99999999999", reader(maxConcurrentJobs), 2);
    row("double", "video%20quality=26.5", reader(videoQuality), 26.5);
    row("double, word", "audio%20quality=loud", reader(audioQuality), 192.0);
    row("double, nan", "video%20quality=nan", reader(videoQuality), 23.0);
    row("string, a list", "video%20codec=copy, hevc", reader(videoCodec), QStringLiteral("h264"));
    row("audio format, a path", "video%20to%20audio=mp3/../x.mp3", reader(videoToAudio),
        QStringLiteral("mp3"));
    row("presets, one bad element", R"(user%20presets=not json, "{\"id\":\"a\"}", [1])",
        reader(userPresets),
        QVariant::fromValue(QList {QJsonObject {{QStringLiteral("id"), QStringLiteral("a")}}}));
}

void tst_Preferences::handWrittenValues()
{
    QFETCH(QByteArray, line);
    QFETCH(Reader, read);
    QFETCH(QVariant, expected);
    // Another program's write: noticed without being asked, and signalled.
    const QVariant before = read();
    QSignalSpy spy(&Preferences::instance(), &Preferences::changed);
    writeConf("[General]\n" + line + '\n');
    QTRY_COMPARE(read(), expected);
    if (expected != before)
        QTRY_COMPARE(spy.size(), 1);
    QCOMPARE(readConf(), "[General]\n" + line + '\n'); // reading never writes
}

void tst_Preferences::refusesWhatIsNoFile_data()
{
    QTest::addColumn<bool>("fifo"); // opening a FIFO would wait for a writer forever
    QTest::newRow("fifo") << true;
    QTest::newRow("folder") << false;
}

void tst_Preferences::refusesWhatIsNoFile()
{
    QFETCH(bool, fifo);
    Preferences &preferences = Preferences::instance();
    writeConf("[General]\nvideo%20codec=copy\n");
    QTRY_COMPARE(preferences.value(videoCodec), QStringLiteral("copy"));
    const QByteArray path = QFile::encodeName(confPath());
    QVERIFY(::unlink(path) == 0 && (fifo ? ::mkfifo(path, 0600) : ::mkdir(path, 0700)) == 0);

    QTRY_COMPARE(preferences.value(videoCodec), QStringLiteral("h264"));
    preferences.setValue(videoQuality, 30.0); // for this run only, never written
    preferences.flush();
    QCOMPARE(preferences.value(videoQuality), 30.0);
    QCOMPARE(QFileInfo(confPath()).isDir(), !fifo);
    QVERIFY(::remove(path) == 0);
    // Of another size: Qt compares size and time in milliseconds before it re-reads.
    writeConf("[General]\nvideo%20codec=hevc\nvideo%20quality=26\n");
    QTRY_COMPARE(preferences.value(videoCodec), QStringLiteral("hevc"));
    QCOMPARE(preferences.value(videoQuality), 26.0);
}

namespace {

// Gives a preference a value that differs from the one it reads now and that
// the store takes (the extracted audio's format takes only audio formats).
void changeValue(const PreferenceKey<bool> &key)
{
    Preferences::instance().setValue(key, !Preferences::instance().value(key));
}

void changeValue(const PreferenceKey<double> &key)
{
    Preferences::instance().setValue(key, Preferences::instance().value(key) + 1);
}

void changeValue(const PreferenceKey<QString> &key)
{
    const QString before = Preferences::instance().value(key);
    for (const QString &candidate : {QStringLiteral("hevc"), QStringLiteral("flac")}) {
        Preferences::instance().setValue(key, candidate);
        if (Preferences::instance().value(key) != before)
            return;
    }
}

} // namespace

void tst_Preferences::everySettingThatChangesTheCommandLineMakesResultsStale_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("normalizing");
    for (const QString &key : ConversionSettings::keyNames()) {
        QTest::addRow("%s", qPrintable(key)) << key << false;
        QTest::addRow("%s, normalizing", qPrintable(key)) << key << true;
    }
}

void tst_Preferences::everySettingThatChangesTheCommandLineMakesResultsStale()
{
    QFETCH(QString, key);
    QFETCH(bool, normalizing);
    Preferences::instance().setValue(normalizeLoudness, normalizing);
    const HardwareProfile vaapi = HardwareProfile::vaapi(QStringLiteral("/dev/dri/renderD128"));
    const LoudnessMeasurement measured {-30.0, -12.0, 6.0, -40.0, {}};
    const auto args = [&](const MediaTarget &target, const ConversionSettings &settings) {
        return makeFFArgs(target, {}, vaapi, settings, {}, measured);
    };

    struct Shown {
        MediaTarget target;
        std::unique_ptr<Workspace> workspace;
        MediaPtr converted, failed;
    };
    std::vector<Shown> shown;
    const ConversionSettings before = ConversionSettings::current();
    for (const MediaTarget &target : MediaTarget::allTargets()) {
        Shown &one = shown.emplace_back(Shown {target, std::make_unique<Workspace>(),
                                               MediaPtr(new Media("/in/a", {target.group, {}})),
                                               MediaPtr(new Media("/in/b", {target.group, {}}))});
        one.workspace->setGroup(target.group, {one.converted, one.failed});
        one.workspace->setSelectedTarget(target);
        one.failed->setStatus(MediaStatus::failed);
    }

    // The second round converts under the changed value and changes it back.
    for (int round = 0; round < 2; ++round) {
        const ConversionSettings old = ConversionSettings::current();
        for (Shown &one : shown) {
            one.converted->setStatus(MediaStatus::successful);
            one.converted->setLastSuccessSignature(successSignature(one.target, {}, old));
        }
        ConversionSettings::forEachKey([&](const auto &setting, auto member) {
            if (setting.name == key && round == 0)
                changeValue(setting);
            else if (setting.name == key)
                Preferences::instance().setValue(setting, before.*member);
        });
        const ConversionSettings now = ConversionSettings::current();
        QVERIFY2(!(now == old), "the setting is read from its preference");
        for (const Shown &one : shown) {
            const bool signatureChanged
                = successSignature(one.target, {}, old) != successSignature(one.target, {}, now);
            if (args(one.target, old) != args(one.target, now))
                QVERIFY2(signatureChanged, qPrintable(one.target.id));
            QCOMPARE(one.converted->status(),
                     signatureChanged ? MediaStatus::unprocessed : MediaStatus::successful);
            QCOMPARE(one.failed->status(), MediaStatus::failed);
        }
    }
}

QTEST_GUILESS_MAIN(tst_Preferences)
#include "tst_preferences.moc"
