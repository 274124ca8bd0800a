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

    void storeFileLocation();
    void writeFromAnotherThreadReachesViews();
    void unchangedWriteIsIgnored();
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
    QCOMPARE(QSettings(confPath(), QSettings::IniFormat).value(userPresets.name).toStringList(),
             stored);
    QCOMPARE(preferences.value(userPresets), presets);
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
    // Defaults for what an empty file leaves open.
    row("default, skip done", "", reader(ignoreAlreadyProcessedFiles), true);
    row("default, open folder", "", reader(openDestinationOnFinish), true);
    row("default, hardware", "", reader(hardwareAcceleration), true);
    row("default, presets", "", reader(userPresets), QVariant::fromValue(QList<QJsonObject>()));
    row("bool", "overwriteExisting=false", reader(overwriteExisting), false);
    row("bool, other text", "overwriteExisting=no", reader(overwriteExisting), true);
    row("bool, empty", "overwriteExisting=", reader(overwriteExisting), true);
    row("int", "max%20concurrent%20jobs=4", reader(maxConcurrentJobs), 4);
    row("int, fraction", "max%20concurrent%20jobs=2.5", reader(maxConcurrentJobs), 2);
    row("int, too large", "max%20concurrent%20jobs=99999999999", reader(maxConcurrentJobs), 2);
    row("double", "video%20quality=26.5", reader(videoQuality), 26.5);
    row("double, word", "audio%20quality=loud", reader(audioQuality), 192.0);
    row("double, nan", "video%20quality=nan", reader(videoQuality), 23.0);
    row("string", "video%20codec=copy", reader(videoCodec), QStringLiteral("copy"));
    row("string, a list", "video%20codec=copy, hevc", reader(videoCodec), QStringLiteral("h264"));
    row("audio format", "video%20to%20audio=flac", reader(videoToAudio), QStringLiteral("flac"));
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
    writeConf("[General]\n" + line + '\n');
    QCOMPARE(read(), expected);
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
