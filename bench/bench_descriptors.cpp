// vireo-cli -j 700 with 1,024 file descriptors (soft and hard limit, so none
// can be added): 700 subtitle files through a stand-in ffmpeg that takes a
// second per file. Every file must be converted; the jobs take turns instead
// of failing for want of pipes. Baseline: the same run with -j 2 would take
// 350 s; the ratio shows how much concurrency the descriptors allowed.

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <sys/resource.h>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString tool = dir.filePath("ffmpeg");
    QFile script(tool);
    if (!script.open(QIODevice::WriteOnly))
        return 1;
    script.write("#!/bin/sh\nfor last; do :; done\nsleep 1\necho converted > \"$last\"\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    QStringList arguments {"-j", "700", "-t", "subtitle.srt", "-o", dir.filePath("out")};
    for (int i = 0; i < 700; ++i) {
        QFile file(dir.filePath(QStringLiteral("s%1.srt").arg(i)));
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        file.write("1\n00:00:01,000 --> 00:00:02,000\nHi\n");
        arguments << file.fileName();
    }

    QProcess cli;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("VIREO_FFMPEG", tool);
    environment.insert("XDG_CONFIG_HOME", dir.filePath("config"));
    cli.setProcessEnvironment(environment);
    cli.setChildProcessModifier([] {
        const rlimit limit {1024, 1024};
        ::setrlimit(RLIMIT_NOFILE, &limit);
    });
    QElapsedTimer timer;
    timer.start();
    cli.start(QStringLiteral(VIREO_CLI), arguments);
    cli.waitForFinished(-1);
    const double seconds = timer.nsecsElapsed() / 1e9;
    const qsizetype written = QDir(dir.filePath("out")).entryList(QDir::Files).size();
    std::printf("vireo-cli -j 700, 1024 descriptors: exit %d, %lld of 700 written, %.1f s, "
                "%.1f times faster than -j 2\n",
                cli.exitCode(), (long long)written, seconds, 350.0 / seconds);
    std::printf("%s", cli.readAllStandardError().right(300).constData());
    return 0;
}
