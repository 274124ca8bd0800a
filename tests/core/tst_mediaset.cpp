#include "conversion/ClassificationProbe.h"
#include "model/MediaLoad.h"
#include "model/MediaSet.h"
#include "tools/ProbeResult.h"

#include <QDir>
#include <QFile>
#include <QFuture>
#include <QMimeDatabase>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>
#include <QUrl>
#include <QtConcurrent>

#include <vips/vips8>

#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "TestSupport.h"

using TestSupport::makeMedia;
using TestSupport::split;
using TestSupport::waitFor;
using TestSupport::writeFile;

namespace {

// A file, or a folder where the name has no dot, named by raw bytes as
// another program may leave it.
bool makeRawName(const QString &folder, const QByteArray &name)
{
    const QByteArray path = QFile::encodeName(folder) + '/' + name;
    if (!name.contains('.'))
        return ::mkdir(path.constData(), 0755) == 0;
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    return fd >= 0 && ::close(fd) == 0;
}

// The order a file manager without sorting shows: the folder's own listing,
// a subfolder's files where the subfolder stands.
QStringList listingOrder(const QString &folder)
{
    QStringList files;
    const QFileInfoList entries
        = QDir(folder).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Unsorted);
    for (const QFileInfo &entry : entries) {
        if (entry.isDir())
            files += listingOrder(entry.filePath());
        else
            files << entry.filePath();
    }
    return files;
}

QStringList paths(const QList<MediaPtr> &items)
{
    QStringList list;
    for (const MediaPtr &item : items)
        list << item->pathString();
    return list;
}

// The set's files by their paths under root, sorted.
QStringList namesUnder(const MediaSet &set, const QString &root)
{
    QStringList names = paths(set.mediaList()).replaceInStrings(root + u'/', QString());
    names.sort();
    return names;
}

// The grouped view holds exactly the items of the list, each under its
// group, in list order, and no empty group.
void verifyGroups(const MediaSet &set)
{
    for (MediaGroup group : allGroups()) {
        QList<MediaPtr> expected;
        for (const MediaPtr &item : set.mediaList()) {
            if (item->group() == group)
                expected << item;
        }
        QCOMPARE(set.media().contains(group), !expected.isEmpty());
        QCOMPARE(set.media().value(group), expected);
    }
}

} // namespace

class TestMediaSet : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void folder();
    void duplicates_data();
    void duplicates();
    void unplaced_data();
    void unplaced();
    void removal();
    void symbolicLinks();
    void unlistableFolder();
    void nonUtf8Names();
    void urls();
    void cancel();
    void classify_data();
    void classify();
    void groupFromProbe_data();
    void groupFromProbe();

private:
    // A folder holding copies of the samples, picked by extension; files
    // are separated by spaces.
    QString tree(const QString &name, const char *files = "") const;
    QString path(const QString &name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
};

