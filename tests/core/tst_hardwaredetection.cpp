#include "conversion/HardwareDetection.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "TestSupport.h"

namespace {

QString apiName(const std::optional<HardwareProfile> &profile)
{
    // In the order of HardwareProfile::Api.
    static const char *const names[] = {"none", "videotoolbox", "vaapi", "nvenc", "qsv"};
    return QString::fromLatin1(profile ? names[int(profile->api)] : "nothing");
}

bool hasGpu()
{
    return !renderNodes().isEmpty() || QFile::exists(QStringLiteral("/dev/nvidia0"));
}

} // namespace

class TestHardwareDetection : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void forcedValues_data();
    void forcedValues();
    void detectsOnceOffTheCallingThread();
    void environmentForcesTheResult();
};

void TestHardwareDetection::forcedValues_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("nodes");
    QTest::addColumn<QString>("api");
    QTest::addColumn<QString>("device");

    const QStringList nodes {"/dev/dri/renderD129", "/dev/dri/renderD130"};
    const auto row = [&nodes](const char *tag, const char *value, const char *api,
                              const QString &device = {}, bool noNodes = false) {
        QTest::newRow(tag) << value << (noNodes ? QStringList() : nodes) << api << device;
    };
    row("none", "none", "none");
    row("any case", " NVENC ", "nvenc");
    row("qsv", "qsv", "qsv");
    row("vaapi: first node", "vaapi", "vaapi", nodes.first());
    row("vaapi: no node", "vaapi", "vaapi", {}, true);
    row("vaapi: named device", "vaapi:/dev/dri/renderD130", "vaapi", nodes.last());
    row("unset", "", "nothing");
    row("unknown", "cuda", "nothing");
    row("device for another api", "none:/dev/null", "nothing");
}

void TestHardwareDetection::forcedValues()
{
    QFETCH(QString, value);
    QFETCH(QStringList, nodes);
    QFETCH(QString, device);
    const std::optional<HardwareProfile> profile = forcedHardwareProfile(value, nodes);
    QTEST(apiName(profile), "api");
    if (profile) {
        QCOMPARE(profile->device, device);
        QVERIFY(profile->encodesHevc);
    }
}

void TestHardwareDetection::detectsOnceOffTheCallingThread()
{
    if (qEnvironmentVariableIsSet("VIREO_HWACCEL"))
        QSKIP("VIREO_HWACCEL is set");

    // The first calls start the test encodes elsewhere and return at once.
    HardwareDetection *first = detectHardwareProfile(this);
    HardwareDetection *second = detectHardwareProfile(this);
    QVERIFY(!detectedHardwareProfile());
    QVERIFY(!first->isFinished());
    QVERIFY(!second->isFinished());
    // A caller that goes away or stops waiting does not disturb the others.
    delete detectHardwareProfile();
    HardwareDetection *cancelled = detectHardwareProfile(this);
    cancelled->cancel();
    QCOMPARE(cancelled->profile(), HardwareProfile::software());

    QSignalSpy firstDone(first, &Operation::finished);
    QVERIFY(TestSupport::waitFor(second));
    QVERIFY(firstDone.count() == 1 || firstDone.wait());
    QCOMPARE(first->profile(), second->profile());
    QCOMPARE(detectedHardwareProfile(), first->profile());
    if (!hasGpu())
        QCOMPARE(first->profile(), HardwareProfile::software());

    // Later calls take the cached result, and still finish from the event loop.
    HardwareDetection *later = detectHardwareProfile(this);
    QVERIFY(later->isFinished());
    QCOMPARE(later->profile(), first->profile());
    QSignalSpy laterDone(later, &Operation::finished);
    QCOMPARE(laterDone.count(), 0);
    QVERIFY(laterDone.wait());
    QTRY_COMPARE(TestSupport::liveChildren(), QStringList());
}

void TestHardwareDetection::environmentForcesTheResult()
{
    // Detection runs once per process, so it is tried through vireo-cli's
    // plan. nvenc is not present here: only the variable can choose it.
    QTemporaryDir dir;
    QVERIFY(TestSupport::makeMedia(dir.filePath("a.mkv"),
                                   TestSupport::split("-f lavfi -i testsrc=duration=0.2")));
    const QList<QJsonObject> events
        = TestSupport::runCli({"--json", "-n", "-t", "video.mp4", dir.filePath("a.mkv")},
                              {{"VIREO_HWACCEL", "nvenc"}, {"XDG_CONFIG_HOME", dir.filePath("c")}})
              .events;
    QVERIFY(!events.isEmpty());
    QVERIFY(events.first()["arguments"].toVariant().toStringList().contains("h264_nvenc"));
}

QTEST_GUILESS_MAIN(TestHardwareDetection)
#include "tst_hardwaredetection.moc"
