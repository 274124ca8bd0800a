#include "conversion/MicroDvdWriter.h"
#include "conversion/SafeOutput.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace SafeOutput;

class TestSafeOutput : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void sameFileSeesThroughSpellingsAndLinks();
    void temporaryNameIsHiddenAndKeepsExtension();
    void commitNeverReplacesWhenOverwriteIsOff();
    void commitReplacesAtomicallyWhenAllowed();
    void findsWriteErrors();
    void verifiesOutput();
    void writesMicroDvd();

private:
    static void write(const QString &path, const QByteArray &content)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    static QByteArray read(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
};

void TestSafeOutput::sameFileSeesThroughSpellingsAndLinks()
{
    QTemporaryDir dir;
    const QString input = dir.filePath("x.mkv");
    write(input, "movie");
    QDir().mkpath(dir.filePath("sub"));
    QVERIFY(QFile::link(input, dir.filePath("link.mkv")));
    QVERIFY(QFile::link(dir.path(), dir.filePath("sub/up")));

    QVERIFY(isSameFile(input, dir.path() + "/./x.mkv"));
    QVERIFY(isSameFile(input, dir.path() + "/sub/../x.mkv"));
    QVERIFY(isSameFile(input, dir.filePath("link.mkv")));
    QVERIFY(isSameFile(input, dir.filePath("sub/up/x.mkv")));
    QVERIFY(!isSameFile(input, dir.filePath("x.mp4")));
    // Not yet written outputs compare by their resolved folder.
    QCOMPARE(canonicalOutputPath(dir.filePath("sub/up/new.mp3")),
             QDir(dir.path()).canonicalPath() + "/new.mp3");
}

void TestSafeOutput::temporaryNameIsHiddenAndKeepsExtension()
{
    const QString temp = temporaryPathFor("/out/Song.final.mp3");
    QVERIFY(temp.startsWith("/out/.Song.final.vireo-"));
    QVERIFY(temp.endsWith(".mp3"));
    QVERIFY(temp != temporaryPathFor("/out/Song.final.mp3"));
}

void TestSafeOutput::commitNeverReplacesWhenOverwriteIsOff()
{
    QTemporaryDir dir;
    const QString final = dir.filePath("a.mp3");
    const QString temp = temporaryPathFor(final);
    write(temp, "new");
    write(final, "earlier output");
    QCOMPARE(commitOutput(temp, final, false), alreadyExistsMessage(final));
    QCOMPARE(read(final), QByteArray("earlier output"));
    QVERIFY(QFile::exists(temp)); // left for the caller to remove

    QFile::remove(final);
    QCOMPARE(commitOutput(temp, final, false), std::nullopt);
    QCOMPARE(read(final), QByteArray("new"));
    QVERIFY(!QFile::exists(temp));
}

void TestSafeOutput::commitReplacesAtomicallyWhenAllowed()
{
    QTemporaryDir dir;
    const QString final = dir.filePath("a.mp3");
    const QString temp = temporaryPathFor(final);
    write(final, "old");
    write(temp, "new");
    QCOMPARE(commitOutput(temp, final, true), std::nullopt);
    QCOMPARE(read(final), QByteArray("new"));
    QVERIFY(commitOutput(dir.filePath("missing"), final, true).has_value());
    QCOMPARE(read(final), QByteArray("new"));
}

void TestSafeOutput::findsWriteErrors()
{
    const QStringList log {
        "[mp3 @ 0x1] Estimating duration from bitrate",
        "[mp3 @ 0x1] Error writing trailer of /out/x.mp3: No space left on device",
        "Conversion failed!"};
    QCOMPARE(writeErrorIn(log), log.at(1));
    QCOMPARE(writeErrorIn({"all good"}), std::nullopt);
    QVERIFY(isWriteErrorLine("av_interleaved_write_frame(): Input/output error"));
}

void TestSafeOutput::verifiesOutput()
{
    QTemporaryDir dir;
    QVERIFY(verifyOutput(dir.filePath("none")).has_value());
    write(dir.filePath("empty"), "");
    QVERIFY(verifyOutput(dir.filePath("empty")).has_value());
    write(dir.filePath("ok"), "x");
    QCOMPARE(verifyOutput(dir.filePath("ok")), std::nullopt);
}

void TestSafeOutput::writesMicroDvd()
{
    const QString srt
        = QString::fromUtf8("\xEF\xBB\xBF"
                            "1\r\n00:00:01,000 --> 00:00:02,500\r\nHello\r\n"
                            "<i>World</i> {x}\r\n\r\n2\r\n00:01:00,000 --> 00:01:01,000\r\n"
                            "Bye\r\n");
    QCOMPARE(MicroDvdWriter::fromSrt(srt),
             QStringLiteral("{1}{1}23.976\n{24}{60}Hello|World (x)\n{1439}{1463}Bye\n"));
}

QTEST_GUILESS_MAIN(TestSafeOutput)
#include "tst_safeoutput.moc"
