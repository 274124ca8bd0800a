#include "tools/LineBuffer.h"

#include <QTest>

class TestLineBuffer : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void splitsLines_data();
    void splitsLines();
    void tailCountsGraphemesNotCodeUnits();
};

void TestLineBuffer::splitsLines_data()
{
    QTest::addColumn<QList<QByteArray>>("chunks");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("tail");

    QTest::newRow("split mid-line")
        << QList<QByteArray> {"frame=1\nfr", "ame=2\nprogress=con", "tinue"}
        << QStringList {"frame=1", "frame=2", "progress=continue"}
        << "frame=1\nframe=2\nprogress=continue\n";
    // "é" is C3 A9: the chunk boundary falls inside it.
    QTest::newRow("split inside UTF-8")
        << QList<QByteArray> {"caf\xC3", "\xA9\n"} << QStringList {QString::fromUtf8("café")}
        << QString::fromUtf8("café\n");
    QTest::newRow("CRLF") << QList<QByteArray> {"a\r\nb\r\n"} << QStringList {"a", "b"} << "a\nb\n";
    QTest::newRow("lone CR does not split")
        << QList<QByteArray> {"a\rb\n"} << QStringList {"a\rb"} << "a\rb\n";
    QTest::newRow("blank and space-only lines dropped")
        << QList<QByteArray> {"\n\n   \n\t\nx\n\n"} << QStringList {"x"} << "x\n";
    QTest::newRow("unicode spaces trimmed")
        << QList<QByteArray> {"\xC2\xA0x\xE2\x80\x83\n"} << QStringList {"x"} << "x\n";
    QTest::newRow("invalid UTF-8 line dropped") << QList<QByteArray> {"ok\n\xFF\xFE"
                                                                      "bad\nfine\n"}
                                                << QStringList {"ok", "fine"} << "ok\nfine\n";
    QTest::newRow("invalid UTF-8 remainder dropped")
        << QList<QByteArray> {"ok\n\xC3"} << QStringList {"ok"} << "ok\n";
    // Over-long: the start and the end, each cut between characters ("é" is
    // two bytes; the head's limit falls inside one, and so does the tail's).
    const QString e(32767, QChar(0xE9));
    QTest::newRow("over-long line keeps head and tail")
        << QList<QByteArray> {"a" + e.toUtf8() + e.toUtf8() + QString(4466, QChar(0xE9)).toUtf8(),
                              "z\nnext\n"}
        << QStringList {u'a' + e + u'…' + e + u'z', "next"}
        << QString(16377, QChar(0xE9)) + "z\nnext\n";
    // The handler gets a long line whole; the tail keeps the most recent
    // characters, cut mid-line if need be.
    QTest::newRow("tail keeps the end")
        << QList<QByteArray> {QByteArray(20000, 'x') + '\n', "last\n"}
        << QStringList {QString(20000, u'x'), "last"} << QString(16378, u'x') + "\nlast\n";
    QTest::newRow("value keeps inner spaces") << QList<QByteArray> {"speed=  1.2x  \n"}
                                              << QStringList {"speed=  1.2x"} << "speed=  1.2x\n";
}

void TestLineBuffer::splitsLines()
{
    QFETCH(QList<QByteArray>, chunks);
    QFETCH(QStringList, lines);
    QFETCH(QString, tail);

    QStringList seen;
    LineBuffer buffer([&](const QString &line) { seen << line; });
    for (const QByteArray &chunk : chunks)
        buffer.append(chunk);
    buffer.flush();
    QCOMPARE(seen, lines);
    QCOMPARE(buffer.tail(), tail);

    buffer.flush(); // a second flush has nothing left to give
    QCOMPARE(seen, lines);
}

void TestLineBuffer::tailCountsGraphemesNotCodeUnits()
{
    LineBuffer buffer({}, 4);
    // "e" + combining acute accent is one user-perceived character.
    buffer.append("ab\n");
    buffer.append("e\xCC\x81\n");
    QCOMPARE(buffer.tail(), QString::fromUtf8("b\ne\xCC\x81\n"));
}

QTEST_GUILESS_MAIN(TestLineBuffer)
#include "tst_linebuffer.moc"
