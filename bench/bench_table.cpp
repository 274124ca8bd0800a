// A group of 50,000 items: memory per item, and the time from handing the
// list to the workspace until the table has been painted.
// Run offscreen: QT_QPA_PLATFORM=offscreen bench_table [items=50000]

#include "model/Media.h"
#include "ui/workspace/SnapshotView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

#include "BenchSupport.h"

namespace {

using BenchSupport::ffmpeg;
using BenchSupport::residentKiB;
using BenchSupport::split;

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int count = app.arguments().value(1, "50000").toInt();
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());

    SnapshotView view;
    view.resize(1000, 700);
    view.show();
    QApplication::processEvents();

    const qint64 before = residentKiB();
    QList<MediaPtr> items;
    items.reserve(count);
    const MediaType type(MediaGroup::audio, QStringLiteral("MP3 audio"));
    for (int i = 0; i < count; ++i) {
        items << MediaPtr(
            new Media(QStringLiteral("/home/user/Music/Artist %1/Album/%2 - Some Song Title.mp3")
                          .arg(i / 12)
                          .arg(i % 12 + 1, 2, 10, QLatin1Char('0')),
                      type),
            &QObject::deleteLater);
    }
    const qint64 withItems = residentKiB();

    QElapsedTimer clock;
    clock.start();
    view.setGroup(MediaGroup::audio, items);
    view.repaint();
    QApplication::processEvents();
    const qint64 shownMs = clock.elapsed();
    const qint64 shown = residentKiB();

    std::printf("%d items: %.0f bytes per item (model objects), %.0f bytes per item in the table\n",
                count, (withItems - before) * 1024.0 / count, (shown - withItems) * 1024.0 / count);
    std::printf("time to show the group: %lld ms\n", shownMs);
    return 0;
}
