#include "conversion/OutputCheck.h"
#include "tools/MediaProbe.h"
#include "tools/TextEncoding.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QTime>

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
    void outputProblems_data();
    void outputProblems();
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
    QVERIFY(TestSupport::makeMedia(
        m_movie,
        TestSupport::split("-f lavfi -i testsrc=size=320x240:rate=10:duration=2 -f lavfi -i "
                           "sine=duration=2 -c:v mpeg4 -c:a flac -ac 6 -shortest")));
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
                             true,    false,           10.0};
    const ProbeStream audio {
        "audio", "FLAC (Free Lossless Audio Codec)", {}, {}, "flac", {}, 6, "5.1", 44100, true};
    QCOMPARE(blocking->streams, (QList<ProbeStream> {video, audio}));
    QCOMPARE(blocking->formatName, QStringLiteral("matroska,webm"));
    QVERIFY(qAbs(blocking->duration.value_or(0) - 2.0) < 0.2);
    QCOMPARE(blocking->size, QFileInfo(m_movie).size());
    std::unique_ptr<ProbeRun> run(probeMediaAsync(m_movie));
    QVERIFY(TestSupport::waitFor(run.get()));
    QCOMPARE(run->result(), blocking);
    // Cancelled, it yields nothing.
    run.reset(probeMediaAsync(m_movie));
    run->cancel();
    QVERIFY(TestSupport::waitFor(run.get()));
    QVERIFY(!run->result());

    // Raw PCM is described from its header alone.
    const QString wav = m_dir.filePath("long.wav");
    QVERIFY(TestSupport::makeMedia(
        wav,
        TestSupport::split("-f lavfi -i sine=duration=60:sample_rate=48000 -ac 2 -c:a pcm_s24le")));
    const auto pcm = TestSupport::probe(wav);
    QVERIFY(pcm);
    const ProbeStream stereo {
        "audio", "PCM signed 24-bit little-endian", {}, {}, "pcm_s24le", {}, 2, "stereo", 48000,
        true};
    QCOMPARE(pcm->streams.value(0), stereo);
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
    const QByteArray movie = TestSupport::readFile(m_movie);
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

void TestMediaProbe::outputProblems_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("streams"); // of the output; "-" for an unreadable output
    QTest::addColumn<std::optional<double>>("expected"); // the input's or the kept range's
    QTest::addColumn<double>("output"); // its duration; negative for none
    QTest::addColumn<QString>("problem"); // "" for none; "!" starts a run whose input ended early

    const auto row = [](const char *tag, const char *target, const char *streams,
                        std::optional<double> expected, double output, const QString &problem) {
        QTest::newRow(tag) << target << streams << expected << output << problem;
    };
    const QString cut = "The converted file \"out\" plays 0.01 s";
    row("0.4 s short", "audio.wav", "video audio", 2.0, 1.6, "");
    row("4 % short of an hour", "video.mp4", "video audio", 3600.0, 3460.0, "");
    row("6 % short of a minute", "video.mp4", "video audio", 60.0, 56.4,
        "The converted file \"out\" plays 56.4 s, but \"in\" plays 60.0 s");
    row("a fuzzed input cut", "audio.wav", "video audio", 2.0, 0.013,
        cut + ", but \"in\" plays 2.00 s");
    row("the input ends early", "video.extract-audio", "video audio", 2.0, 0.013,
        "!" + cut + " of 2.00 s: \"in\" itself ends early");
    row("length unknown", "audio.wav", "video audio", {}, 0.013, "");
    // A damaged input from which ffmpeg encoded nothing (exiting with 0).
    row("no output from a damaged input", "audio.mp3", "-", 10.0, -1,
        "!\"in\" is damaged or cut short: nothing in it could be converted");
    row("no output", "audio.mp3", "-", 10.0, -1, "The converted file \"out\" cannot be read");
    row("no audio", "video.extract-audio", "video", 2.0, 2,
        "The converted file \"out\" has no audio");
    row("no video", "video.mkv", "audio", 2.0, 2, "The converted file \"out\" has no video");
    row("no picture", "image.jpg", "video", {}, -1, "The converted file \"out\" holds no picture");
    row("no duration", "video.webm", "video", {}, -1, "The converted file \"out\" has no duration");
}

