#include "conversion/ArgumentBuilder.h"
#include "conversion/BatchSettings.h"
#include "conversion/LoudnessMeasurement.h"
#include "conversion/MediaJob.h"
#include "settings/ConversionSettings.h"
#include "settings/Preferences.h"
#include "tools/ProcessRunner.h"
#include "tools/ToolLocator.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "TestSupport.h"

// Loudness normalisation: reading loudnorm's report, the conversion's filter
// chain, and real files brought to the level by both passes.
class TestLoudness : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void readsReports_data();
    void readsReports();
    void filterChain_data();
    void filterChain();
    void normalizesFiles_data();
    void normalizesFiles();

private:
    QTemporaryDir m_dir;
};

namespace {

const QString report = QStringLiteral(R"(Input #0, matroska,webm, from 'in.mkv':
  Stream #0:0: Video: h264 (High), yuv420p, 320x240, 25 fps
  Stream #0:1(eng): Audio: aac (LC), 48000 Hz, stereo, fltp (default)
Stream mapping:
Output #0, null, to 'pipe:':
  Stream #0:0: Audio: pcm_s16le, 192000 Hz, stereo, s16, 6144 kb/s
[Parsed_loudnorm_0 @ 0x564b38105200] 
{
	"input_i" : "%1",
	"input_tp" : "-20.10",
	"input_lra" : "3.20",
	"input_thresh" : "-37.61",
	"output_i" : "-16.03",
	"normalization_type" : "dynamic",
	"target_offset" : "0.03"
})");

QString describe(const std::optional<LoudnessMeasurement> &m)
{
    if (!m)
        return QStringLiteral("none");
    return QString::asprintf("%.2f %.2f %.2f %.2f %.2f %d", m->integrated, m->truePeak, m->range,
                             m->threshold, m->offset, m->sampleRate.value_or(0));
}

// The integrated loudness of a file, as ffmpeg's ebur128 filter reports it.
double integratedLoudness(const QString &path)
{
    const SyncProcessOutput run = runProcessSync(
        ToolLocator::ffmpegPath(),
        {"-nostdin", "-nostats", "-hide_banner", "-i", path, "-af", "ebur128", "-f", "null", "-"});
    static const QRegularExpression integrated(QStringLiteral(R"(\n\s+I:\s+(-?[\d.]+) LUFS)"));
    QRegularExpressionMatch last;
    for (const QRegularExpressionMatch &match : integrated.globalMatch(run.output))
        last = match;
    return last.hasMatch() ? last.captured(1).toDouble() : qQNaN();
}

} // namespace

void TestLoudness::initTestCase()
{
    QVERIFY(m_dir.isValid());
    TestSupport::clearPreferences();
}

void TestLoudness::readsReports_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("report") << report.arg("-27.61") << "-27.61 -20.10 3.20 -37.61 0.03 48000";
    QTest::newRow("silence") << report.arg("-inf") << "-inf -20.10 3.20 -37.61 0.03 48000";
    QTest::newRow("the last report counts")
        << report.arg("-1") + u'\n' + report.mid(report.indexOf("[Parsed")).arg("-30.00")
        << "-30.00 -20.10 3.20 -37.61 0.03 48000";
    QTest::newRow("no input description")
        << report.mid(report.indexOf("[Parsed")).arg("-9.5") << "-9.50 -20.10 3.20 -37.61 0.03 0";
    QTest::newRow("value not a number") << report.arg("loud") << "none";
    QTest::newRow("key missing") << report.arg("-27").remove(QRegularExpression(".*input_tp.*\n"))
                                 << "none";
    QTest::newRow("cut short") << report.arg("-27").left(report.size() - 40) << "none";
    QTest::newRow("no report") << "in.wav: Invalid data found when processing input"
                               << "none";
}

void TestLoudness::readsReports()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(describe(LoudnessMeasurement::fromReport(text.split(u'\n'))), expected);
}

