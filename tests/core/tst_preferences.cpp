#include "settings/Preferences.h"
#include "settings/VideoCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QScopedPointer>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <cstdio>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

using namespace PreferenceKeys;

namespace {

// Any preference by key name, presets as their stored JSON texts.
QVariant readByName(const QString &name)
{
    const Preferences &preferences = Preferences::instance();
    if (name == userPresets.name) {
        QStringList texts;
        for (const QJsonObject &object : preferences.value(userPresets))
            texts.append(QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)));
        return texts;
    }
    QVariant value;
    const auto readIfNamed = [&](const auto &key) {
        if (key.name == name)
            value = QVariant::fromValue(preferences.value(key));
    };
    readIfNamed(overwriteExisting);
    readIfNamed(ignoreAlreadyProcessedFiles);
    readIfNamed(openDestinationOnFinish);
    readIfNamed(audioQuality);
    readIfNamed(videoToAudio);
    readIfNamed(videoCodec);
    readIfNamed(videoQuality);
    readIfNamed(hardwareAcceleration);
    readIfNamed(maxConcurrentJobs);
    return value;
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

class tst_Preferences : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();

    void storeFileLocation();
    void writeFromAnotherThreadReachesViews();
    void unchangedWriteIsIgnored();
    void userPresetsRoundTrip_data();
    void userPresetsRoundTrip();
    void handWrittenValues_data();
    void handWrittenValues();
    void videoCodecRawValues();
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

void tst_Preferences::cleanup()
{
    // Through QSettings, so that Qt's in-process cache of the file follows.
    QSettings store(confPath(), QSettings::IniFormat);
    store.clear();
    store.sync();
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

void tst_Preferences::storeFileLocation()
{
    // The organization-level file belongs to state shared by the maker's
    // programs; it must not stand in for our own keys.
    QFile shared(m_configHome.filePath(QStringLiteral("Vireo.conf")));
    QVERIFY(shared.open(QIODevice::WriteOnly));
    shared.write("[General]\nvideo%20codec=hevc\n");
    shared.close();
    QCOMPARE(Preferences::instance().value(videoCodec), QStringLiteral("h264"));

    Preferences::instance().setValue(videoCodec, QStringLiteral("copy"));
    QCOMPARE(Preferences::instance().fileName(), confPath());
    QVERIFY(readConf().contains("video%20codec=copy"));
    QVERIFY(shared.remove());
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
    QVERIFY2(readConf().contains("video%20quality=26"), "written to the file at once");
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
    QCOMPARE(preferences.value(userPresets), presets);

    // Qt keeps what this process wrote in memory; put the same text back as a
    // hand-written file so that the next read really decodes the file.
    const QByteArray text = readConf();
    cleanup();
    writeConf(text);
    QCOMPARE(readByName(userPresets.name).toStringList(), stored);
    QCOMPARE(preferences.value(userPresets), presets);
}

void tst_Preferences::handWrittenValues_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("expected");

    const auto row
        = [](const char *tag, const char *line, const QString &key, const QVariant &expected) {
              QTest::newRow(tag) << QByteArray(line) << key << expected;
          };
    // Defaults for what an empty file leaves open.
    row("default, skip done", "", ignoreAlreadyProcessedFiles.name, true);
    row("default, open folder", "", openDestinationOnFinish.name, true);
    row("default, hardware", "", hardwareAcceleration.name, true);
    row("default, presets", "", userPresets.name, QStringList());
    row("bool", "overwriteExisting=false", overwriteExisting.name, false);
    row("bool, other text", "overwriteExisting=no", overwriteExisting.name, true);
    row("bool, empty", "overwriteExisting=", overwriteExisting.name, true);
    row("int", "max%20concurrent%20jobs=4", maxConcurrentJobs.name, 4);
    row("int, fraction", "max%20concurrent%20jobs=2.5", maxConcurrentJobs.name, 2);
    row("int, too large", "max%20concurrent%20jobs=99999999999", maxConcurrentJobs.name, 2);
    row("double", "video%20quality=26.5", videoQuality.name, 26.5);
    row("double, word", "audio%20quality=loud", audioQuality.name, 192.0);
    row("double, nan", "video%20quality=nan", videoQuality.name, 23.0);
    row("string", "video%20codec=copy", videoCodec.name, QStringLiteral("copy"));
    row("string, a list", "video%20codec=copy, hevc", videoCodec.name, QStringLiteral("h264"));
    row("audio format", "video%20to%20audio=flac", videoToAudio.name, QStringLiteral("flac"));
    row("audio format, a path", "video%20to%20audio=mp3/../x.mp3", videoToAudio.name,
        QStringLiteral("mp3"));
    row("presets, one bad element", R"(user%20presets=not json, "{\"id\":\"a\"}", [1])",
        userPresets.name, QStringList {QStringLiteral(R"({"id":"a"})")});
}

void tst_Preferences::handWrittenValues()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, key);
    QFETCH(QVariant, expected);
    writeConf("[General]\n" + line + '\n');
    QCOMPARE(readByName(key), expected);
    QCOMPARE(readConf(), "[General]\n" + line + '\n'); // reading never writes
}

// The raw values are what the store and the argument builder compare.
void tst_Preferences::videoCodecRawValues()
{
    for (VideoCodec codec : allVideoCodecs())
        QCOMPARE(videoCodecFromRawValue(rawValue(codec)), codec);
    QCOMPARE(rawValue(VideoCodec::copy), QStringLiteral("copy"));
    for (const char *other : {"H264", " copy", "av1", ""})
        QCOMPARE(videoCodecFromRawValue(QString::fromLatin1(other)), std::nullopt);
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
    QCOMPARE(preferences.value(videoCodec), QStringLiteral("copy"));
    const QByteArray path = QFile::encodeName(confPath());
    QVERIFY(::unlink(path) == 0 && (fifo ? ::mkfifo(path, 0600) : ::mkdir(path, 0700)) == 0);

    QCOMPARE(preferences.value(videoCodec), QStringLiteral("h264"));
    preferences.setValue(videoQuality, 30.0); // for this run only, never written
    QCOMPARE(preferences.value(videoQuality), 30.0);
    QCOMPARE(QFileInfo(confPath()).isDir(), !fifo);
    QVERIFY(::remove(path) == 0);
    // Of another size: Qt compares size and time in milliseconds before it re-reads.
    writeConf("[General]\nvideo%20codec=hevc\nvideo%20quality=26\n");
    QCOMPARE(preferences.value(videoCodec), QStringLiteral("hevc"));
    QCOMPARE(preferences.value(videoQuality), 26.0);
}

QTEST_GUILESS_MAIN(tst_Preferences)
#include "tst_preferences.moc"
