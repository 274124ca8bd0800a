#include "conversion/HardwareDetection.h"
#include "conversion/MediaJob.h"
#include "conversion/Workspace.h"
#include "model/MediaLoad.h"
#include "model/MediaSet.h"
#include "settings/Preferences.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <vips/vips8>

#include "TestSupport.h"

// The plan that the dry run prints is the plan a job runs, on every route;
// a job ends as soon as it is cancelled or its item leaves the list.
class TestConversionPlan final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void dryRunIsWhatTheJobRuns_data();
    void dryRunIsWhatTheJobRuns();
    void cancelDoesNotWaitForHardwareDetection();
    void removedItemsLeaveTheRun();
    void cleanup() { QVERIFY(TestSupport::liveChildren().isEmpty()); }

private:
    QStringList cli(const QStringList &arguments, const QString &record);
    QTemporaryDir m_dir;
};

namespace {

// The input after "-i" and the output, which differ between the dry run
// (the user's names) and the job (its temporary files).
QStringList withoutPaths(QStringList arguments)
{
    if (const qsizetype input = arguments.indexOf("-i"); input >= 0 && input + 1 < arguments.size())
        arguments[input + 1] = "<in>";
    if (!arguments.isEmpty())
        arguments.last() = "<out>";
    return arguments;
}

} // namespace

void TestConversionPlan::initTestCase()
{
    QVERIFY(VIPS_INIT("tst_conversionplan") == 0);
    QVERIFY(TestSupport::makeTone(m_dir.filePath("tone.wav")));
    vips::VImage::black(16, 16, vips::VImage::option()->set("bands", 3))
        .heifsave(m_dir.filePath("photo.heic").toUtf8().constData());
    QVERIFY(TestSupport::writeFile(m_dir.filePath("lines.srt"),
                                   "1\n00:00:01,000 --> 00:00:02,000\nHi\n"));
    // Every ffmpeg of this process is the fake one, slow enough that a
    // hardware detection is still under way when a job is cancelled.
    qputenv("VIREO_FFMPEG", TestSupport::fakeTool().toUtf8());
    qputenv("FAKETOOL_ACTIONS", "--delay-ms|1500");
    Preferences::instance().setValue(PreferenceKeys::maxConcurrentJobs, 2);
}

QStringList TestConversionPlan::cli(const QStringList &arguments, const QString &record)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("FAKETOOL_ACTIONS");
    environment.insert("VIREO_HWACCEL", "none");
    environment.insert("FAKETOOL_ARGV", record);
    environment.insert("XDG_CONFIG_HOME", m_dir.filePath("config"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(VIREO_CLI), arguments + QStringList {"--json"});
    process.waitForFinished(120000);
    QStringList planned;
    for (const QByteArray &line : process.readAllStandardOutput().split('\n')) {
        const QJsonObject event = QJsonDocument::fromJson(line).object();
        if (event["event"] == "planned")
            planned = event["arguments"].toVariant().toStringList();
    }
    return planned;
}

void TestConversionPlan::dryRunIsWhatTheJobRuns_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<bool>("runsFFmpeg");
    QTest::newRow("ffmpeg") << "tone.wav"
                            << QStringList {"--to", "audio.mp3", "--trim-start", "0.2"} << true;
    QTest::newRow("file given itself, structure kept")
        << "tone.wav" << QStringList {"--to", "audio.mp3", "--keep-structure"} << true;
    QTest::newRow("image path") << "photo.heic" << QStringList {"--to", "image.jpg"} << false;
    QTest::newRow("webp through png") << "photo.heic" << QStringList {"--to", "image.webp"} << true;
    QTest::newRow("microdvd through srt")
        << "lines.srt" << QStringList {"--to", "subtitle.sub"} << true;
}

void TestConversionPlan::dryRunIsWhatTheJobRuns()
{
    QFETCH(QString, input);
    QFETCH(QStringList, options);
    QFETCH(bool, runsFFmpeg);
    const QString out = m_dir.filePath(QTest::currentDataTag());
    const QString record = out + ".argv";
    options << "-o" << out << m_dir.filePath(input);
    const QStringList planned = cli(options + QStringList {"--dry-run"}, record);
    QVERIFY(!QFile::exists(record));
    cli(options, record);
    QFile file(record);
    QCOMPARE(file.open(QIODevice::ReadOnly), runsFFmpeg);
    QCOMPARE(planned.isEmpty(), !runsFFmpeg);
    if (!runsFFmpeg)
        return;
    const QStringList ran = QString::fromUtf8(file.readAll()).split('\n');
    QCOMPARE(ran.count(QString()), 2); // one run: its arguments and the empty line
    QCOMPARE(withoutPaths(ran.mid(0, ran.size() - 2)), withoutPaths(planned));
    QCOMPARE(QFileInfo(ran.at(ran.size() - 3).mid(5)).absolutePath(), out); // after "file:"
}

void TestConversionPlan::cancelDoesNotWaitForHardwareDetection()
{
    Preferences::instance().setValue(PreferenceKeys::hardwareAcceleration, true);
    const MediaPtr item(new Media(m_dir.filePath("tone.wav"), MediaType(MediaGroup::video, {})));
    item->setDuration(1.0);
    MediaJob *job = processMedia(item, *MediaTarget::fromId("video.mp4"), m_dir.path(), {});
    job->cancel();
    QVERIFY(TestSupport::waitFor(job));
    QVERIFY(!detectedHardwareProfile());
    QCOMPARE(item->status(), MediaStatus::cancelled);
    delete job;
    QVERIFY(TestSupport::waitUntil([] { return bool(detectedHardwareProfile()); }));
}

void TestConversionPlan::removedItemsLeaveTheRun()
{
    MediaSet set;
    const QString in = m_dir.filePath("removal");
    QDir().mkpath(in);
    for (const char *name : {"a.wav", "b.wav", "c.wav"})
        QFile::copy(m_dir.filePath("tone.wav"), QDir(in).filePath(name));
    QVERIFY(TestSupport::waitFor(set.load({in})));
    Workspace workspace(&set);
    workspace.setGroup(MediaGroup::audio, set.media().value(MediaGroup::audio));
    workspace.setSelectedTarget(*MediaTarget::fromId("audio.mp3"));
    std::optional<Totals> last;
    connect(&workspace.queue(), &JobQueue::runFinished, this, [&](const Totals &t) { last = t; });
    workspace.process(m_dir.filePath("removal-out"));
    QTRY_COMPARE(workspace.queue().activeMedia().size(), 2);
    const QPointer<Media> running = workspace.queue().activeMedia().first().get();
    const QPointer<Media> pending = set.media().value(MediaGroup::audio).last().get();
    set.remove({running->id(), pending->id()});
    workspace.setGroup(MediaGroup::audio, set.media().value(MediaGroup::audio));
    QCOMPARE(workspace.queue().totals().total, 1);
    QVERIFY(TestSupport::waitUntil([&] { return last.has_value(); }));
    QCOMPARE(last->total, 1);
    QCOMPARE(last->completed + last->failed, 1);
    // Nothing holds the removed items any more: the running job let go too.
    QTRY_VERIFY(!running && !pending);
}

QTEST_GUILESS_MAIN(TestConversionPlan)
#include "tst_conversionplan.moc"
