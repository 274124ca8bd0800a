#include "conversion/JobQueue.h"
#include "settings/Preferences.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "TestSupport.h"

// Success is verified, not assumed. ffmpeg here is the fake tool, told what
// to do through FAKETOOL_ACTIONS, since a full disk cannot be had on demand.
class TestWriteVerification : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void failsDespiteExitZero_data();
    void failsDespiteExitZero();

private:
    QTemporaryDir m_dir;
};

void TestWriteVerification::initTestCase()
{
    // Must be set before the first conversion: the tool is looked up once.
    qputenv("VIREO_FFMPEG", TestSupport::fakeTool().toUtf8());
    Preferences::instance().setValue(PreferenceKeys::hardwareAcceleration, false);
    QVERIFY(m_dir.isValid());
}

void TestWriteVerification::failsDespiteExitZero_data()
{
    QTest::addColumn<QString>("actions");
    QTest::addColumn<QString>("message");
    QTest::newRow("full disk")
        << "--stderr|[mp3 @ 0x1] Error writing trailer of out.mp3: No space left on "
           "device\\n|--exit|0"
        << "[mp3 @ 0x1] Error writing trailer of out.mp3: No space left on device";
    QTest::newRow("no output written") << "--exit|0"
                                       << "The converter wrote no output file";
    QTest::newRow("failure keeps ffmpeg's reason")
        << "--stderr|out.mp3: Input/output error\\nConversion failed!\\n|--exit|1"
        << "out.mp3: Input/output error";
}

void TestWriteVerification::failsDespiteExitZero()
{
    QFETCH(QString, actions);
    QFETCH(QString, message);
    qputenv("FAKETOOL_ACTIONS", actions.toUtf8());

    const QString out = m_dir.filePath(QTest::currentDataTag()).replace(u' ', u'-');
    QDir().mkpath(out);
    QFile earlier(out + "/tone.mp3");
    QVERIFY(earlier.open(QIODevice::WriteOnly));
    earlier.write("earlier output");
    earlier.close();

    const MediaPtr item(new Media(m_dir.filePath("tone.wav"), MediaType(MediaGroup::audio, {})),
                        &QObject::deleteLater);
    JobQueue queue;
    queue.enqueue({item}, MediaTarget::fromId("audio.mp3").value(), out, {});
    QTRY_VERIFY_WITH_TIMEOUT(!queue.isRunning(), 20000);
    QCOMPARE(item->status(), MediaStatus::failed);
    QCOMPARE(item->errorMessage().value_or(QString()), message);
    QVERIFY(earlier.open(QIODevice::ReadOnly));
    QCOMPARE(earlier.readAll(), QByteArray("earlier output"));
    QCOMPARE(QDir(out).entryList(QDir::Files | QDir::Hidden), QStringList {"tone.mp3"});
}

QTEST_GUILESS_MAIN(TestWriteVerification)
#include "tst_writeverification.moc"
