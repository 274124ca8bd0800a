#include "conversion/HardwareDetection.h"

#include "conversion/ArgumentBuilder.h"
#include "conversion/BatchSettings.h"
#include "model/MediaTarget.h"
#include "model/WorkPool.h"
#include "settings/ConversionSettings.h"
#include "tools/ProcessRunner.h"
#include "tools/ToolLocator.h"

#include <QDir>
#include <QEventLoop>
#include <QList>
#include <QMutex>
#include <QMutexLocker>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QTimer>

#include <atomic>

namespace {

// A test conversion that takes longer than this counts as failed: a hung
// driver must not hold up every conversion.
constexpr int testTimeoutMs = 20000;

// Set when the process is shutting down: running test conversions stop and
// no further candidate is tried, so nothing holds the pool at exit.
std::atomic_bool abandoned = false;

struct DetectionState {
    QMutex mutex;
    bool started = false;
    std::optional<HardwareProfile> result;
    QList<HardwareDetection *> waiting;
};

DetectionState &state()
{
    static DetectionState detection;
    return detection;
}

// Runs ffmpeg on this (pool) thread with a local event loop, so that a test
// that hangs can be stopped.
bool runsCleanly(const QString &ffmpeg, const QStringList &arguments)
{
    QEventLoop loop;
    ProcessRun *run = runProcess(ffmpeg, arguments);
    QObject::connect(run, &Operation::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(testTimeoutMs, run, &Operation::cancel);
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, run, [run] {
        if (abandoned)
            run->cancel();
    });
    watch.start(50);
    loop.exec();
    const bool ok = !run->error() && !run->isCancelled() && run->result().exitCode == 0;
    delete run;
    return ok;
}

QStringList quietArguments()
{
    return {QStringLiteral("-hide_banner"), QStringLiteral("-nostdin"), QStringLiteral("-loglevel"),
            QStringLiteral("error"), QStringLiteral("-y")};
}

// The source of the test conversions: a short H.264 clip made in software, so
// that the candidate's hardware decoding is tried too. Without libx264 the
// frames come straight from a lavfi source.
QStringList testInput(const QString &ffmpeg, const QDir &dir)
{
    const QString lavfi = QStringLiteral("testsrc2=size=320x240:rate=25:duration=0.2");
    const QString sample = dir.filePath(QStringLiteral("sample.mp4"));
    if (runsCleanly(ffmpeg,
                    quietArguments()
                        + QStringList {QStringLiteral("-f"), QStringLiteral("lavfi"),
                                       QStringLiteral("-i"), lavfi, QStringLiteral("-c:v"),
                                       QStringLiteral("libx264"), QStringLiteral("-pix_fmt"),
                                       QStringLiteral("yuv420p"), sample}))
        return {QStringLiteral("-i"), sample};
    return {QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"), lavfi};
}

bool converts(const QString &ffmpeg, const QStringList &input, const QDir &dir,
              const HardwareProfile &candidate, VideoCodec codec)
{
    ConversionSettings settings;
    settings.videoCodec = rawValue(codec);
    settings.hardwareAcceleration = true;
    const FFArgs args
        = makeFFArgs(MediaTarget::videoTargets().first(), BatchSettings {}, candidate, settings);
    return runsCleanly(ffmpeg,
                       quietArguments() + args.inputOptions + input + args.outputOptions
                           + QStringList {dir.filePath(QStringLiteral("test.mp4"))});
}

HardwareProfile detect()
{
    if (const std::optional<HardwareProfile> forced
        = forcedHardwareProfile(qEnvironmentVariable("VIREO_HWACCEL"), renderNodes()))
        return *forced;
#ifdef Q_OS_MACOS
    return HardwareProfile::videoToolbox();
#else
    const QString ffmpeg = ToolLocator::ffmpegPath();
    QTemporaryDir dir;
    if (ffmpeg.isEmpty() || !dir.isValid())
        return HardwareProfile::software();
    const QDir folder(dir.path());
    const QStringList input = testInput(ffmpeg, folder);

    QList<HardwareProfile> candidates;
    for (const QString &node : renderNodes())
        candidates << HardwareProfile::vaapi(node);
    candidates << HardwareProfile::nvenc() << HardwareProfile::qsv();
    for (HardwareProfile candidate : candidates) {
        if (abandoned)
            break;
        if (!converts(ffmpeg, input, folder, candidate, VideoCodec::h264))
            continue;
        candidate.encodesHevc = converts(ffmpeg, input, folder, candidate, VideoCodec::hevc);
        return candidate;
    }
    return HardwareProfile::software();
#endif
}

} // namespace

void deliverHardwareProfile(HardwareDetection *detection, const HardwareProfile &profile)
{
    if (detection->isFinished())
        return;
    detection->m_profile = profile;
    detection->finish();
}

HardwareDetection::HardwareDetection(QObject *parent)
    : Operation(parent)
{
}

HardwareDetection::~HardwareDetection()
{
    DetectionState &detection = state();
    const QMutexLocker lock(&detection.mutex);
    detection.waiting.removeAll(this);
}

void HardwareDetection::onCancel()
{
    {
        DetectionState &detection = state();
        const QMutexLocker lock(&detection.mutex);
        detection.waiting.removeAll(this);
    }
    finish();
}

HardwareDetection *detectHardwareProfile(QObject *parent)
{
    auto *operation = new HardwareDetection(parent);
    DetectionState &detection = state();
    const QMutexLocker lock(&detection.mutex);
    if (detection.result) {
        deliverHardwareProfile(operation, *detection.result);
        return operation;
    }
    detection.waiting << operation;
    if (!detection.started) {
        detection.started = true;
        WorkPool::instance()->start([] {
            const HardwareProfile profile = detect();
            DetectionState &detection = state();
            const QMutexLocker lock(&detection.mutex);
            detection.result = profile;
            // A waiting operation removes itself under the mutex before it is
            // destroyed, so every one still listed is alive here; the call
            // runs on its own thread.
            for (HardwareDetection *waiting : std::as_const(detection.waiting))
                QMetaObject::invokeMethod(
                    waiting, [waiting, profile] { deliverHardwareProfile(waiting, profile); },
                    Qt::QueuedConnection);
            detection.waiting.clear();
        });
    }
    return operation;
}

void abandonHardwareDetection()
{
    abandoned = true;
}

std::optional<HardwareProfile> detectedHardwareProfile()
{
    DetectionState &detection = state();
    const QMutexLocker lock(&detection.mutex);
    return detection.result;
}

std::optional<HardwareProfile> forcedHardwareProfile(const QString &value,
                                                     const QStringList &renderNodes)
{
    const QString api = value.section(u':', 0, 0).trimmed().toLower();
    const QString device = value.section(u':', 1).trimmed();
    if (api == u"vaapi")
        return HardwareProfile::vaapi(device.isEmpty() ? renderNodes.value(0) : device);
    if (!device.isEmpty())
        return std::nullopt;
    if (api == u"none")
        return HardwareProfile::software();
    if (api == u"nvenc")
        return HardwareProfile::nvenc();
    if (api == u"qsv")
        return HardwareProfile::qsv();
    return std::nullopt;
}

QStringList renderNodes()
{
    const QDir dri(QStringLiteral("/dev/dri"));
    QStringList nodes;
    for (const QString &name :
         dri.entryList({QStringLiteral("renderD*")}, QDir::System | QDir::Files, QDir::Name))
        nodes << dri.filePath(name);
    return nodes;
}
