#include "conversion/LoudnessMeasurement.h"
#include "conversion/MediaJob.h"
#include "settings/Preferences.h"
#include "tools/ProcessRunner.h"
#include "tools/ToolLocator.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "TestSupport.h"

// Loudness normalisation: reading ebur128's summary, and real files brought
// to the level by both passes.
class TestLoudness : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void readsReports_data();
    void readsReports();
    void normalizesFiles_data();
    void normalizesFiles();

private:
    QTemporaryDir m_dir;
};

void TestLoudness::readsReports_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    // The input's audio is its second stream; the output's rate must not count.
    const QString report = R"(  Stream #0:0: Video: h264, yuv420p, 320x240
  Stream #0:1(eng): Audio: aac (LC), 48000 Hz, stereo, fltp (default)
Stream mapping:
  Stream #0:0: Audio: pcm_s16le, 192000 Hz, stereo, s16
[Parsed_ebur128_0 @ 0x564b38105200] Summary:

  Integrated loudness:
    I:         %1 LUFS
    Threshold: -37.6 LUFS

  Loudness range:
    LRA:         3.2 LU
    Threshold: -47.6 LUFS

  True peak:
    Peak:      %2 dBFS)";
    const QString block = report.mid(report.indexOf("[Parsed"));
    // To -16 LUFS: a gain that keeps the peak under -1.5 dBTP is a plain volume.
    QTest::newRow("report") << report.arg("-27.6", "-20.1")
                            << "-27.60 -20.10 3.20 -37.60 48000 volume";
    QTest::newRow("gain would clip")
        << report.arg("-27.6", "-3.0") << "-27.60 -3.00 3.20 -37.60 48000 loudnorm";
    QTest::newRow("silence") << report.arg("-70.0", "-inf") << "-inf -inf 3.20 -37.60 48000 silent";
    QTest::newRow("last summary, no rate") << block.arg("-1", "-1") + '\n' + block.arg("-30", "-20")
                                           << "-30.00 -20.00 3.20 -37.60 0 volume";
    QTest::newRow("not a number") << report.arg("loud", "-1") << "none";
    QTest::newRow("cut short") << report.arg("-27", "-1").chopped(60) << "none";
    QTest::newRow("no report") << "in.wav: Invalid data found when processing input"
                               << "none";
}

void TestLoudness::readsReports()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    const auto m = LoudnessMeasurement::fromReport(text.split(u'\n'));
    const QString filter = !m ? "" : m->isSilent() ? "silent" : loudnessNormalizingFilter(-16, *m);
    QCOMPARE(m ? QString::asprintf("%.2f %.2f %.2f %.2f %d ", m->integrated, m->truePeak, m->range,
                                   m->threshold, m->sampleRate.value_or(0))
                     + filter.section('=', 0, 0)
               : "none",
             expected);
}

void TestLoudness::normalizesFiles_data()
{
    QTest::addColumn<QString>("amplitude"); // of a swelling tone; empty for a broken file
    QTest::addColumn<QString>("targetId");
    QTest::addColumn<double>("lufs");
    QTest::addColumn<QString>("trimStart");
    const auto row = [](const char *tag, const char *amplitude, const char *targetId, double lufs,
                        const char *trimStart = "") {
        QTest::newRow(tag) << amplitude << targetId << lufs << trimStart;
    };
    // About -35 LUFS at 0.04 and -8 LUFS at 0.9.
    row("quiet to podcast", "0.04", "audio.mp3", -16);
    row("loud to streaming", "0.9", "audio.flac", -14);
    // Only the kept range counts: the loud opening is cut away. Vorbis adds
    // its own aformat to the filter chain.
    row("trimmed", R"(if(lt(t\,4)\,0.9\,0.04))", "audio.ogg", -23, "5");
    row("broken file", "", "audio.mp3", -16);
    // Measured as the stereo that MP3 writes, not as eight channels.
    row("7.1 to mp3", "0.1:c=7.1", "audio.mp3", -16);
}

void TestLoudness::normalizesFiles()
{
    QFETCH(QString, amplitude);
    QFETCH(QString, targetId);
    QFETCH(double, lufs);
    QFETCH(QString, trimStart);
    const QString input = m_dir.filePath(QTest::currentDataTag() + QStringLiteral(".wav"));
    QVERIFY(amplitude.isEmpty()
                ? TestSupport::writeFile(input, QByteArray(2048, 'x'))
                : TestSupport::makeMedia(input,
                                         {"-f", "lavfi", "-i",
                                          "aevalsrc=" + amplitude.section(u':', 0, 0)
                                              + "*sin(2*PI*440*t)*(0.6+0.4*sin(2*PI*0.15*t))"
                                                ":s=44100:d=12"
                                              + amplitude.mid(amplitude.indexOf(u':') + 1
                                                              ? amplitude.indexOf(u':')
                                                              : amplitude.size())}));
    Preferences::instance().setValue(PreferenceKeys::normalizeLoudness, true);
    Preferences::instance().setValue(PreferenceKeys::loudnessTarget, lufs);
    BatchSettings batch;
    batch.trimEnabled = !trimStart.isEmpty();
    batch.trimStart = trimStart;

    const MediaPtr item(new Media(input, MediaType(MediaGroup::audio, {})));
    const QString out = m_dir.filePath(QTest::currentDataTag());
    QVERIFY(QDir().mkpath(out));
    const std::unique_ptr<MediaJob> job(
        processMedia(item, MediaTarget::fromId(targetId).value(), out, batch));
    QVERIFY(TestSupport::waitFor(job.get()));
    QVERIFY(!item->isMeasuring());
    if (amplitude.isEmpty()) {
        QCOMPARE(item->status(), MediaStatus::failed);
        QVERIFY(item->errorMessage()->startsWith(
            "Could not measure the loudness of \"broken file.wav\": "));
        QCOMPARE(TestSupport::files(out), QStringList());
        return;
    }
    QCOMPARE(item->status(), MediaStatus::successful);
    // The output's integrated loudness, as ffmpeg's ebur128 filter reports it.
    const QString report = runProcessSync(ToolLocator::ffmpegPath(),
                                          {"-nostdin", "-nostats", "-i", job->outputPath(), "-af",
                                           "ebur128", "-f", "null", "-"})
                               .output;
    const qsizetype at = report.lastIndexOf(QRegularExpression(R"(\n\s+I:\s)"));
    const double measured = report.mid(at).section("I:", 1).section("LUFS", 0, 0).toDouble();
    QVERIFY2(at > 0 && qAbs(measured - lufs) <= 1.0, qPrintable(QString::number(measured)));
}

QTEST_GUILESS_MAIN(TestLoudness)
#include "tst_loudness.moc"