void TestMediaSet::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(TestSupport::makeSamples(m_dir.path()));
    QVERIFY(VIPS_INIT("tst_mediaset") == 0);
    const QStringList tone = split("-f lavfi -i sine=duration=1");
    const QStringList picture = split("-f lavfi -i testsrc=duration=1:size=64x64");
    const QStringList video = picture + tone + split("-pix_fmt yuv420p");

    QVERIFY(makeMedia(path("cover.mp3"),
                      (tone
                       + split("-f lavfi -i color=c=red:size=64x64:duration=1 -map 0 "
                               "-map 1 -c:v mjpeg -disposition:v attached_pic"))));
    QVERIFY(makeMedia(path("clip.ts"), video));
    QVERIFY(makeMedia(path("clip.mp4"), video));
    QVERIFY(makeMedia(path("clip.mjpeg"), picture + split("-c:v mjpeg -f mjpeg")));
    QVERIFY(makeMedia(path("song.ogg"), tone + split("-c:a libvorbis")));
    QVERIFY(makeMedia(path("song.m4a"), tone + split("-c:a aac")));
    const vips::VImage black = vips::VImage::black(64, 64, vips::VImage::option()->set("bands", 3));
    black.heifsave(path("photo.heic").toUtf8().constData());
    black.heifsave(path("photo.avif").toUtf8().constData(),
                   vips::VImage::option()->set("compression", VIPS_FOREIGN_HEIF_COMPRESSION_AV1));
    // Contents the MIME database cannot place but the probe can: Matroska without
    // its extension, and QOI, a picture format it does not know.
    QVERIFY(makeMedia(path("song.mka"), tone + split("-f matroska")));
    QVERIFY(QFile::rename(path("song.mka"), path("song.blob")));
    QVERIFY(makeMedia(path("clip.mkv.tmp"), video + split("-f matroska")));
    QVERIFY(QFile::rename(path("clip.mkv.tmp"), path("clip.blob")));
    QVERIFY(makeMedia(path("still.qoi"), picture + split("-frames:v 1 -c:v qoi")));
    // A container that may hold video, holding audio alone; text named like media.
    QVERIFY(makeMedia(path("audio.mp4"), tone + split("-c:a aac")));
    QVERIFY(makeMedia(path("clip.mkv"), video));
    for (const char *text : {"notes.nfo", "file_id.diz", "go.mod", "readme.mp4"})
        QVERIFY(writeFile(path(text), "module example.org/tool\n\ngo 1.19\n"));
    black.cast(VIPS_FORMAT_FLOAT).radsave(path("sky.hdr").toUtf8().constData());

    QVERIFY(writeFile(path("Episode.SRT"), "1\n00:00:00,000 --> 00:00:01,000\nHello\n"));
    QVERIFY(writeFile(path("notes.Vtt"), "WEBVTT\n\n00:00.000 --> 00:00:01.000\nHello\n"));
    QVERIFY(writeFile(path("styled.ass"), "[Script Info]\nScriptType: v4.00+\n\n[Events]\n"));
    QVERIFY(writeFile(path("frames.sub"), "{0}{25}Hello\n"));
    QVERIFY(writeFile(path("strings.ts"),
                      "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n"
                      "<TS version=\"2.1\" language=\"de\">\n"
                      "<context><name>Main</name></context>\n</TS>\n"));
    QVERIFY(writeFile(path("album.m3u"), "#EXTM3U\n#EXTINF:1,Song\nsong.ogg\n"));
    QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("folder.mp4")));
    QCOMPARE(mkfifo(QFile::encodeName(path("pipe.mp3")).constData(), 0600), 0);
}

QString TestMediaSet::tree(const QString &name, const char *files) const
{
    const QString root = m_dir.filePath(name);
    if (!QDir().mkpath(root))
        return {};
    for (const QString &file : QString::fromUtf8(files).split(u' ', Qt::SkipEmptyParts)) {
        const QString path = root + u'/' + file;
        const QString sample = m_dir.filePath(QStringLiteral("sample.") + QFileInfo(file).suffix());
        if (!QDir().mkpath(QFileInfo(path).path()) || !QFile::copy(sample, path))
            return {};
    }
    return root;
}

void TestMediaSet::folder()
{
    const QString root = tree(
        "folder", "a.mp3 sub/b.mp4 sub/deeper/c.png d.srt .hidden.mp3 .hidden/e.mp3 sub/.f.mp3");
    QVERIFY(!root.isEmpty());
    const QStringList expected = listingOrder(root);
    QCOMPARE(expected.size(), 4);

    MediaSet set;
    QSignalSpy importing(&set, &MediaSet::isImportingChanged);
    QSignalSpy changed(&set, &MediaSet::mediaChanged);
    MediaLoad *first = set.load({root});
    QVERIFY(set.isImporting());
    QVERIFY(waitFor(first));
    QVERIFY(!set.isImporting());
    QCOMPARE(importing.size(), 2);
    QCOMPARE(changed.size(), 1);
    QCOMPARE(paths(set.mediaList()), expected);
    QCOMPARE(paths(first->added()), expected);
    for (const MediaPtr &item : set.mediaList())
        QCOMPARE(item->thread(), thread());
    verifyGroups(set);
    QCOMPARE(set.media().size(), 4);

    // A load that adds nothing still ends, and changes nothing.
    QVERIFY(waitFor(set.load({})));
    QCOMPARE(changed.size(), 1);
    QCOMPARE(importing.size(), 4);
    QVERIFY(set.skippedPaths().isEmpty());
}

void TestMediaSet::duplicates_data()
{
    QTest::addColumn<QList<QStringList>>("loads");
    QTest::addColumn<bool>("overlapping");
    // "*" stands for the folder's files in listing order.
    QTest::addColumn<QStringList>("expected");

    const QString a = "a.mp3", all = "*", b = "sub/b.mp3";
    QTest::newRow("file, later its folder")
        << QList<QStringList>({{a}, {QString()}}) << false << QStringList({a, b});
    // Items of one load are not compared with one another.
    QTest::newRow("folder and a file in it, one load")
        << QList<QStringList>({{QString(), a}}) << false << QStringList({all, a});
    QTest::newRow("folder and its subfolder, one load")
        << QList<QStringList>({{QString(), "sub"}}) << false << QStringList({all, b});
    // Each load compares with the list as it was when it started.
    QTest::newRow("overlapping loads of one file")
        << QList<QStringList>({{a}, {a}}) << true << QStringList({a, a});
}

