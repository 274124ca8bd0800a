#include <QtTest>

#include <csignal>

#include "TestSupport.h"

class TestWatch final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyFileOnceWhenComplete();
};

void TestWatch::everyFileOnceWhenComplete()
{
    QTemporaryDir dir;
    const QString in = dir.filePath("in"), out = dir.filePath("in/out"); // outputs inside
    QVERIFY(QDir().mkpath(in + "/sub") && TestSupport::makeTone(in + "/before.wav"));
    QVERIFY(TestSupport::makeTone(dir.filePath("long.wav"), 300)
            && TestSupport::makeTone(dir.filePath("a.wav")));
    qputenv("XDG_DATA_HOME", dir.filePath("data").toUtf8()); // where converted files are noted
    QByteArray log; // every event of every run
    auto watch = [&](const std::function<void()> &meanwhile, const QByteArray &until, int times) {
        QProcess process;
        process.start(VIREO_CLI,
                      {"--json", "--watch", in, "-t", "audio.mp3", "-o", out, "--settle", "0.5"});
        QTRY_VERIFY((log += process.readAllStandardOutput()).contains("\"watching\""));
        meanwhile();
        QTRY_VERIFY_WITH_TIMEOUT((log += process.readAllStandardOutput()).count(until) == times,
                                 60000);
        ::kill(pid_t(process.processId()), SIGTERM);
        QVERIFY(process.waitForFinished(20000));
        log += process.readAllStandardOutput();
        QCOMPARE(process.exitCode(), 143);
    };
    const auto copyIn = [&] {
        QVERIFY(QFile::copy(dir.filePath("a.wav"), in + "/sub/copied.wav"));
        QVERIFY(TestSupport::writeFile(in + "/broken.wav", "RIFF....WAVEfmt not really"));
        const QByteArray tone = TestSupport::readFile(dir.filePath("a.wav"));
        QVERIFY(TestSupport::writeFile(in + "/gone.wav", tone)); // deleted while it waits
        QTest::qWait(200);
        QVERIFY(QFile::remove(in + "/gone.wav"));
        QFile slow(in + "/slow.wav"); // never still for the settle time until complete
        QVERIFY(slow.open(QIODevice::WriteOnly));
        for (qsizetype at = 0; at < tone.size(); at += 20000, QTest::qWait(200))
            QVERIFY(slow.write(tone.mid(at, 20000)) > 0 && slow.flush());
    };
    watch(copyIn, "slow.mp3\",\"status\":\"successful", 1);
    watch([] {}, "\"status\":\"failed", 2); // restarted: only the failure again
    QFile::remove(in + "/broken.wav");
    const QByteArray longStarted = "\"started\",\"input\":\"" + in.toUtf8() + "/long.wav"; // cancel
    watch([&] { QFile::copy(dir.filePath("long.wav"), in + "/long.wav"); }, longStarted, 1);
    watch([] {}, "long.mp3\",\"status\":\"successful", 1);
    QStringList started;
    for (const QRegularExpressionMatch &match :
         QRegularExpression(R"("started","input":"[^"]*/(\w+)\.)").globalMatch(log))
        started << match.captured(1);
    started.sort();
    QCOMPARE(started,
             QStringList({"before", "broken", "broken", "copied", "long", "long", "slow"}));
    QCOMPARE(TestSupport::files(out),
             QStringList({"before.mp3", "copied.mp3", "long.mp3", "slow.mp3"}));
    QVERIFY(qAbs(TestSupport::probe(out + "/slow.mp3")->duration.value_or(0) - 1.0) < 0.1);
}

QTEST_GUILESS_MAIN(TestWatch)
#include "tst_watch.moc"
