#include "conversion/BatchSettings.h"
#include "conversion/JobQueue.h"
#include "conversion/OutputCheck.h"
#include "conversion/VideoScale.h"
#include "settings/Preferences.h"
#include "tools/MediaProbe.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include "TestSupport.h"

class tst_BatchSettings : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void trimArguments_data();
    void trimArguments();
    void scaleArguments_data();
    void scaleArguments();
    void videoScaleTable_data();
    void videoScaleTable();
    void ffmpegTrimsAndScales();
    void outputProblems_data();
    void outputProblems();
    void trimPastTheEndFailsTheItem();
};

void tst_BatchSettings::trimArguments_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<QStringList>("startArguments");
    QTest::addColumn<QStringList>("endArguments");

    // Arguments as one text with "|" between them; "" for none.
    const auto row = [](const char *tag, bool enabled, const char *start, const char *end,
                        const char *startArguments, const char *endArguments) {
        const auto list = [](const char *text) {
            return QString::fromLatin1(text).split(u'|', Qt::SkipEmptyParts);
        };
        QTest::newRow(tag) << enabled << QString::fromLatin1(start) << QString::fromLatin1(end)
                           << list(startArguments) << list(endArguments);
    };
    row("start only", true, "90", "", "-ss|90", "");
    row("end only", true, "", "00:02:00", "", "-to|00:02:00");
    row("both", true, "00:01:30", "00:02:00", "-ss|00:01:30", "-to|00:02:00");
    row("blank", true, "  \t ", "\t", "", "");
    row("passed as typed", true, " 90", "\t120", "-ss| 90", "-to|\t120");
    row("disabled keeps nothing out", false, "90", "120", "", "");
}

void tst_BatchSettings::trimArguments()
{
    QFETCH(bool, enabled);
    QFETCH(QString, start);
    QFETCH(QString, end);
    const BatchSettings batch {enabled, start, end, VideoScale::p720};
    QTEST(batch.trimStartArguments(), "startArguments");
    QTEST(batch.trimEndArguments(), "endArguments");
}

void tst_BatchSettings::scaleArguments_data()
{
    QTest::addColumn<VideoScale>("scale");
    QTest::addColumn<bool>("videoTarget");
    QTest::addColumn<QString>("codec");
    QTest::addColumn<QStringList>("expected");

    const QString vf = QStringLiteral("-vf");
    QTest::newRow("720p, h264") << VideoScale::p720 << true << QStringLiteral("h264")
                                << QStringList {vf, QStringLiteral("scale=-2:720")};
    QTest::newRow("720p, copy") << VideoScale::p720 << true << QStringLiteral("copy")
                                << QStringList();
    QTest::newRow("720p, audio target")
        << VideoScale::p720 << false << QStringLiteral("h264") << QStringList();
    QTest::newRow("original") << VideoScale::original << true << QStringLiteral("h264")
                              << QStringList();
    // Only the exact "copy" turns scaling off; the builder reads other texts as H.264.
    QTest::newRow("2160p, unknown codec") << VideoScale::p2160 << true << QStringLiteral("Copy")
                                          << QStringList {vf, QStringLiteral("scale=-2:2160")};
}

void tst_BatchSettings::scaleArguments()
{
    QFETCH(VideoScale, scale);
    QFETCH(bool, videoTarget);
    QFETCH(QString, codec);
    const BatchSettings batch {true, QStringLiteral("1"), QStringLiteral("2"), scale};
    QTEST(batch.scaleArguments(videoTarget, codec), "expected");
}

void tst_BatchSettings::videoScaleTable_data()
{
    QTest::addColumn<VideoScale>("scale");
    QTest::addColumn<QString>("raw");
    QTest::addColumn<QString>("filter"); // empty: none
    QTest::addColumn<int>("position"); // in the picker

    const auto row = [](VideoScale scale, const char *raw, const char *filter, int position) {
        QTest::newRow(raw) << scale << QString::fromUtf8(raw) << QString::fromLatin1(filter)
                           << position;
    };
    row(VideoScale::original, "Original", "", 0);
    row(VideoScale::p2160, "2160p (4K)", "scale=-2:2160", 1);
    row(VideoScale::p1440, "1440p", "scale=-2:1440", 2);
    row(VideoScale::p1080, "1080p", "scale=-2:1080", 3);
    row(VideoScale::p720, "720p", "scale=-2:720", 4);
    row(VideoScale::p480, "480p", "scale=-2:480", 5);
    row(VideoScale::p360, "360p", "scale=-2:360", 6);
}

void tst_BatchSettings::videoScaleTable()
{
    QFETCH(VideoScale, scale);
    QFETCH(QString, raw);
    QFETCH(QString, filter);
    QFETCH(int, position);
    QCOMPARE(allVideoScales().indexOf(scale), position);
    QCOMPARE(rawValue(scale), raw);
    QCOMPARE(videoScaleFromRawValue(raw), scale);
    QCOMPARE(filterArgument(scale).value_or(QString()), filter);
    // Raw values match exactly: "original" and "720" are no scales.
    QVERIFY(!videoScaleFromRawValue(raw.toLower() == raw ? raw.chopped(1) : raw.toLower()));
}