void TestMediaProbe::outputProblems()
{
    QFETCH(QString, target);
    QFETCH(QString, streams);
    QFETCH(std::optional<double>, expected);
    QFETCH(double, output);
    QFETCH(QString, problem);
    ProbeResult probe;
    if (output >= 0)
        probe.duration = output;
    for (const QString &kind : streams.split(u' '))
        probe.streams.append({.codecType = kind});
    const bool early = problem.startsWith(u'!');
    QCOMPARE(reportsEarlyInputEnd("[mp3 @ 0x5] Invalid data found when processing input"), true);
    QCOMPARE(reportsEarlyInputEnd("Output file is empty, nothing was encoded"), true);
    QCOMPARE(reportsEarlyInputEnd("Stream #0:0 -> #0:0 (opus (native) -> pcm_s16le (native))"),
             false);
    const OutputCheckContext context {"out", "in", {}, expected, early};
    const auto read = streams == u"-" ? std::nullopt : std::optional(probe);
    QCOMPARE(outputProblem(read, *MediaTarget::fromId(target), context).value_or(""),
             problem.mid(early ? 1 : 0));
}

void TestMediaProbe::subtitleEncodings_data()
{
    QTest::addColumn<int>("cues");
    QTest::addColumn<int>("legacyFrom"); // cues from here on are Latin-1, those before UTF-8
    QTest::addColumn<bool>("utf16");
    QTest::newRow("UTF-8") << 50 << 50 << false;
    QTest::newRow("UTF-16 with a byte order mark") << 50 << 50 << true;
    QTest::newRow("UTF-8, one Latin-1 line") << 50 << 49 << false;
    QTest::newRow("UTF-8, Latin-1 past 4 MB") << 60100 << 60000 << false;
}

// Every cue arrives, read in the right character set; where ffmpeg drops
// some of a file that mixes character sets, the output check says so.
void TestMediaProbe::subtitleEncodings()
{
    QFETCH(int, cues);
    QFETCH(int, legacyFrom);
    QFETCH(bool, utf16);
    QByteArray text;
    for (int i = 0; i < cues; ++i) {
        const QTime start = QTime(0, 0).addMSecs(i * 100);
        text
            += QString("%1\n%2 --> %3\n")
                   .arg(i + 1)
                   .arg(start.toString("HH:mm:ss,zzz"), start.addMSecs(90).toString("HH:mm:ss,zzz"))
                   .toLatin1()
            + (i >= legacyFrom ? "Gr\xfc\xdf\x65" : "Grüße") + QByteArray(60, '.') + "\n\n";
    }
    if (utf16) {
        const QString decoded = QString::fromUtf8(text);
        text = "\xFF\xFE"
            + QByteArray(reinterpret_cast<const char *>(decoded.utf16()), decoded.size() * 2);
    }
    const bool mixed = legacyFrom > 0 && legacyFrom < cues;
    const QString in = m_dir.filePath("in.srt");
    QVERIFY(TestSupport::writeFile(in, text));
    std::optional<QString> charset;
    std::thread([&] { charset = legacyTextEncoding(in); }).join();
    QCOMPARE(subtitleCueCount(text, "srt"), cues);

    const QString out = m_dir.filePath("out.vtt");
    QStringList arguments {"-i", in};
    if (charset)
        arguments = QStringList {"-sub_charenc", *charset} + arguments;
    QVERIFY(TestSupport::makeMedia(out, arguments));
    const QByteArray converted = TestSupport::readFile(out);
    const int written = subtitleCueCount(converted, "vtt").value_or(-1);
    if (!mixed)
        QCOMPARE(QString::fromUtf8(converted).count(u"Grüße"), cues);
    QCOMPARE(written == cues, !mixed);
    QCOMPARE(cueProblem(cues, written, {"out.vtt", "in.srt"}).has_value(), written != cues);
}

QTEST_GUILESS_MAIN(TestMediaProbe)
#include "tst_mediaprobe.moc"
