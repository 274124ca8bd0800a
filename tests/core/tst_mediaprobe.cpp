#include "tools/MediaProbe.h"

#include <QJsonDocument>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include "TestSupport.h"

Q_DECLARE_METATYPE(ProbeResult)

class TestMediaProbe : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void parsesDocuments_data();
    void parsesDocuments();
    void primaryCodecType_data();
    void primaryCodecType();
    void probesRealFileInBothForms();
    void missingPathYieldsNothing();
    void cancelledProbeYieldsNothing();

private:
    QTemporaryDir m_dir;
    QString m_movie;
};

void TestMediaProbe::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_movie = m_dir.filePath("movie.mkv");
    QVERIFY(TestSupport::makeMedia(m_movie,
                                   {"-f", "lavfi", "-i", "testsrc=size=320x240:rate=10:duration=2",
                                    "-f", "lavfi", "-i", "sine=duration=2", "-c:v", "mpeg4", "-c:a",
                                    "flac", "-shortest"}));
}

void TestMediaProbe::cleanup()
{
    QVERIFY(TestSupport::liveChildren().isEmpty());
}

static ProbeStream stream(const QString &type, std::optional<QString> codec = {},
                          std::optional<qint64> width = {}, std::optional<qint64> height = {})
{
    return {type, codec, width, height};
}

void TestMediaProbe::parsesDocuments_data()
{
    QTest::addColumn<QString>("json");
    QTest::addColumn<ProbeResult>("expected");

    ProbeResult full;
    full.formatLongName = QStringLiteral("QuickTime / MOV");
    full.duration = 12.345;
    full.size = 1048576;
    full.bitrate = 680000;
    full.streams
        = {stream("video", "H.264", 1920, 1080), stream("audio", "AAC (Advanced Audio Coding)")};
    QTest::newRow("typical") << R"json({"streams":[
        {"codec_type":"video","codec_long_name":"H.264","width":1920,"height":1080},
        {"codec_type":"audio","codec_long_name":"AAC (Advanced Audio Coding)"}],
        "format":{"format_long_name":"QuickTime / MOV","duration":"12.345000","size":"1048576","bit_rate":"680000"}})json"
                             << full;

    ProbeResult numeric;
    numeric.duration = 3.5;
    QTest::newRow("numeric duration, numeric size ignored")
        << R"({"format":{"duration":3.5,"size":1024,"bit_rate":128000}})" << numeric;

    ProbeResult bad;
    QTest::newRow("duration text not a number")
        << R"({"format":{"duration":"N/A","size":"12.5","bit_rate":" 5"}})" << bad;

    ProbeResult noFormat;
    noFormat.streams = {stream(""), stream("audio")};
    QTest::newRow("no format, stream without type")
        << R"({"streams":[{"index":0},{"codec_type":"audio","width":"640"}]})" << noFormat;

    QTest::newRow("non-object element empties streams")
        << R"({"streams":[{"codec_type":"video"}, 7]})" << ProbeResult();
    QTest::newRow("streams not an array")
        << R"({"streams":{"codec_type":"video"}})" << ProbeResult();

    ProbeResult fractional;
    fractional.streams = {stream("video", {}, {}, 480)};
    QTest::newRow("fractional width absent")
        << R"({"streams":[{"codec_type":"video","width":640.5,"height":480}]})" << fractional;
}

void TestMediaProbe::parsesDocuments()
{
    QFETCH(QString, json);
    QFETCH(ProbeResult, expected);
    const QJsonDocument document = QJsonDocument::fromJson(json.toUtf8());
    QVERIFY(document.isObject());
    QCOMPARE(parseProbeJSON(document.object()), expected);
}

void TestMediaProbe::primaryCodecType_data()
{
    QTest::addColumn<QStringList>("types");
    QTest::addColumn<QString>("primary"); // "-" for none

    QTest::newRow("none") << QStringList {} << "-";
    QTest::newRow("single subtitle") << QStringList {"subtitle"} << "subtitle";
    QTest::newRow("video wins") << QStringList {"audio", "subtitle", "video"} << "video";
    QTest::newRow("audio over data") << QStringList {"data", "audio"} << "audio";
    QTest::newRow("first otherwise") << QStringList {"data", "subtitle"} << "data";
}

void TestMediaProbe::primaryCodecType()
{
    QFETCH(QStringList, types);
    QFETCH(QString, primary);
    ProbeResult result;
    for (const QString &type : types)
        result.streams << stream(type);
    QCOMPARE(result.primaryCodecType().value_or(QStringLiteral("-")), primary);
}

void TestMediaProbe::probesRealFileInBothForms()
{
    const auto blocking = probeMedia(m_movie);
    QVERIFY(blocking);
    QCOMPARE(blocking->streams.size(), 2);
    QCOMPARE(blocking->streams[0].codecType, QStringLiteral("video"));
    QCOMPARE(blocking->streams[0].width, 320);
    QCOMPARE(blocking->streams[0].height, 240);
    QCOMPARE(blocking->streams[1].codecType, QStringLiteral("audio"));
    QCOMPARE(blocking->formatLongName, QStringLiteral("Matroska / WebM"));
    QVERIFY(qAbs(blocking->duration.value_or(0) - 2.0) < 0.2);
    QVERIFY(blocking->size.value_or(0) > 0);

    std::unique_ptr<ProbeRun> run(probeMediaAsync(m_movie));
    QVERIFY(TestSupport::waitFor(run.get()));
    QVERIFY(run->result());
    QCOMPARE(*run->result(), *blocking);
}

void TestMediaProbe::missingPathYieldsNothing()
{
    const QString missing = m_dir.filePath("nothing-here.mp4");
    QVERIFY(!probeMedia(missing));
    std::unique_ptr<ProbeRun> run(probeMediaAsync(missing));
    QVERIFY(TestSupport::waitFor(run.get()));
    QVERIFY(!run->result());

    const QString text = m_dir.filePath("notes.txt");
    QFile file(text);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("just some words\n");
    file.close();
    QVERIFY(!probeMedia(text));
}

void TestMediaProbe::cancelledProbeYieldsNothing()
{
    std::unique_ptr<ProbeRun> run(probeMediaAsync(m_movie));
    run->cancel();
    QVERIFY(TestSupport::waitFor(run.get()));
    QVERIFY(!run->result());
}

QTEST_GUILESS_MAIN(TestMediaProbe)
#include "tst_mediaprobe.moc"
