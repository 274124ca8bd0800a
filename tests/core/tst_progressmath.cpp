#include "conversion/BatchSettings.h"
#include "conversion/ProgressMath.h"

#include <QTest>

using namespace ProgressMath;

class TestProgressMath : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void overall();
    void line();
};

void TestProgressMath::overall()
{
    QCOMPARE(overallProgress({10, 3, 1}, 0.5 + 0.5), 0.5);
    QCOMPARE(overallProgress({0, 0, 0}, 0.7), 0.0);
    QCOMPARE(overallProgress({2, 2, 0}, 0.9), 1.0); // never past the end
    // One file: on the scale whatever the tool or the probe says.
    QCOMPARE(fileProgress(3.0, 12.0), 0.25);
    QCOMPARE(fileProgress(-2e8, 0.001), 0.0);
    QCOMPARE(fileProgress(9.0, 2.0), 1.0);
    for (double duration : {0.0, -1.0, qQNaN(), qInf()})
        QCOMPARE(fileProgress(1.0, duration), std::nullopt);
    // A trimmed file's bar fills over the kept range, bounded by the file.
    const auto kept = [](const char *start, const char *end, std::optional<double> duration) {
        return BatchSettings {true, start, end}.keptDuration(duration);
    };
    QCOMPARE(kept("1:30", "00:02:00.5", 600.0), 30.5);
    QCOMPARE(kept("90", "", 100.0), 10.0);
    QCOMPARE(kept("", "200", 100.0), 100.0);
    QCOMPARE(kept("1500ms", "2.5s", 100.0), 1.0);
    for (const char *unreadable : {"1:x", "1:30s", "nan", "-inf"})
        QCOMPARE(kept(unreadable, "", 100.0), std::nullopt);
    QCOMPARE((BatchSettings {true, " soon ", "2"}.trimProblem()),
             QStringLiteral("\"soon\" is not a time: use seconds or HH:MM:SS"));
    QCOMPARE((BatchSettings {false, "9", "2"}.trimProblem()), std::nullopt);
}

void TestProgressMath::line()
{
    // An estimate only from a few seconds and a few percent in.
    QCOMPARE(timeLine(20, estimateRemaining(20, 0.5), true),
             QStringLiteral("Elapsed 0:20  ·  ETA 0:20"));
    QCOMPARE(timeLine(1.5, estimateRemaining(1.5, 0.5), true), QStringLiteral("Elapsed 0:02"));
    QCOMPARE(timeLine(30, estimateRemaining(30, 0.02), true), QStringLiteral("Elapsed 0:30"));
    QCOMPARE(timeLine(30, estimateRemaining(30, 1.0), true),
             QStringLiteral("Elapsed 0:30  ·  ETA 0:00"));
    QCOMPARE(timeLine(3665, 59.5, true), QStringLiteral("Elapsed 1:01:05  ·  ETA 1:00"));
    QCOMPARE(timeLine(3600, 65.0, true), QStringLiteral("Elapsed 1:00:00  ·  ETA 1:05"));
    QCOMPARE(timeLine(0, std::nullopt, true), QStringLiteral("Elapsed 0:00"));
    QCOMPARE(timeLine(41, 3.0, false), QStringLiteral("Elapsed 0:41  ·  Finishing…"));
}

QTEST_GUILESS_MAIN(TestProgressMath)
#include "tst_progressmath.moc"
