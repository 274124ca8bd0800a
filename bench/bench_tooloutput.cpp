// Memory of a run whose tool floods its output: 200 MB of short lines on
// standard error, and 500 MB without a single line feed. Both go through the
// process runner's line buffers; resident memory is sampled while they run.
// Baseline: the resident size before the run.

#include "tools/ProcessRunner.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <cstdio>

#include "BenchSupport.h"

namespace {

void measure(const char *what, const QString &command)
{
    const qint64 before = BenchSupport::residentKiB();
    qint64 peak = before;
    qint64 lines = 0;
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout,
                     [&] { peak = std::max(peak, BenchSupport::residentKiB()); });
    sampler.start(20);
    QEventLoop loop;
    ProcessRun *run = runProcess(
        QStringLiteral("/bin/sh"), {QStringLiteral("-c"), command},
        [&](const QString &) { ++lines; }, [&](const QString &) { ++lines; });
    QObject::connect(run, &Operation::finished, &loop, &QEventLoop::quit);
    loop.exec();
    peak = std::max(peak, BenchSupport::residentKiB());
    std::printf("%-34s: %lld lines, resident memory grew by %lld KiB (%.4f of the output)\n", what,
                lines, peak - before,
                (peak - before) * 1024.0 / (command.contains(u"500M") ? 500e6 : 200e6));
    delete run;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    measure("200 MB of lines on stderr",
            QStringLiteral("yes eeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeeee"
                           " | head -c 200M >&2"));
    measure("500 MB without a line feed", QStringLiteral("head -c 500M /dev/zero | tr '\\0' x"));
    return 0;
}
