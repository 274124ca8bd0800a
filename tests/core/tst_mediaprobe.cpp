#include "conversion/OutputCheck.h"
#include "tools/MediaProbe.h"
#include "tools/TextEncoding.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTime>
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
    void probesRealFileInBothForms();
    void oddFiles_data();
    void oddFiles();
    void cancelledProbeYieldsNothing();
    void outputDuration_data();
    void outputDuration();
    void subtitleEncodings_data();
    void subtitleEncodings();

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

void TestMediaProbe::probesRealFileInBothForms()
{
    const auto blocking = TestSupport::probe(m_movie);
    QVERIFY(blocking);
    const ProbeStream video {"video", "MPEG-4 part 2", 320, 240, "mpeg4", "yuv420p", {}, {}, {},
                             true};
    const ProbeStream audio {
        "audio", "FLAC (Free Lossless Audio Codec)", {}, {}, "flac", {}, 6, "5.1", 44100, true};
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
                                   48000,
                                   true}}));
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

void TestMediaProbe::outputDuration_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<std::optional<double>>("expected"); // the input's or the kept range's
    QTest::addColumn<double>("output");
    QTest::addColumn<bool>("endedEarly");
    QTest::addColumn<QString>("problem"); // the start of the reason; "" for none

    const auto row = [](const char *tag, const char *target, std::optional<double> expected,
                        double output, const char *problem = "", bool endedEarly = false) {
        QTest::newRow(tag) << QString::fromLatin1(target) << expected << output << endedEarly
                           << QString::fromLatin1(problem);
    };
    const char *shortOutput = "The converted file \"out\" plays ";
    row("whole", "audio.mp3", 60.0, 59.8);
    row("longer", "audio.wav", 2.0, 2.3);
    row("0.4 s short", "audio.wav", 2.0, 1.6);
    row("4 % short of an hour", "video.mp4", 3600.0, 3460.0);
    row("6 % short of a minute", "video.mp4", 60.0, 56.0, shortOutput);
    row("a fuzzed input cut", "audio.wav", 2.0, 0.013, "The converted file \"out\" plays 0.01 s, but \"in\" plays 2.00 s");
    row("the input ends early", "video.extract-audio", 2.0, 0.013, "The converted file \"out\" plays 0.01 s of 2.00 s: \"in\" itself ends early", true);
    row("length unknown", "audio.wav", {}, 0.013);
}

void TestMediaProbe::outputDuration()
{
    QFETCH(QString, target);
    QFETCH(std::optional<double>, expected);
    QFETCH(double, output);
    QFETCH(bool, endedEarly);
    ProbeResult probe;
    probe.duration = output;
    probe.streams = {{.codecType = "video", .width = 64, .height = 48}, {.codecType = "audio"}};
    OutputCheckContext context {"out", "in", {}, expected, endedEarly};
    const QString found = outputProblem(probe, *MediaTarget::fromId(target), context).value_or("");
    QFETCH(QString, problem);
    QVERIFY2(found.startsWith(problem) && found.isEmpty() == problem.isEmpty(), qPrintable(found));
}

void TestMediaProbe::subtitleEncodings_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("cues");
    QTest::addColumn<bool>("mixed"); // needs a UTF-8 copy to be read whole

    // Cues of "Grüße" in UTF-8, except those from `legacyFrom` on, in Latin-1.
    const auto srt = [](int cues, int legacyFrom, int padding = 0) {
        QByteArray text;
        for (int i = 0; i < cues; ++i) {
            const QTime start = QTime(0, 0).addMSecs(i * 100);
            text += QByteArray::number(i + 1) + '\n' + start.toString("HH:mm:ss,zzz").toLatin1()
                + " --> " + start.addMSecs(90).toString("HH:mm:ss,zzz").toLatin1() + '\n'
                + (i >= legacyFrom ? QByteArray("Gr\xfc\xdf" "e") : QByteArray("Grüße"))
                + QByteArray(padding, '.') + "\n\n";
        }
        return text;
    };
    QTest::newRow("UTF-8") << srt(50, 50) << 50 << false;
    QTest::newRow("Latin-1") << srt(50, 0) << 50 << false;
    const QString utf16 = QString::fromUtf8(srt(50, 50));
    QTest::newRow("UTF-16 with a byte order mark")
        << QByteArray("\xFF\xFE")
            + QByteArray(reinterpret_cast<const char *>(utf16.utf16()), utf16.size() * 2)
        << 50 << false;
    QTest::newRow("UTF-8, one Latin-1 line") << srt(50, 49) << 50 << true;
    QTest::newRow("UTF-8, Latin-1 past 4 MB") << srt(60100, 60000, 60) << 60100 << true;
}

// Every cue arrives, read in the right character set; where ffmpeg alone
// would drop some, the output check says so.
void TestMediaProbe::subtitleEncodings()
{
    QFETCH(QByteArray, text);
    QFETCH(int, cues);
    QFETCH(bool, mixed);
    const QString in = m_dir.filePath("in.srt");
    const QString copy = m_dir.filePath("in.utf8.srt");
    QVERIFY(TestSupport::writeFile(in, text));
    std::optional<QString> charset;
    bool copied = false;
    std::thread([&] {
        charset = legacyTextEncoding(in);
        copied = writeUtf8Copy(in, copy);
    }).join();
    QCOMPARE(copied, mixed);
    QCOMPARE(subtitleCueCount(text, "srt"), cues);

    const OutputCheckContext context {"out.vtt", "in.srt"};
    for (const bool whole : {true, false}) {
        const QString out = m_dir.filePath("out.vtt");
        QStringList arguments {"-i", whole && copied ? copy : in};
        if (charset)
            arguments = QStringList {"-sub_charenc", *charset} + arguments;
        QVERIFY(TestSupport::makeMedia(out, arguments));
        QFile file(out);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray converted = file.readAll();
        const std::optional<int> written = subtitleCueCount(converted, "vtt");
        QVERIFY(written);
        if (whole) {
            QCOMPARE(*written, cues);
            QCOMPARE(QString::fromUtf8(converted).count(u"Grüße"), cues);
        } else {
            QCOMPARE(cueProblem(cues, *written, context).has_value(), mixed);
        }
    }
}

QTEST_GUILESS_MAIN(TestMediaProbe)
#include "tst_mediaprobe.moc"