void tst_BatchSettings::ffmpegTrimsAndScales()
{
    // The start seeks the input, the end is read on the output's timeline, and
    // the filter enlarges as well as shrinks: 1 s to 3 s of a 320x240 clip at 480p.
    QTemporaryDir dir;
    const QString input = dir.filePath(QStringLiteral("in.mkv"));
    const QString output = dir.filePath(QStringLiteral("out.mkv"));
    QVERIFY(
        TestSupport::makeMedia(input,
                               {QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                                QStringLiteral("testsrc=size=320x240:rate=10:duration=5")}));

    const BatchSettings batch {true, QStringLiteral("1"), QStringLiteral("2"), VideoScale::p480};
    QVERIFY(TestSupport::makeMedia(
        output,
        batch.trimStartArguments() + QStringList {QStringLiteral("-i"), input}
            + batch.trimEndArguments() + batch.scaleArguments(true, QStringLiteral("h264"))));

    const std::optional<ProbeResult> probe = TestSupport::probe(output);
    QVERIFY(probe && probe->duration && !probe->streams.isEmpty());
    QVERIFY2(qAbs(*probe->duration - 2.0) < 0.25, qPrintable(QString::number(*probe->duration)));
    QCOMPARE(probe->streams.first().width, 640);
    QCOMPARE(probe->streams.first().height, 480);
}

void tst_BatchSettings::outputProblems_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("streams"); // "-" for an unreadable output; "picture" has a size
    QTest::addColumn<double>("duration"); // negative for none
    QTest::addColumn<QString>("trimStart");
    QTest::addColumn<QString>("problem"); // "" for none

    const auto row = [](const char *target, const char *streams, double duration, const char *trim,
                        const char *problem) {
        QTest::newRow(problem[0] ? problem : target)
            << target << streams << duration << trim << QString::fromUtf8(problem);
    };
    row("audio.mp3", "audio", 2, "", "");
    row("image.png", "picture", -1, "", "");
    row("audio.flac", "-", -1, "", "The converted file \"/out/Song.flac\" cannot be read");
    row("video.extract-audio", "video", 2, "",
        "The converted file \"/out/Song.flac\" has no audio");
    row("video.mkv", "audio", 2, "", "The converted file \"/out/Song.flac\" has no video");
    row("image.jpg", "video", -1, "", "The converted file \"/out/Song.flac\" holds no picture");
    row("video.webm", "video", -1, "", "The converted file \"/out/Song.flac\" has no duration");
    row("audio.ogg", "audio", 0, "0:30",
        "The trimmed range is empty: \"in.wav\" is shorter than the trim start 0:30");
}

void tst_BatchSettings::outputProblems()
{
    QFETCH(QString, target);
    QFETCH(QString, streams);
    QFETCH(double, duration);
    QFETCH(QString, trimStart);
    std::optional<ProbeResult> probe;
    if (streams != u"-") {
        probe.emplace();
        if (duration >= 0)
            probe->duration = duration;
        for (const QString &kind : streams.split(u' '))
            probe->streams << (kind == u"picture"
                                   ? ProbeStream {.codecType = "video", .width = 64, .height = 48}
                                   : ProbeStream {.codecType = kind});
    }
    const OutputCheckContext context {"/out/Song.flac", "in.wav", trimStart};
    QTEST(outputProblem(probe, *MediaTarget::fromId(target), context).value_or(""), "problem");
}

// ffmpeg seeks past the end of a short input without complaint and writes a
// file of headers only: the item fails and no output is left.
void tst_BatchSettings::trimPastTheEndFailsTheItem()
{
    QTemporaryDir dir;
    const QString input = dir.filePath(QStringLiteral("Song.flac"));
    QVERIFY(TestSupport::makeTone(input, 1.0));
    QVERIFY(QDir(dir.path()).mkdir("out"));
    Preferences::instance().setValue(PreferenceKeys::hardwareAcceleration, false);
    const MediaPtr item(new Media(input, MediaType(MediaGroup::audio, {})), &QObject::deleteLater);
    JobQueue queue;
    queue.enqueue({item}, *MediaTarget::fromId(QStringLiteral("audio.mp3")), dir.filePath("out"),
                  {true, QStringLiteral("0:30"), {}, VideoScale::original});
    QVERIFY(TestSupport::waitUntil([&] { return !queue.isRunning(); }));
    QCOMPARE(item->status(), MediaStatus::failed);
    QCOMPARE(item->errorMessage().value_or(""),
             "The trimmed range is empty: \"Song.flac\" is shorter than the trim start 0:30");
    QVERIFY(QDir(dir.filePath("out")).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

QTEST_GUILESS_MAIN(tst_BatchSettings)
#include "tst_batchsettings.moc"
