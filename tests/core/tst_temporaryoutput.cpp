// The hidden temporary outputs: names that fit where the final name fits,
// and leftovers of runs that were killed, swept by the next run.
#include "conversion/SafeOutput.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

#include "TestSupport.h"

using namespace SafeOutput;

namespace {

// Gone, or a zombie that nobody reaped: either way it runs no more.
bool isGone(const QByteArray &pid)
{
    QFile stat("/proc/" + pid + "/stat");
    return !stat.open(QIODevice::ReadOnly) || stat.readAll().split(')').last().trimmed()[0] == 'Z';
}

const char *const fakeFFmpeg = R"(#!/bin/sh
for last; do :; done
echo converted > "$last"
[ -n "$HANG" ] && echo $$ > "$HANG" && exec "$FAKETOOL" --hang
exit 0
)";

} // namespace

class TestTemporaryOutput : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void nameFitsWhereTheFinalNameFits_data();
    void nameFitsWhereTheFinalNameFits();
    void sweepRemovesOnlyOrphans_data();
    void sweepRemovesOnlyOrphans();
    void killedRunLeavesNothingBehind();
    void largeBatchWaitsForDescriptors();

private:
    QProcess *cli(const QStringList &arguments, const QString &hangPidFile = {},
                  int descriptors = 0);

    QTemporaryDir m_dir;
};

void TestTemporaryOutput::nameFitsWhereTheFinalNameFits_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("short") << "Song.mp3";
    QTest::newRow("255 bytes") << QString(251, u'a') + ".mp3";
    QTest::newRow("two-byte characters at the cut") << u'a' + QString(125, QChar(0xE9)) + ".mp4";
    QTest::newRow("four-byte characters")
        << QString::fromUtf8("\xF0\x9F\x8E\xB5").repeated(62) + ".flac";
    QTest::newRow("no extension") << QString(255, u'b');
}

void TestTemporaryOutput::nameFitsWhereTheFinalNameFits()
{
    QFETCH(QString, name);
    const QString temporary = temporaryPathFor(m_dir.filePath(name));
    const QString temporaryName = QFileInfo(temporary).fileName();
    QVERIFY(temporaryName.startsWith(u'.'));
    if (const QString suffix = QFileInfo(name).suffix(); !suffix.isEmpty())
        QCOMPARE(QFileInfo(temporary).suffix(), suffix);
    const QByteArray bytes = QFile::encodeName(temporaryName);
    QCOMPARE(QString::fromUtf8(bytes).toUtf8(), bytes); // no character cut in two
    QVERIFY(bytes.size() <= std::max<qsizetype>(name.toUtf8().size(), 64));
    QVERIFY2(TestSupport::writeFile(temporary, "x"), qPrintable(temporary));
    QVERIFY(commitOutput(temporary, m_dir.filePath(name), true) == std::nullopt);
}

void TestTemporaryOutput::sweepRemovesOnlyOrphans_data()
{
    // Ours: .x.vireo-<scope>-<pid>-<start>-<random>.mp3
    const QString live = QFileInfo(temporaryPathFor("/out/x.mp3")).fileName();
    const QStringList parts = live.split(QRegularExpression(QStringLiteral("[-.]")));
    const QString scope = parts.at(3), pid = parts.at(4), start = parts.at(5);
    const auto name = [&](const QString &scopeOf, const QString &pidOf, const QString &startOf) {
        return QStringLiteral(".x.vireo-%1-%2-%3-0123abcd").arg(scopeOf, pidOf, startOf);
    };
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("removed");
    QTest::newRow("this run") << live << false;
    QTest::newRow("owner gone") << name(scope, "99999999", start) + ".mp3" << true;
    QTest::newRow("owner gone, no extension") << name(scope, "99999999", start) << true;
    QTest::newRow("id of a later process") << name(scope, pid, start + "1") + ".mp4" << true;
    QTest::newRow("another machine") << name("00000000", "99999999", start) + ".mp3" << false;
    QTest::newRow("older name without owner") << ".x.vireo-1a2b3c4d.mp3" << false;
    QTest::newRow("not hidden") << name(scope, "99999999", start).mid(1) + ".mp3" << false;
    QTest::newRow("more after it") << name(scope, "99999999", start) + ".mp3.part" << false;
    QTest::newRow("the user's file") << "x.mp3" << false;
}