void TestLoudness::filterChain_data()
{
    QTest::addColumn<QString>("targetId");
    QTest::addColumn<bool>("normalize");
    QTest::addColumn<double>("integrated");
    QTest::addColumn<double>("range");
    QTest::addColumn<QString>("filters"); // the one -af value; empty for none

    const QString gain = "loudnorm=I=-16:TP=-1.5:LRA=11.00:measured_I=-30.00:measured_LRA=3.20:"
                         "measured_TP=-20.10:measured_thresh=-40.00:offset=0.50:linear=true,"
                         "aresample=44100";
    const double inf = qInf();
    QTest::newRow("off") << "audio.mp3" << false << -30.0 << 3.2 << "";
    QTest::newRow("mp3") << "audio.mp3" << true << -30.0 << 3.2 << gain;
    QTest::newRow("extract audio") << "video.extract-audio" << true << -30.0 << 3.2 << gain;
    QTest::newRow("ogg: one chain, gain first")
        << "audio.ogg" << true << -30.0 << 3.2
        << gain + ",aformat=channel_layouts=mono|stereo|5.1:sample_rates=44100|48000";
    QTest::newRow("wide range stays linear")
        << "audio.flac" << true << -30.0 << 14.5
        << QString(gain).replace("LRA=11.00", "LRA=14.50").replace("LRA=3.20", "LRA=14.50");
    QTest::newRow("video keeps its sound") << "video.mp4" << true << -30.0 << 3.2 << "";
    QTest::newRow("silence keeps its level") << "audio.mp3" << true << -inf << 3.2 << "";
}

void TestLoudness::filterChain()
{
    QFETCH(QString, targetId);
    QFETCH(bool, normalize);
    QFETCH(double, integrated);
    QFETCH(double, range);
    QFETCH(QString, filters);
    ConversionSettings settings {"h264", 23.0, true, 192.0, "mp3", normalize, -16.0};
    const LoudnessMeasurement measured {integrated, -20.1, range, -40.0, 0.5, 44100};
    const QStringList output = makeFFArgs(MediaTarget::fromId(targetId).value(), {},
                                          HardwareProfile::software(), settings, measured)
                                   .outputOptions;
    QVERIFY(output.count("-af") <= 1);
    const qsizetype at = output.indexOf("-af");
    QCOMPARE(at < 0 ? QString() : output.value(at + 1), filters);
}

void TestLoudness::normalizesFiles_data()
{
    QTest::addColumn<QString>("source"); // an aevalsrc expression; empty for a broken file
    QTest::addColumn<QString>("targetId");
    QTest::addColumn<double>("lufs");
    QTest::addColumn<QString>("trimStart");

    // A slowly swelling 440 Hz tone: about -35 LUFS at 0.04, -8 LUFS at 0.9.
    const QString swell = "%1*sin(2*PI*440*t)*(0.6+0.4*sin(2*PI*0.15*t))";
    QTest::newRow("quiet to podcast") << swell.arg(0.04) << "audio.mp3" << -16.0 << "";
    QTest::newRow("loud to streaming") << swell.arg(0.9) << "audio.flac" << -14.0 << "";
    // Only the kept range is measured: the loud opening is cut away.
    QTest::newRow("trimmed") << swell.arg(R"(if(lt(t\,4)\,0.9\,0.04))") << "audio.ogg" << -23.0
                             << "5";
    QTest::newRow("broken file") << ""
                                 << "audio.mp3" << -16.0 << "";
}

void TestLoudness::normalizesFiles()
{
    QFETCH(QString, source);
    QFETCH(QString, targetId);
    QFETCH(double, lufs);
    QFETCH(QString, trimStart);
    const QString input = m_dir.filePath(QTest::currentDataTag() + QStringLiteral(".wav"));
    if (source.isEmpty())
        QVERIFY(TestSupport::writeFile(input, QByteArray(2048, 'x')));
    else
        QVERIFY(TestSupport::makeMedia(
            input, {"-f", "lavfi", "-i", "aevalsrc=" + source + ":s=44100:d=12"}));
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
    if (source.isEmpty()) {
        QCOMPARE(item->status(), MediaStatus::failed);
        QVERIFY2(item->errorMessage().value_or("").startsWith(
                     "Could not measure the loudness of \"broken file.wav\": "),
                 qPrintable(item->errorMessage().value_or("")));
        QCOMPARE(QDir(out).entryList(QDir::Files | QDir::Hidden), QStringList());
        return;
    }
    QCOMPARE(item->status(), MediaStatus::successful);
    const double measured = integratedLoudness(job->outputPath());
    QVERIFY2(qAbs(measured - lufs) <= 1.0, qPrintable(QString::number(measured)));
}

QTEST_GUILESS_MAIN(TestLoudness)
#include "tst_loudness.moc"