void TestMediaSet::duplicates()
{
    QFETCH(QList<QStringList>, loads);
    QFETCH(bool, overlapping);
    QFETCH(QStringList, expected);
    const QString root
        = tree(QString("duplicates/%1").arg(QTest::currentDataTag()), "a.mp3 sub/b.mp3");
    QVERIFY(!root.isEmpty());

    MediaSet set;
    QList<MediaLoad *> started;
    for (const QStringList &names : std::as_const(loads)) {
        QStringList inputs;
        for (const QString &name : names)
            inputs << (name.isEmpty() ? root : root + u'/' + name);
        started << set.load(inputs);
        if (!overlapping)
            QVERIFY(waitFor(started.last()));
    }
    for (MediaLoad *load : std::as_const(started))
        QVERIFY(load->isFinished() || waitFor(load));
    QVERIFY(!set.isImporting());

    QStringList expectedPaths;
    for (const QString &name : std::as_const(expected))
        expectedPaths
            += name == QLatin1String("*") ? listingOrder(root) : QStringList {root + u'/' + name};
    QCOMPARE(paths(set.mediaList()), expectedPaths);
    verifyGroups(set);
}

void TestMediaSet::unplaced_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("inFolder");
    QTest::addColumn<MediaGroup>("group"); // the set's probe says audio to every file
    QTest::newRow("missing path") << "missing.mp3" << false << MediaGroup::other;
    // A link to nothing is listed like any file, not lost in silence.
    QTest::newRow("dangling link in a folder") << "dangling.mp3" << true << MediaGroup::other;
    QTest::newRow("text, placed by the probe") << "notes.txt" << false << MediaGroup::audio;
}

void TestMediaSet::unplaced()
{
    QFETCH(QString, name);
    QFETCH(bool, inFolder);
    const QString root = tree(QString("unplaced/%1").arg(QTest::currentDataTag()));
    const QString path = root + u'/' + name;
    QFETCH(MediaGroup, group);
    if (inFolder)
        QVERIFY(QFile::link(root + QStringLiteral("/nowhere.mp3"), path));
    if (name.endsWith(u't'))
        QVERIFY(TestSupport::writeFile(path, "la"));

    MediaSet set;
    set.setProbe([](const QString &) { return ProbeSummary {.audio = true, .duration = 1.0}; });
    QVERIFY(waitFor(set.load({inFolder ? root : path})));
    QCOMPARE(paths(set.mediaList()), QStringList {path});
    QCOMPARE(set.mediaList().first()->group(), group);
    QCOMPARE(set.mediaList().first()->status() == MediaStatus::unrecognized,
             group == MediaGroup::other);
    QCOMPARE(set.media().keys(), QList<MediaGroup> {group});
}

void TestMediaSet::removal()
{
    const QString root = tree("removal", "1.mp3 2.mp4 3.png 4.srt 5.txt 6.mp3 7.mp4");
    MediaSet set;
    MediaLoad *loaded = set.load({root});
    QVERIFY(waitFor(loaded));
    QCOMPARE(set.media().keys(), allGroups());
    QSignalSpy changed(&set, &MediaSet::mediaChanged);

    QSet<QUuid> audio;
    QWeakPointer<Media> removed;
    for (const MediaPtr &item : set.media().value(MediaGroup::audio)) {
        audio << item->id();
        removed = item;
    }
    set.remove(audio);
    QCOMPARE(changed.size(), 1);
    QCOMPARE(set.mediaList().size(), 5);
    verifyGroups(set);
    // Nothing else holds it, not even the load that added it (the pool's
    // task lets go of its copy a moment after the load finished).
    QTRY_VERIFY(removed.isNull());
    QCOMPARE(loaded->added().size(), 5);

    QStringList expected = paths(set.mediaList());
    expected.removeIf([](const QString &path) { return path.endsWith(QLatin1String(".mp4")); });
    set.removeGroup(MediaGroup::video);
    QCOMPARE(changed.size(), 2);
    QCOMPARE(paths(set.mediaList()), expected);
    QCOMPARE(set.media().keys(),
             QList<MediaGroup>({MediaGroup::image, MediaGroup::subtitle, MediaGroup::other}));
    verifyGroups(set);

    // Removing what is not there changes nothing.
    set.removeGroup(MediaGroup::video);
    set.remove({QUuid::createUuid()});
    QCOMPARE(changed.size(), 2);

    set.clear();
    QCOMPARE(changed.size(), 3);
    QVERIFY(set.mediaList().isEmpty());
    QVERIFY(set.media().isEmpty());
}

