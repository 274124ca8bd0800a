#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <csignal>

#include "TestSupport.h"

// vireo-cli end to end: the built executable on generated media, with its
// own settings store.
class TestCli : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void convertsOnlyTheTargetsGroup();
    void dryRunPlansTheBuildersArguments();
    void presetByName();
    void takesEveryArgumentAsOnePath();
    void shardsAreTheWholeRun_data();
    void shardsAreTheWholeRun();
    void exitStatuses_data();
    void exitStatuses();
    void interruptCancelsCleanly_data();
    void interruptCancelsCleanly();
    void nextToTheOriginals_data();
    void nextToTheOriginals();

private:
    using Run = TestSupport::CliRun;
    Run run(const QStringList &arguments);

    QTemporaryDir m_dir;
    QString m_config;
    QString m_mixed;
};

void TestCli::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_config = m_dir.filePath("config");
    m_mixed = m_dir.filePath("mixed");
    QDir().mkpath(m_mixed + "/nested");
    QVERIFY(TestSupport::makeTone(m_mixed + "/one.wav", 0.5));
    QVERIFY(TestSupport::makeTone(m_mixed + "/nested/two.flac", 0.5));
    QVERIFY(TestSupport::makeMedia(
        m_mixed + "/clip.mkv",
        TestSupport::split("-f lavfi -i testsrc=size=160x120:rate=10:duration=1 -c:v mpeg4")));
    QVERIFY(TestSupport::writeFile(m_mixed + "/notes.txt", "not media\n"));
}

TestCli::Run TestCli::run(const QStringList &arguments)
{
    return TestSupport::runCli(arguments, {{"XDG_CONFIG_HOME", m_config}}, m_dir.path());
}

void TestCli::convertsOnlyTheTargetsGroup()
{
    const QString out = m_dir.filePath("mp3");
    const Run result
        = run({"--json", "-t", "audio.mp3", "-o", out, "--audio-bitrate", "128", m_mixed});
    QCOMPARE(result.status, 0);
    QStringList seen;
    for (const QJsonObject &event : result.events) {
        const QFileInfo file(event["output"].toString(event["input"].toString()));
        if (event["event"] != "started" && event["event"] != "progress")
            seen << (event["event"].toString() + ' ' + file.fileName() + ' '
                     + event["status"].toString())
                        .trimmed();
    }
    seen.sort();
    QCOMPARE(seen,
             (QStringList {"finished one.mp3 successful", "finished two.mp3 successful",
                           "skipped clip.mkv", "skipped notes.txt", "summary"}));
    QCOMPARE(result.events.last()["completed"].toInt(), 2);
    QCOMPARE(result.events.last()["skipped"].toInt(), 2);
    QCOMPARE(TestSupport::files(out), (QStringList {"one.mp3", "two.mp3"}));
    // Options hold for the run only: nothing was written to the settings.
    QVERIFY(!QFile::exists(m_config + "/Vireo/Vireo.conf"));
}

void TestCli::dryRunPlansTheBuildersArguments()
{
    const QString out = m_dir.filePath("plan");
    const Run result
        = run({"--json", "-n", "--no-hwaccel", "--no-overwrite", "-t", "video.webm", "--scale",
               "480p", "--trim-end", "00:00:01", "-o", out, m_mixed + "/clip.mkv"});
    QCOMPARE(result.status, 0);
    QCOMPARE(result.events.size(), 2);
    const QJsonObject planned = result.events.first();
    QCOMPARE(planned["event"].toString(), QStringLiteral("planned"));
    QCOMPARE(planned["group"].toString(), QStringLiteral("Video"));
    QCOMPARE(planned["output"].toString(), out + "/clip.webm");

    // The options given reach the builder.
    const QString arguments = planned["arguments"].toVariant().toStringList().join(u' ');
    QVERIFY2(arguments.contains("-to 00:00:01 -n -i") && arguments.contains("-vf scale=-2:480"),
             qPrintable(arguments));
    // The subfolders of a folder given are kept below the output folder.
    QStringList outputs;
    for (const QJsonObject &event :
         run({"--json", "-n", "--keep-structure", "-t", "audio.mp3", "-o", out, m_mixed}).events)
        outputs << event["output"].toString();
    QCOMPARE(outputs.filter(".mp3"), (QStringList {out + "/nested/two.mp3", out + "/one.mp3"}));
    QVERIFY(!QDir(out).exists()); // a dry run writes nothing
    // An output that is an input: the plan says that the job would refuse it.
    QStringList refused;
    for (const QJsonObject &event :
         run({"--json", "-n", "--keep-structure", "-t", "audio.wav", "-o", m_mixed, m_mixed})
             .events) {
        if (event.contains("problem"))
            refused << event["input"].toString();
    }
    QCOMPARE(refused, QStringList {m_mixed + "/one.wav"});
}

