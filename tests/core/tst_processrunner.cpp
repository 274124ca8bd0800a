#include "tools/ProcessRunner.h"

#include <QTest>

#include <algorithm>
#include <memory>
#include <sys/resource.h>

#include "TestSupport.h"

using TestSupport::fakeTool;
using TestSupport::waitFor;

class TestProcessRunner : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup();
    void separatesStreamsAndKeepsTails();
    void noShellAndNoInput();
    void cancelTerminatesAndStillReports();
    void wrapperAndItsToolStop_data();
    void wrapperAndItsToolStop();
};

void TestProcessRunner::cleanup()
{
    QVERIFY2(TestSupport::liveChildren().isEmpty(), "a child process was left running");
}

void TestProcessRunner::separatesStreamsAndKeepsTails()
{
    QStringList out, err;
    std::unique_ptr<ProcessRun> run(runProcess(
        fakeTool(), {"--stderr", "bad thing\\nworse thing\\n", "--exit", "1"},
        [&](const QString &line) { out << line; }, [&](const QString &line) { err << line; }));
    QVERIFY(waitFor(run.get()));
    QVERIFY(!run->error());
    QCOMPARE(run->result().exitCode, 1);
    QCOMPARE(run->result().stdoutTail, QString());
    QCOMPARE(run->result().stderrTail, QStringLiteral("bad thing\nworse thing\n"));
    QVERIFY(out.isEmpty());
    QCOMPARE(err, (QStringList {"bad thing", "worse thing"}));

    // Without callbacks the tails are still collected; an unterminated last
    // line arrives at the flush.
    run.reset(runProcess(fakeTool(), {"--stdout", "a\\nb"}));
    QVERIFY(waitFor(run.get()));
    QCOMPARE(run->result().stdoutTail, QStringLiteral("a\nb\n"));
}

void TestProcessRunner::noShellAndNoInput()
{
    // No shell: quotes, globs and variables arrive as typed.
    const QStringList arguments {"$HOME", "*", "a b", "'q'", ";true"};
    std::unique_ptr<ProcessRun> run(runProcess(QStringLiteral("/bin/echo"), arguments));
    QVERIFY(waitFor(run.get(), 5000));
    QCOMPARE(run->result().stdoutTail, arguments.join(u' ') + u'\n');
    // cat copies standard input: with the null device it ends at once.
    run.reset(runProcess(QStringLiteral("/bin/cat"), {}));
    QVERIFY(waitFor(run.get(), 5000));
    QCOMPARE(run->result().exitCode, 0);
    QCOMPARE(run->result().stdoutTail, QString());
}

void TestProcessRunner::cancelTerminatesAndStillReports()
{
    std::unique_ptr<ProcessRun> run(runProcess(fakeTool(), {"--stdout", "started\\n", "--hang"}));
    QTRY_COMPARE(TestSupport::liveChildren().size(), 1);
    // A tool runs below the caller's priority, but only once it runs: start()
    // waits for its exec.
    QCOMPARE(::getpriority(PRIO_PROCESS, TestSupport::liveChildren().first().toUInt()),
             std::min(::getpriority(PRIO_PROCESS, 0) + 10, 19));
    QTest::qWait(100);
    run->cancel();
    QVERIFY(waitFor(run.get(), 4000)); // well before the kill grace period
    QVERIFY(!run->error());
    QCOMPARE(run->result().exitCode, 15);
    QCOMPARE(run->result().stdoutTail, QStringLiteral("started\n"));

    // Cancelled before its start is even confirmed, the child goes all the same.
    run.reset(runProcess(fakeTool(), {"--hang"}));
    run->cancel();
    QVERIFY(waitFor(run.get(), 4000));
    QCOMPARE(run->result().exitCode, 15);
}

void TestProcessRunner::wrapperAndItsToolStop_data()
{
    QTest::addColumn<bool>("deleteOwner"); // else cancel

    QTest::newRow("cancel") << false;
    QTest::newRow("owner deleted mid-run") << true;
}

void TestProcessRunner::wrapperAndItsToolStop()
{
    QFETCH(bool, deleteOwner);
    // A wrapper that runs the tool without exec: the tool is its child.
    QByteArray toolPid;
    std::unique_ptr<ProcessRun> run(
        runProcess(QStringLiteral("/bin/sh"), {"-c", "sleep 600 & echo $!; wait"},
                   [&](const QString &line) { toolPid = line.toLatin1(); }));
    QTRY_VERIFY(!toolPid.isEmpty());
    if (deleteOwner) {
        run.reset();
    } else {
        run->cancel();
        QVERIFY(waitFor(run.get(), 4000));
    }
    QTRY_VERIFY(TestSupport::isGone(toolPid));
    QCOMPARE(TestSupport::liveChildren().size(), 0);
}

QTEST_GUILESS_MAIN(TestProcessRunner)
#include "tst_processrunner.moc"