void TestMediaSet::symbolicLinks()
{
    const QString root = tree("links/root", "a.mp3 sub/b.mp3");
    const QString outside = tree("links/outside", "c.mp3");
    QVERIFY(QFile::link(root, root + "/self"));
    QVERIFY(QFile::link(QStringLiteral(".."), root + "/sub/up"));
    QVERIFY(QFile::link(outside, root + "/sub/outside"));
    QVERIFY(QFile::link(root + QStringLiteral("/a.mp3"), root + QStringLiteral("/link.mp3")));

    // Links are followed; each directory is listed once, so loops end.
    MediaSet set;
    QVERIFY(waitFor(set.load({root})));
    QCOMPARE(namesUnder(set, root), split("a.mp3 link.mp3 sub/b.mp3 sub/outside/c.mp3"));
    QVERIFY(set.skippedPaths().isEmpty());

    // The destination holds outputs: expanding skips it however it is named,
    // loading it by itself does not.
    MediaSet skipping;
    skipping.setSkippedFolder(outside + QStringLiteral("/../root"));
    QVERIFY(waitFor(skipping.load({m_dir.filePath("links"), root + QStringLiteral("/sub")})));
    QCOMPARE(namesUnder(skipping, m_dir.filePath("links")),
             split("outside/c.mp3 root/sub/b.mp3 root/sub/outside/c.mp3"));
}

void TestMediaSet::unlistableFolder()
{
    const QString root = tree("unlistable", "a.mp3 locked/b.mp3 z/c.mp3");
    const QString locked = root + "/locked";
    // An ordinary user must reach everything but the locked folder.
    for (const QString &path : {m_dir.path(), root, root + "/z"})
        QVERIFY(QFile::setPermissions(path, QFile::Permissions(0x7755)));
    QVERIFY(QFile::setPermissions(locked, {}));
    const auto unlock
        = qScopeGuard([&locked] { QFile::setPermissions(locked, QFile::Permissions(0x7700)); });

    QTemporaryFile output;
    QVERIFY(output.open());

    // Permissions do not bind root: act as an ordinary user meanwhile. glibc
    // switches every thread, the import's pool threads included.
    const bool asRoot = ::geteuid() == 0;
    if (asRoot && (::setegid(65534) != 0 || ::seteuid(65534) != 0)) {
        QVERIFY(::setegid(0) == 0);
        QSKIP("Running as root without the right to act as another user");
    }
    MediaSet set;
    QSignalSpy skippedChanged(&set, &MediaSet::skippedPathsChanged);
    std::fflush(stdout);
    const int savedOutput = ::dup(STDOUT_FILENO);
    ::dup2(output.handle(), STDOUT_FILENO);
    const bool loaded = waitFor(set.load({root}));
    std::fflush(stdout);
    ::dup2(savedOutput, STDOUT_FILENO);
    ::close(savedOutput);
    if (asRoot)
        QVERIFY(::seteuid(0) == 0 && ::setegid(0) == 0);
    QVERIFY(loaded);

    QCOMPARE(namesUnder(set, root), split("a.mp3 z/c.mp3"));
    QCOMPARE(set.skippedPaths().size(), 1);
    QCOMPARE(set.skippedPaths().first().path, locked);
    QVERIFY(!set.skippedPaths().first().reason.isEmpty());
    QCOMPARE(skippedChanged.size(), 1);
    // Reported to the caller only: standard output may be a JSON stream.
    output.seek(0);
    QCOMPARE(output.readAll(), QByteArray());
}