void TestCli::presetByName()
{
    const QString out = m_dir.filePath("preset");
    const Run result = run({"-q", "-p", "hi-fi (flac)", "-o", out, m_mixed + "/one.wav",
                            m_mixed + "/notes.txt", "missing.wav"});
    QCOMPARE(result.status, 0);
    QCOMPARE(QDir(out).entryList(QDir::Files), QStringList {"one.flac"});
    QVERIFY(result.out.contains("1 converted, 0 failed, 2 skipped"));
    // Quiet, yet a path that could not be read is named; a file of another kind is not.
    QVERIFY(result.out.contains("missing.wav: No such file or directory"));
    QVERIFY(!result.out.contains("notes.txt"));
}

void TestCli::takesEveryArgumentAsOnePath()
{
    // "file:…" is a file here, one file given twice converts once, names show escaped.
    const QString odd = "file:t\x1b]0;x\x07\n.wav";
    QVERIFY(QFile::copy(m_mixed + "/one.wav", m_dir.filePath(odd)));
    QStringList seen;
    for (const QJsonObject &event :
         run({"--json", "-n", "-t", "audio.mp3", "missing.wav", odd, m_mixed, m_mixed + "/one.wav"})
             .events)
        seen << event["event"].toString() + ' ' + QFileInfo(event["input"].toString()).fileName()
                + ' ' + event["reason"].toString();
    QCOMPARE(seen.filter("planned ").size(), 3);
    QVERIFY(seen.contains("planned " + odd + ' ')
            && seen.contains("skipped missing.wav No such file or directory"));
    const QByteArray text = run({"-n", "-t", "audio.mp3", odd}).out;
    QVERIFY(text.contains("t\\x1b]0;x\\x07\\n.wav") && !text.contains('\x1b'));
}

void TestCli::shardsAreTheWholeRun_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<QStringList>("options"); // "@tree": the input folder
    // songN.flac beside a different songN.mp3: every output is an input.
    QTest::newRow("inputs protected") << "pairs" << QStringList {"-o", "@tree"};
    // Eight folders with 01.flac, one output folder.
    QTest::newRow("same output twice") << "twins" << QStringList {"-o", "@tree/out"};
    // Files and links to them: each file once.
    QTest::newRow("links") << "links" << QStringList {"-o", "@tree/out"};
    QTest::newRow("structure kept")
        << "twins" << QStringList {"--keep-structure", "-o", "@tree/out"};
}

void TestCli::shardsAreTheWholeRun()
{
    QFETCH(QString, layout);
    QFETCH(QStringList, options);
    const QString tone = m_dir.filePath("short.flac");
    QVERIFY(QFile::exists(tone) || TestSupport::makeTone(tone, 0.2));
    const auto make = [&](const QString &tree) {
        for (int i = 0; i < 12; ++i) {
            const QString n = QString::number(i);
            const QString file = layout == "twins"
                ? QStringLiteral("%1/d%2/01.flac").arg(tree).arg(i % 8)
                : QStringLiteral("%1/song%2.flac").arg(tree, n);
            QDir().mkpath(QFileInfo(file).path());
            QFile::copy(tone, file);
            if (layout == "pairs")
                TestSupport::writeFile(tree + "/song" + n + ".mp3", "the user's own " + n.toUtf8());
            if (layout == "links")
                QFile::link(file, tree + "/link" + n + ".flac");
        }
    };
    // The counts of a run's summary, and every file of its tree with its size.
    const auto outcome = [](const QList<QJsonObject> &summaries, const QString &tree) {
        QStringList lines;
        for (const char *field : {"completed", "failed", "skipped"}) {
            int sum = 0;
            for (const QJsonObject &summary : summaries)
                sum += summary[field].toInt();
            lines << QStringLiteral("%1 %2").arg(field).arg(sum);
        }
        QDirIterator files(tree, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QFileInfo file(files.next());
            lines << file.filePath().mid(tree.size()) + ' ' + QString::number(file.size());
        }
        lines.sort();
        return lines;
    };
    const QString whole = m_dir.filePath(QTest::currentDataTag() + QStringLiteral("/whole"));
    const QString split = m_dir.filePath(QTest::currentDataTag() + QStringLiteral("/split/tree"));
    make(whole);
    make(split);
    const auto arguments = [&](const QString &tree) {
        return QStringList {"--json", "-t", "audio.mp3", tree}
        + QStringList(options).replaceInStrings("@tree", tree);
    };
    const Run unsharded = run(arguments(whole));
    // Three parts at once, as on three machines sharing the folder.
    std::array<QProcess, 3> parts;
    for (int k = 0; k < 3; ++k)
        TestSupport::startCli(parts[k],
                              arguments(split) << QStringLiteral("--shard=%1/3").arg(k + 1),
                              {{"XDG_CONFIG_HOME", m_config}});
    QList<QJsonObject> summaries;
    for (QProcess &part : parts) {
        QVERIFY(part.waitForFinished(120000));
        summaries << TestSupport::cliEvents(part.readAllStandardOutput()).last();
    }
    QCOMPARE(outcome(summaries, split), outcome({unsharded.events.last()}, whole));
}