void TestTemporaryOutput::sweepRemovesOnlyOrphans()
{
    QFETCH(QString, name);
    QFETCH(bool, removed);
    QTemporaryDir folder;
    QVERIFY(TestSupport::writeFile(folder.filePath(name), "x"));
    QCOMPARE(removeStaleTemporaries(folder.path()), removed ? 1 : 0);
    QCOMPARE(QFile::exists(folder.filePath(name)), !removed);
}

QProcess *TestTemporaryOutput::cli(const QStringList &arguments, const QString &hangPidFile,
                                   int descriptors)
{
    const QString script = m_dir.filePath("ffmpeg-wrapper");
    if (!QFile::exists(script)) {
        TestSupport::writeFile(script, fakeFFmpeg);
        QFile::setPermissions(script, QFile::ReadOwner | QFile::ExeOwner);
    }
    auto *process = new QProcess(this);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("VIREO_FFMPEG", script);
    environment.insert("FAKETOOL", TestSupport::fakeTool());
    environment.insert("HANG", hangPidFile);
    process->setProcessEnvironment(environment);
    if (descriptors > 0) {
        process->setChildProcessModifier([descriptors] {
            const rlimit limit {rlim_t(descriptors), rlim_t(descriptors)};
            ::setrlimit(RLIMIT_NOFILE, &limit);
        });
    }
    process->start(QStringLiteral(VIREO_CLI), QStringList {"-q", "-t", "subtitle.srt"} + arguments);
    return process;
}

void TestTemporaryOutput::killedRunLeavesNothingBehind()
{
    QTemporaryDir in, out;
    QVERIFY(TestSupport::writeFile(in.filePath("a.srt"), "1\n00:00:01,000 --> 00:00:02,000\nHi\n"));
    const QString pidFile = in.filePath("tool.pid");
    QProcess *run = cli({"-o", out.path(), in.filePath("a.srt")}, pidFile);
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(pidFile).size() > 0, 30000);
    ::kill(pid_t(run->processId()), SIGKILL);
    QVERIFY(run->waitForFinished());
    QFile file(pidFile);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray toolPid = file.readAll().trimmed();
    QTRY_VERIFY(isGone(toolPid)); // the tool ended with vireo-cli
    const QDir::Filters hidden = QDir::Files | QDir::Hidden;
    QCOMPARE(QDir(out.path()).entryList(hidden).size(), 1); // its temporary file

    run = cli({"-o", out.path(), in.filePath("a.srt")});
    QVERIFY(run->waitForFinished(60000));
    QCOMPARE(run->exitCode(), 0);
    QCOMPARE(QDir(out.path()).entryList(hidden), QStringList {"a.srt"});
}

void TestTemporaryOutput::largeBatchWaitsForDescriptors()
{
    // 150 jobs at once under a hard limit of 128 descriptors: more than the
    // pipes allow, so they must take turns instead of failing.
    QTemporaryDir in, out;
    QStringList files;
    for (int i = 0; i < 150; ++i) {
        files << in.filePath(QStringLiteral("s%1.srt").arg(i));
        QVERIFY(TestSupport::writeFile(files.last(), "1\n00:00:01,000 --> 00:00:02,000\nHi\n"));
    }
    QProcess *run = cli(QStringList {"-j", "150", "-o", out.path()} + files, {}, 128);
    QVERIFY(run->waitForFinished(120000));
    QCOMPARE(run->exitCode(), 0);
    QCOMPARE(QDir(out.path()).entryList(QDir::Files | QDir::Hidden).size(), 150);
}

QTEST_GUILESS_MAIN(TestTemporaryOutput)
#include "tst_temporaryoutput.moc"