void TestMediaSet::nonUtf8Names()
{
    const QString root = tree("names", "good.mp3 Grüße.mp3");
    // Latin-1 names, as an old archive may leave them: not UTF-8.
    const QByteArrayList raw {"Gr\xfc\xdf\x65.mp3", "Ordner \xe4", "Ordner \xe4/inside.mp3",
                              ".hidden \xe4.mp3"};
    for (const QByteArray &name : raw)
        QVERIFY(makeRawName(root, name));
    // QDir cannot remove what it cannot name.
    const auto removeRawNames = qScopeGuard([&root, &raw] {
        for (auto it = raw.rbegin(); it != raw.rend(); ++it)
            ::remove((QFile::encodeName(root) + '/' + *it).constData());
    });

    MediaSet set;
    QSignalSpy skippedChanged(&set, &MediaSet::skippedPathsChanged);
    MediaLoad *loaded = set.load({root});
    QVERIFY(waitFor(loaded));
    QCOMPARE(namesUnder(set, root), QStringList({"Grüße.mp3", "good.mp3"}));
    QCOMPARE(skippedChanged.size(), 1);
    QCOMPARE(set.skippedPaths(), loaded->skipped());
    // The bytes that are no UTF-8 shown as \xNN; a file and a folder, each with its reason.
    const QList<SkippedPath> &skipped = set.skippedPaths();
    QCOMPARE(skipped.size(), 2);
    QCOMPARE(QSet<QString>({skipped.at(0).path, skipped.at(1).path}),
             QSet<QString>({root + "/Gr\\xfc\\xdfe.mp3", root + "/Ordner \\xe4"}));
    QVERIFY(!skipped.at(0).reason.isEmpty());
    QVERIFY(skipped.at(0).reason != skipped.at(1).reason);

    set.clearSkippedPaths();
    QCOMPARE(skippedChanged.size(), 2);
}

void TestMediaSet::urls()
{
    const QString odd = QStringLiteral("a b#1%.mp3");
    const QString root = tree("urls", "sub/b.mp3");
    QVERIFY(QFile::copy(root + QStringLiteral("/sub/b.mp3"), root + u'/' + odd));

    MediaSet set;
    QVERIFY(waitFor(set.load({QUrl::fromLocalFile(root + u'/' + odd).toString(),
                              QUrl::fromLocalFile(root + "/sub/").toString()})));
    QCOMPARE(paths(set.mediaList()),
             QStringList({root + u'/' + odd, root + QStringLiteral("/sub/b.mp3")}));
    QCOMPARE(set.mediaList().first()->group(), MediaGroup::audio);
}

void TestMediaSet::cancel()
{
    const QString root = tree("cancel", "a.mp3");
    MediaSet set;
    QSignalSpy changed(&set, &MediaSet::mediaChanged);
    MediaLoad *cancelled = set.load({root});
    cancelled->cancel();
    QVERIFY(waitFor(cancelled));
    QVERIFY(cancelled->added().isEmpty());
    QCOMPARE(changed.size(), 0);
    QVERIFY(!set.isImporting());

    // A load deleted by its caller still lands.
    delete set.load({root});
    QTRY_COMPARE(set.mediaList().size(), 1);
}

void TestMediaSet::classify_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<MediaGroup>("group");
    QTest::addColumn<bool>("probed");
    // The MIME type whose description is expected, or the exact description.
    QTest::addColumn<QString>("descr");

    const auto row = [](const char *file, MediaGroup group, bool probed, const char *descr) {
        QTest::newRow(file) << QString::fromLatin1(file) << group << probed
                            << QString::fromLatin1(descr);
    };
    row("cover.mp3", MediaGroup::audio, true, "audio/mpeg");
    row("clip.ts", MediaGroup::video, true, "video/mp2t");
    row("clip.mp4", MediaGroup::video, true, "video/mp4");
    row("clip.mkv", MediaGroup::video, true, "video/x-matroska");
    // Its MIME type derives from image/jpeg; the type's own name decides.
    row("clip.mjpeg", MediaGroup::video, true, "video/x-mjpeg");
    row("song.ogg", MediaGroup::audio, true, "audio/x-vorbis+ogg");
    row("song.m4a", MediaGroup::audio, true, "audio/mp4");
    row("audio.mp4", MediaGroup::audio, true, "video/mp4");
    row("readme.mp4", MediaGroup::other, true, "");
    row("go.mod", MediaGroup::other, true, "");
    row("notes.nfo", MediaGroup::other, true, "");
    row("file_id.diz", MediaGroup::other, true, "");
    row("sky.hdr", MediaGroup::image, true, "Radiance HDR");
    row("photo.heic", MediaGroup::image, false, "image/heif");
    row("photo.avif", MediaGroup::image, false, "image/avif");
    row("Episode.SRT", MediaGroup::subtitle, false, "application/x-subrip");
    row("notes.Vtt", MediaGroup::subtitle, false, "text/vtt");
    row("styled.ass", MediaGroup::subtitle, false, "text/x-ssa");
    row("frames.sub", MediaGroup::subtitle, false, "text/x-microdvd");
    row("album.m3u", MediaGroup::other, false, "audio/x-mpegurl");
    row("song.blob", MediaGroup::audio, true, "Matroska / WebM");
    row("clip.blob", MediaGroup::video, true, "Matroska / WebM");
    row("still.qoi", MediaGroup::image, true, "piped qoi sequence");
    row("strings.ts", MediaGroup::other, true, "");
    row("sample.txt", MediaGroup::other, true, "");
    row("missing.mp3", MediaGroup::other, false, "");
    row("folder.mp4", MediaGroup::other, false, "");
    row("pipe.mp3", MediaGroup::other, false, "");
}