void TestCli::exitStatuses_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    // The command line as typed, "@" names filled in by the test.
    const auto row = [](const QString &tag, const QString &arguments, int status) {
        QTest::newRow(qPrintable(tag)) << arguments.split(u' ') << status;
    };
    row("unknown target", "-t audio.mp5 x", 2);
    row("unknown preset", "-p nope x", 2);
    row("no input", "-t audio.mp3", 2);
    row("bad option", "--frobnicate", 2);
    row("nothing to convert", "-t subtitle.srt @mixed", 2);
    row("a failed file", "-t audio.mp3 -o @out @broken", 1);
    row("list targets", "--list-targets", 0);
    row("next to source and -o", "--next-to-source -o @out -t audio.mp3 @mixed", 2);
    row("next to source and watch", "--next-to-source --watch @mixed -t audio.mp3", 2);
    row("json lists", "--json --list-targets --list-presets", 0);
    for (const QString bitrate : {"32", "500"}) // below and above what the encoders take
        row("bitrate " + bitrate, "-t audio.mp3 --audio-bitrate " + bitrate + " @mixed", 2);
    row("format with a path", "-t video.extract-audio --audio-format mp3/../../x.mp3 @mixed", 2);
    for (const QString shard : {"0/3", "4/3", "x", "1/0", "1/3/5"})
        row("shard " + shard, "--shard " + shard + " -t audio.mp3 x", 2);
    for (const QString trim : {"--trim-start=1:2:3:4", "--trim-end=soon", "--trim-end=0:01"})
        row(trim, "--trim-start=1 " + trim + " -t audio.mp3 @mixed", 2);
    for (const QString level : {"--normalize=-3", "--normalize=loud", "--normalize="})
        row(level, level + " -t audio.mp3 x", 2);
}

void TestCli::exitStatuses()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    const QString broken = m_dir.filePath("broken.wav");
    QVERIFY(TestSupport::writeFile(broken, QByteArray(2048, '\0'))); // text would be no audio
    arguments.replaceInStrings("@mixed", m_mixed);
    arguments.replaceInStrings("@out", m_dir.filePath("statuses"));
    arguments.replaceInStrings("@broken", broken);
    const Run result = run(arguments);
    QCOMPARE(result.status, status);
    if (QTest::currentDataTag() == QByteArray("list targets"))
        QCOMPARE(result.out.count('\n'), 28);
    if (status == 1) // the cause, naming the user's file
        QVERIFY2(result.out.contains(broken.toUtf8() + ": Invalid data"), result.out);
    if (arguments.contains("--json")) // every line one object
        QCOMPARE(result.events.size(), result.out.count('\n'));
}

void TestCli::interruptCancelsCleanly_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("waitFor"); // on standard output before the signal
    QTest::addColumn<QByteArray>("fakeFFmpeg"); // FAKETOOL_ACTIONS, or the real ffmpeg

    const QString slow = m_dir.filePath("slow");
    QDir().mkpath(slow);
    const QStringList movie = TestSupport::split(
        "-f lavfi -i testsrc2=size=1280x720:rate=30:duration=20 -c:v mpeg4 -q:v 3");
    for (int i = 0; i < 3; ++i)
        QVERIFY(TestSupport::makeMedia(slow + QStringLiteral("/movie%1.mkv").arg(i), movie));
    QDir().mkpath(m_dir.filePath("big"));
    QVERIFY(TestSupport::makeMedia(
        m_dir.filePath("big/big.png"),
        TestSupport::split("-f lavfi -i testsrc2=size=7000x7000 -frames:v 1")));
    QTest::newRow("converting video")
        << QStringList {"--no-hwaccel", "-j", "2", "-t", "video.mp4", slow}
        << QByteArray("\"progress\"") << QByteArray();
    QTest::newRow("image in libvips") << QStringList {"-t", "image.webp", m_dir.filePath("big")}
                                      << QByteArray("\"started\"") << QByteArray();
    QTest::newRow("dry run, hardware detection hangs")
        << QStringList {"-n", "-t", "video.mp4", slow + "/movie0.mkv"} << QByteArray()
        << QByteArray("--hang");
}

