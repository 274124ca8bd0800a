#include "tools/MediaProbe.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <sys/stat.h>
#include <thread>

#include "TestSupport.h"

Q_DECLARE_METATYPE(ProbeResult)

class TestMediaProbe : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void primaryCodecType_data();
    void primaryCodecType();
    void probesRealFileInBothForms();
    void oddFiles_data();
    void oddFiles();
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
                                    "flac", "-ac", "6", "-shortest"}));
}

void TestMediaProbe::cleanup()
{
    QVERIFY(TestSupport::liveChildren().isEmpty());
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
        result.streams << ProbeStream {.codecType = type};
    QCOMPARE(result.primaryCodecType().value_or(QStringLiteral("-")), primary);
}

void TestMediaProbe::probesRealFileInBothForms()
{
    const auto blocking = TestSupport::probe(m_movie);
    QVERIFY(blocking);
    const ProbeStream video {"video", "MPEG-4 part 2", 320, 240, "mpeg4", "yuv420p", {}, {}, {},
                             10.0};
    const ProbeStream audio {
        "audio", "FLAC (Free Lossless Audio Codec)", {}, {}, "flac", {}, 6, "5.1", 44100};
    QCOMPARE(blocking->streams, (QList<ProbeStream> {video, audio}));
    QCOMPARE(blocking->formatName, QStringLiteral("matroska,webm"));
    QCOMPARE(blocking->formatLongName, QStringLiteral("Matroska / WebM"));
    QVERIFY(qAbs(blocking->duration.value_or(0) - 2.0) < 0.2);
    QCOMPARE(blocking->size, QFileInfo(m_movie).size());
    std::unique_ptr<ProbeRun> run(probeMediaAsync(m_movie));
    QVERIFY(TestSupport::waitFor(run.get()));
    QCOMPARE(run->result(), blocking);

    // Raw PCM is described from its header alone.
    const QString wav = m_dir.filePath("long.wav");
    QVERIFY(TestSupport::makeMedia(wav,
                                   {"-f", "lavfi", "-i", "sine=duration=60:sample_rate=48000",
                                    "-ac", "2", "-c:a", "pcm_s24le"}));
    const auto pcm = TestSupport::probe(wav);
    QVERIFY(pcm);
    QCOMPARE(pcm->streams,
             (QList<ProbeStream> {{"audio",
                                   "PCM signed 24-bit little-endian",
                                   {},
                                   {},
                                   "pcm_s24le",
                                   {},
                                   2,
                                   "stereo",
                                   48000}}));
    QCOMPARE(pcm->duration, std::optional<double>(60.0));
    QCOMPARE(pcm->bitrate.value_or(0) / 1000, 2304); // the header counts too
}

// Each gives the right result or none, and returns: no hang, no crash.
void TestMediaProbe::oddFiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("format"); // the expected long name, "" for no result

    const auto row = [](const char *tag, const char *name, const char *format = "") {
        QTest::newRow(tag) << QString::fromLatin1(name) << QString::fromLatin1(format);
    };
    row("missing", "nothing-here.mp4");
    row("text", "notes.txt");
    row("zero bytes", "empty.mp3");
    row("corrupt", "noise.mkv");
    row("truncated", "cut.mkv", "Matroska / WebM");
    row("fifo", "pipe.wav");
    row("growing", "growing.ts");
    row("sparse 4 GB", "sparse.mp4");
    row("directory", "folder.mkv");
    row("pattern", "take%d.mkv", "Matroska / WebM");
    row("protocol", "concat:movie.mkv", "Matroska / WebM");
}

void TestMediaProbe::oddFiles()
{
    QFETCH(QString, name);
    const QString path = m_dir.filePath(name);
    QFile source(m_movie);
    QVERIFY(source.open(QIODevice::ReadOnly));
    const QByteArray movie = source.readAll();
    std::atomic_bool stop = false;
    std::jthread writer;
    if (name == "notes.txt" || name == "empty.mp3")
        QVERIFY(TestSupport::writeFile(path, name == "notes.txt" ? "just some words\n" : ""));
    else if (name == "noise.mkv")
        QVERIFY(TestSupport::writeFile(path, movie.left(64) + QByteArray(8192, '\xa5')));
    else if (name == "cut.mkv" || name.contains("%d") || name.startsWith("concat:"))
        QVERIFY(
            TestSupport::writeFile(path, name == "cut.mkv" ? movie.left(movie.size() / 2) : movie));
    else if (name == "pipe.wav")
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (name == "folder.mkv")
        QVERIFY(QDir(m_dir.path()).mkdir(name));
    else if (name == "sparse.mp4")
        QVERIFY(TestSupport::writeFile(path, {}) && QFile(path).resize(qint64(4) << 30));
    else if (name == "growing.ts") {
        QVERIFY(TestSupport::writeFile(path, QByteArray(188, 'G')));
        writer = std::jthread([path, &stop] {
            QFile file(path);
            while (!stop && file.open(QIODevice::Append) && file.size() < (qint64(64) << 20)) {
                file.write(QByteArray(65536, '\x47'));
                file.close();
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        });
    }

    const auto blocking = TestSupport::probe(path);
    std::unique_ptr<ProbeRun> run(probeMediaAsync(path));
    QVERIFY(TestSupport::waitFor(run.get()));
    stop = true;
    QFile::remove(path);
    QTEST(blocking ? blocking->formatLongName.value_or("?") : QString(), "format");
    QCOMPARE(run->result().has_value(), blocking.has_value());
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