void TestMediaSet::classify()
{
    QFETCH(QString, file);
    QFETCH(MediaGroup, group);
    QFETCH(bool, probed);
    QFETCH(QString, descr);

    int probes = 0;
    QFuture<MediaPtr> classified = QtConcurrent::run([&] {
        MediaPtr item = Media::create(path(file), [&probes](const QString &p) {
            ++probes;
            return probeForClassification(p);
        });
        item->moveToThread(thread());
        return item;
    });
    // A reader would wait forever for a writer on a FIFO, and so would the import.
    if (!QTest::qWaitFor([&] { return classified.isFinished(); }, 20000)) {
        // Release the blocked reader so that the test can end.
        const int fd = ::open(QFile::encodeName(path(file)).constData(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0)
            ::close(fd);
        classified.waitForFinished();
        QFAIL("classifying blocked");
    }
    const MediaPtr item = classified.result();
    QCOMPARE(rawValue(item->group()), rawValue(group));
    if (const QMimeType type = QMimeDatabase().mimeTypeForName(descr); type.isValid())
        descr = type.comment();
    QCOMPARE(item->type().descr(), descr);
    QCOMPARE(probes, probed ? 1 : 0);
    // The table shows a play length, and a video's frame size, before any conversion.
    const bool timed = group == MediaGroup::audio || group == MediaGroup::video;
    QCOMPARE(item->duration().value_or(0.0) > 0.5, timed && file != u"clip.mjpeg");
    QCOMPARE(item->frameSize().value_or(QSize()),
             group == MediaGroup::video ? QSize(64, 64) : QSize());
}

void TestMediaSet::groupFromProbe_data()
{
    // Streams by kind; "cover" is an attached picture, a leading "?" marks a
    // stream this FFmpeg cannot decode.
    QTest::addColumn<QStringList>("streams");
    QTest::addColumn<std::optional<double>>("duration");
    QTest::addColumn<QString>("format");
    QTest::addColumn<MediaGroup>("group");

    const auto row = [](const char *tag, const char *streams, std::optional<double> duration,
                        MediaGroup group, const char *format = "matroska,webm") {
        QTest::newRow(tag) << QString::fromLatin1(streams).split(u' ', Qt::SkipEmptyParts)
                           << duration << QString::fromLatin1(format) << group;
    };
    row("video, no length", "video", {}, MediaGroup::image);
    row("a cover alone", "cover", 3.0, MediaGroup::image);
    row("undecodable video, audio", "?video audio", 3.0, MediaGroup::audio);
    row("nothing decodable", "?audio ?video", 3.0, MediaGroup::other);
    row("subtitle", "subtitle", {}, MediaGroup::subtitle);
    row("text read as subtitles", "subtitle", {}, MediaGroup::other, "subviewer1");
}

void TestMediaSet::groupFromProbe()
{
    QFETCH(QStringList, streams);
    QFETCH(std::optional<double>, duration);
    QFETCH(QString, format);
    QFETCH(MediaGroup, group);

    ProbeResult result;
    result.duration = duration;
    result.formatName = format;
    for (QString kind : streams) {
        const bool decodable = !kind.startsWith(u'?');
        const bool cover = kind == u"cover";
        kind = cover ? QStringLiteral("video") : kind.remove(u'?');
        result.streams.append(
            ProbeStream {.codecType = kind, .decodable = decodable, .attachedPicture = cover});
    }
    QCOMPARE(rawValue(MediaType::groupFromProbe(classificationSummary(result))), rawValue(group));
}

QTEST_GUILESS_MAIN(TestMediaSet)
#include "tst_mediaset.moc"