void TestCli::interruptCancelsCleanly()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, waitFor);
    QFETCH(QByteArray, fakeFFmpeg);
    const QString out = m_dir.filePath("interrupted");
    QHash<QString, QString> variables {{"XDG_CONFIG_HOME", m_config}};
    if (!fakeFFmpeg.isEmpty())
        variables.insert(
            {{"VIREO_FFMPEG", TestSupport::fakeTool()}, {"FAKETOOL_ACTIONS", fakeFFmpeg}});
    QProcess process;
    TestSupport::startCli(process, QStringList {"--json", "-o", out} + arguments, variables);
    QByteArray seen;
    if (waitFor.isEmpty())
        QTest::qWait(1500); // nothing is printed while the hardware is tried
    else
        QTRY_VERIFY_WITH_TIMEOUT((seen += process.readAllStandardOutput()).contains(waitFor),
                                 30000);
    ::kill(pid_t(process.processId()), SIGINT);
    QVERIFY(process.waitForFinished(20000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 130);
    const QList<QJsonObject> events
        = TestSupport::cliEvents(seen + process.readAllStandardOutput());
    QVERIFY(!events.isEmpty());
    QCOMPARE(events.last()["event"].toString(), QStringLiteral("summary"));
    QCOMPARE(events.last()["failed"].toInt(), 0); // cancelled or never started, not failed
    QCOMPARE(TestSupport::files(out),
             QStringList()); // no output, partial or temporary file
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"

void TestCli::nextToTheOriginals_data()
{
    // What became of each file of folders a and b (read-only), in two runs to MP3.
    QTest::addColumn<QString>("secondRun");
    QTest::addColumn<QString>("second");
    QTest::newRow("overwrite") << "--overwrite"
                               << "a.flac ok,a.mp3 skipped,b.flac failed";
    QTest::newRow("earlier output kept") << "--no-overwrite"
                                         << "a.flac failed,a.mp3 skipped,b.flac failed";
}

void TestCli::nextToTheOriginals()
{
    QFETCH(QString, secondRun);
    QFETCH(QString, second);
    QString first = "a.flac ok,b.flac failed";
    QTemporaryDir root(m_dir.filePath("next-XXXXXX"));
    const QString a = root.filePath("a"), b = root.filePath("b");
    QVERIFY(QDir().mkpath(a) && QDir().mkpath(b));
    QVERIFY(TestSupport::makeTone(a + "/a.flac", 0.3) && TestSupport::makeTone(b + "/b.flac", 0.3));
    QFile::setPermissions(b, QFile::ReadOwner | QFile::ExeOwner);
    if (QFileInfo(b).isWritable()) { // root: b is like a
        first.replace("b.flac failed", "b.flac ok");
        second.replace("b.flac failed",
                       "b." + second.section(u',', 0, 0).mid(2) + ",b.mp3 skipped");
    }
    const auto outcomes = [&](const QString &option) {
        QStringList seen;
        for (const QJsonObject &event :
             run({"--json", "--next-to-source", option, "-t", "audio.mp3", a, b}).events) {
            const QFileInfo input(event["input"].toString());
            QString status = event["status"].toString(event["event"].toString());
            if (status == u"failed" // the reason names the user's file
                && !event["error"].toString().contains(input.path() + u'/' + input.baseName()))
                seen << event["error"].toString();
            if (status != u"started" && status != u"progress" && status != u"summary")
                seen << input.fileName() + u' ' + status.replace("successful", "ok");
        }
        seen.sort();
        return seen.join(u',');
    };
    QCOMPARE(outcomes("--overwrite"), first);
    QCOMPARE(outcomes(secondRun), second);
    QCOMPARE(TestSupport::files(a), (QStringList {"a.flac", "a.mp3"}));
    QFile::setPermissions(b, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
