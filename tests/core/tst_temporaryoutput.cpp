// Hidden temporary outputs: names that fit where the final name fits, and
// the leftovers of killed runs, swept by the next run.
#include "conversion/SafeOutput.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

#include "TestSupport.h"

using namespace SafeOutput;

class TestTemporaryOutput : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void nameFits_data();
    void nameFits();
    void sweepRemovesOnlyOrphans_data();
    void sweepRemovesOnlyOrphans();
    void killedRunLeavesNothingBehind();
};

void TestTemporaryOutput::nameFits_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("short") << "Song.mp3";
    QTest::newRow("255 bytes") << QString(251, u'a') + ".mp3";
    QTest::newRow("cut inside a character") << u'a' + QString(125, QChar(0xE9)) + ".mp4";
    QTest::newRow("four-byte characters")
        << QString::fromUtf8("\xF0\x9F\x8E\xB5").repeated(62) + ".flac";
    QTest::newRow("no extension") << QString(255, u'b');
}

void TestTemporaryOutput::nameFits()
{
    QFETCH(QString, name);
    QTemporaryDir dir;
    const QString temporary = temporaryPathFor(dir.filePath(name));
    const QByteArray bytes = QFile::encodeName(QFileInfo(temporary).fileName());
    QCOMPARE(QString::fromUtf8(bytes).toUtf8(), bytes); // no character cut in two
    QVERIFY(bytes.startsWith('.') && bytes.size() <= std::max<qsizetype>(name.toUtf8().size(), 64));
    QVERIFY(temporary.endsWith(name.sliced(name.lastIndexOf(u'.') + 1)) || !name.contains(u'.'));
    QVERIFY2(TestSupport::writeFile(temporary, "x"), qPrintable(temporary)); // really fits
}

void TestTemporaryOutput::sweepRemovesOnlyOrphans_data()
{
    // Ours: .x.vireo-<scope>-<pid>-<start>-<random>.mp3
    const QString live = QFileInfo(temporaryPathFor("/out/x.mp3")).fileName();
    const QStringList parts = live.split(u'-');
    const auto name = [&](const QString &scope, const QString &pid, const QString &start) {
        return QStringLiteral(".x.vireo-%1-%2-%3-0123abcd.mp3").arg(scope, pid, start);
    };
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("removed");
    QTest::newRow("this run") << live << false;
    QTest::newRow("owner gone") << name(parts[1], "99999999", parts[3]) << true;
    QTest::newRow("id now another process's") << name(parts[1], parts[2], parts[3] + '1') << true;
    QTest::newRow("another machine") << name("00000000", "99999999", parts[3]) << false;
    QTest::newRow("older name, no owner") << ".x.vireo-1a2b3c4d.mp3" << false;
    QTest::newRow("more after it") << name(parts[1], "99999999", parts[3]) + ".part" << false;
}

void TestTemporaryOutput::sweepRemovesOnlyOrphans()
{
    QFETCH(QString, name);
    QFETCH(bool, removed);
    QTemporaryDir folder;
    QVERIFY(TestSupport::writeFile(folder.filePath(name), "x"));
    QCOMPARE(removeStaleTemporaries(folder.path()), int(removed));
    QCOMPARE(QFile::exists(folder.filePath(name)), !removed);
}

void TestTemporaryOutput::killedRunLeavesNothingBehind()
{
    // ffmpeg writes its output, then hangs while $HANG names a file for its pid.
    QTemporaryDir dir;
    const QString script = dir.filePath("ffmpeg"), pidFile = dir.filePath("pid");
    QVERIFY(
        TestSupport::writeFile(script,
                               "#!/bin/sh\nfor last; do :; done; echo x > \"${last#file:}\"\n"
                               "[ -z \"$HANG\" ] || { echo $$ > \"$HANG\"; exec sleep 600; }\n"));
    QFile::setPermissions(script, QFile::ReadOwner | QFile::ExeOwner);
    QVERIFY(
        TestSupport::writeFile(dir.filePath("a.srt"), "1\n00:00:01,000 --> 00:00:02,000\nHi\n"));
    QDir(dir.path()).mkdir("out");
    qputenv("VIREO_FFMPEG", QFile::encodeName(script));
    const auto start = [&](const QString &hang) {
        qputenv("HANG", QFile::encodeName(hang));
        auto *cli = new QProcess(this);
        cli->start(VIREO_CLI,
                   {"-q", "-t", "subtitle.srt", "-o", dir.filePath("out"), dir.filePath("a.srt")});
        return cli;
    };
    const auto listing = [&] {
        return QDir(dir.filePath("out")).entryList(QDir::Files | QDir::Hidden);
    };
    QProcess *cli = start(pidFile);
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(pidFile).size() > 0, 30000);
    ::kill(pid_t(cli->processId()), SIGKILL);
    QFile file(pidFile);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray toolPid = file.readAll().trimmed();
    QTRY_VERIFY(TestSupport::isGone(toolPid)); // it ended with vireo-cli
    QCOMPARE(listing().size(), 1); // the temporary file

    cli = start({});
    QVERIFY(cli->waitForFinished(60000));
    QCOMPARE(cli->exitCode(), 0);
    QCOMPARE(listing(), QStringList {"a.srt"}); // swept, and written
}

QTEST_GUILESS_MAIN(TestTemporaryOutput)
#include "tst_temporaryoutput.moc"
