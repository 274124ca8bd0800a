// Resident memory while a child floods standard error: the runner keeps only
// a tail, so 200 MB of ffmpeg warnings must not grow the process.
// Prints the growth in KiB; exits 1 above 16 MiB. Usage: bench_stderr_flood [mb=200]

#include "tools/ProcessRunner.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <cstdio>
#include <memory>

#include "BenchSupport.h"

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const qint64 megabytes = argc > 1 ? QByteArray(argv[1]).toLongLong() : 200;
    const QString flood = QStringLiteral("head -c %1 /dev/zero | tr '\\0' e | fold -w 99 >&2")
                              .arg(megabytes * 1024 * 1024);
    qint64 lines = 0;
    const qint64 before = BenchSupport::residentKiB();
    qint64 peak = before;
    QEventLoop loop;
    std::unique_ptr<ProcessRun> run(runProcess(
        QStringLiteral("/bin/sh"), {QStringLiteral("-c"), flood}, {}, [&](const QString &) {
            if (++lines % 100000 == 0)
                peak = std::max(peak, BenchSupport::residentKiB());
        }));
    QObject::connect(run.get(), &Operation::finished, &loop, &QEventLoop::quit);
    if (!run->isFinished())
        loop.exec();
    peak = std::max(peak, BenchSupport::residentKiB());
    const qint64 growth = peak - before;
    std::printf("%lld MB of stderr: %lld lines, resident memory grew by %lld KiB\n", megabytes,
                lines, growth);
    return growth < 16 * 1024 && run->result().stderrTail.size() == 16384 ? 0 : 1;
}
