#include "model/MediaLoad.h"
#include "model/MediaSet.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QUrl>

#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "TestSupport.h"

using TestSupport::makeMedia;
using TestSupport::waitFor;

namespace {

QStringList split(const char *text)
{
    return QString::fromLatin1(text).split(u' ');
}

bool writeText(const QString &path, const char *text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) > 0;
}

// A file or folder name made of raw bytes, as another program may leave it.
bool makeRawName(const QString &folder, const QByteArray &name, bool directory)
{
    const QByteArray path = QFile::encodeName(folder) + '/' + name;
    if (directory)
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

bool load(MediaSet &set, const QStringList &inputs)
{
    return waitFor(set.load(inputs));
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

// Makes the process act as an ordinary user for as long as it lives, so that
// permissions apply even when the tests run as root. glibc switches every
// thread, the import's pool threads included.
class OrdinaryUser final {
public:
    OrdinaryUser()
    {
        if (::geteuid() == 0)
            m_switched = ::setegid(65534) == 0 && ::seteuid(65534) == 0;
    }
    ~OrdinaryUser()
    {
        if (m_switched) {
            QVERIFY(::seteuid(0) == 0);
            QVERIFY(::setegid(0) == 0);
        }
    }
    bool isOrdinary() const { return ::geteuid() != 0; }

private:
    bool m_switched = false;
};

// Collects what the process writes to its standard output meanwhile.
class StandardOutput final {
public:
    explicit StandardOutput(const QString &file)
        : m_file(file)
    {
        std::fflush(stdout);
        m_saved = ::dup(STDOUT_FILENO);
        const int fd
            = ::open(QFile::encodeName(file).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        ::dup2(fd, STDOUT_FILENO);
        ::close(fd);
    }
    ~StandardOutput() { restore(); }
    QString text()
    {
        restore();
        QFile file(m_file);
        return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()) : QString();
    }

private:
    void restore()
    {
        if (m_saved < 0)
            return;
        std::fflush(stdout);
        ::dup2(m_saved, STDOUT_FILENO);
        ::close(m_saved);
        m_saved = -1;
    }
    QString m_file;
    int m_saved = -1;
};

} // namespace

class TestMediaSet : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void folder();
    void duplicates_data();
    void duplicates();
    void nothingAdded_data();
    void nothingAdded();
    void unplaced_data();
    void unplaced();
    void removal();
    void symbolicLinks();
    void unlistableFolder();
    void nonUtf8Names();
    void urls();
    void cancel();

private:
    // A fresh folder for one test, with copies of the sample files.
    QString folder(const QString &name) const;
    QString sample(const char *name) const { return m_samples.filePath(QLatin1String(name)); }
    bool copy(const char *sampleName, const QString &to) const;

    QTemporaryDir m_dir;
    QDir m_samples;
};

void TestMediaSet::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("samples")));
    m_samples = QDir(m_dir.filePath(QStringLiteral("samples")));
    const QStringList tone = split("-f lavfi -i sine=duration=0.2");
    QVERIFY(makeMedia(sample("tone.mp3"), tone));
    QVERIFY(makeMedia(sample("clip.mp4"),
                      split("-f lavfi -i testsrc=duration=0.2:size=32x32 -pix_fmt yuv420p")));
    QVERIFY(makeMedia(sample("still.png"), split("-f lavfi -i testsrc=size=32x32 -frames:v 1")));
    QVERIFY(writeText(sample("lines.srt"), "1\n00:00:00,000 --> 00:00:01,000\nHello\n"));
    QVERIFY(writeText(sample("notes.txt"), "not media\n"));
}

void TestMediaSet::init()
{
    // Items are deleted later; let earlier tests' items go.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QString TestMediaSet::folder(const QString &name) const
{
    const QString path = m_dir.filePath(name);
    return QDir().mkpath(path) ? path : QString();
}

bool TestMediaSet::copy(const char *sampleName, const QString &to) const
{
    QDir().mkpath(QFileInfo(to).path());
    return QFile::copy(sample(sampleName), to);
}

void TestMediaSet::folder()
{
    const QString root = folder(QStringLiteral("folder"));
    QVERIFY(copy("tone.mp3", root + QStringLiteral("/a.mp3")));
    QVERIFY(copy("clip.mp4", root + QStringLiteral("/sub/b.mp4")));
    QVERIFY(copy("still.png", root + QStringLiteral("/sub/deeper/c.png")));
    QVERIFY(copy("lines.srt", root + QStringLiteral("/d.srt")));
    QVERIFY(copy("tone.mp3", root + QStringLiteral("/.hidden.wav")));
    QVERIFY(copy("tone.mp3", root + QStringLiteral("/.hidden/e.mp3")));
    QVERIFY(copy("tone.mp3", root + QStringLiteral("/sub/.f.mp3")));
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
    QCOMPARE(set.media().keys(),
             QList<MediaGroup>(
                 {MediaGroup::audio, MediaGroup::video, MediaGroup::image, MediaGroup::subtitle}));

    // Loading it again finds only known files.
    const QMap<MediaGroup, QList<MediaPtr>> before = set.media();
    MediaLoad *again = set.load({root});
    QVERIFY(waitFor(again));
    QVERIFY(again->added().isEmpty());
    QCOMPARE(set.media(), before);
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

    const QString a = QStringLiteral("a.mp3");
    const QString sub = QStringLiteral("sub");
    const QString b = QStringLiteral("sub/b.mp3");
    const QString all = QStringLiteral("*");
    QTest::newRow("file, later its folder")
        << QList<QStringList>({{a}, {QString()}}) << false << QStringList({a, b});
    // Items of one load are not compared with one another.
    QTest::newRow("folder and a file in it, one load")
        << QList<QStringList>({{QString(), a}}) << false << QStringList({all, a});
    QTest::newRow("folder and its subfolder, one load")
        << QList<QStringList>({{QString(), sub}}) << false << QStringList({all, b});
    // Each load compares with the list as it was when it started.
    QTest::newRow("overlapping loads of one file")
        << QList<QStringList>({{a}, {a}}) << true << QStringList({a, a});
}

void TestMediaSet::duplicates()
{
    QFETCH(QList<QStringList>, loads);
    QFETCH(bool, overlapping);
    QFETCH(QStringList, expected);

    const QString root = folder(QStringLiteral("duplicates/%1").arg(QTest::currentDataTag()));
    QVERIFY(copy("tone.mp3", root + QStringLiteral("/a.mp3")));
    QVERIFY(copy("tone.mp3", root + QStringLiteral("/sub/b.mp3")));

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
    for (const QString &name : std::as_const(expected)) {
        if (name == QLatin1String("*"))
            expectedPaths += listingOrder(root);
        else
            expectedPaths << root + u'/' + name;
    }
    QCOMPARE(paths(set.mediaList()), expectedPaths);
    verifyGroups(set);
}

void TestMediaSet::nothingAdded_data()
{
    QTest::addColumn<bool>("withFolder");
    QTest::newRow("empty list") << false;
    QTest::newRow("folder of hidden files") << true;
}

void TestMediaSet::nothingAdded()
{
    QFETCH(bool, withFolder);
    QStringList inputs;
    if (withFolder) {
        const QString root = folder(QStringLiteral("hidden only"));
        QVERIFY(copy("tone.mp3", root + QStringLiteral("/.a.mp3")));
        QVERIFY(copy("tone.mp3", root + QStringLiteral("/.sub/b.mp3")));
        inputs << root;
    }
    MediaSet set;
    QSignalSpy importing(&set, &MediaSet::isImportingChanged);
    QSignalSpy changed(&set, &MediaSet::mediaChanged);
    MediaLoad *load = set.load(inputs);
    QVERIFY(set.isImporting());
    QVERIFY(waitFor(load));
    QVERIFY(!set.isImporting());
    QCOMPARE(importing.size(), 2);
    QCOMPARE(changed.size(), 0);
    QVERIFY(set.mediaList().isEmpty());
    QVERIFY(set.media().isEmpty());
}

void TestMediaSet::unplaced_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("inFolder");
    QTest::newRow("missing path") << QStringLiteral("missing.mp3") << false;
    // A link to nothing is listed like any file: it is not lost in silence.
    QTest::newRow("dangling link in a folder") << QStringLiteral("dangling.mp3") << true;
    QTest::newRow("text file") << QStringLiteral("notes.txt") << false;
}

void TestMediaSet::unplaced()
{
    QFETCH(QString, name);
    QFETCH(bool, inFolder);

    const QString root = folder(QStringLiteral("unplaced/%1").arg(QTest::currentDataTag()));
    const QString path = root + u'/' + name;
    if (name == QLatin1String("notes.txt"))
        QVERIFY(copy("notes.txt", path));
    if (name == QLatin1String("dangling.mp3"))
        QVERIFY(QFile::link(root + QStringLiteral("/nowhere.mp3"), path));

    MediaSet set;
    QVERIFY(load(set, {inFolder ? root : path}));
    QCOMPARE(paths(set.mediaList()), QStringList {path});
    const MediaPtr item = set.mediaList().first();
    QCOMPARE(item->group(), MediaGroup::other);
    QCOMPARE(item->status(), MediaStatus::unrecognized);
    QCOMPARE(set.media().keys(), QList<MediaGroup> {MediaGroup::other});
    verifyGroups(set);
}

void TestMediaSet::removal()
{
    const QString root = folder(QStringLiteral("removal"));
    QVERIFY(copy("tone.mp3", root + QStringLiteral("/1.mp3")));
    QVERIFY(copy("clip.mp4", root + QStringLiteral("/2.mp4")));
    QVERIFY(copy("still.png", root + QStringLiteral("/3.png")));
    QVERIFY(copy("lines.srt", root + QStringLiteral("/4.srt")));
    QVERIFY(copy("notes.txt", root + QStringLiteral("/5.txt")));
    QVERIFY(copy("tone.mp3", root + QStringLiteral("/6.mp3")));
    QVERIFY(copy("clip.mp4", root + QStringLiteral("/7.mp4")));

    MediaSet set;
    MediaLoad *loaded = set.load({root});
    QVERIFY(waitFor(loaded));
    QCOMPARE(set.media().size(), 5);
    QCOMPARE(set.media().keys(), allGroups());
    QSignalSpy changed(&set, &MediaSet::mediaChanged);

    QSet<QUuid> audio;
    QWeakPointer<Media> removed;
    for (const MediaPtr &item : set.media().value(MediaGroup::audio)) {
        audio << item->id();
        removed = item;
    }
    QCOMPARE(audio.size(), 2);
    set.remove(audio);
    QCOMPARE(changed.size(), 1);
    QCOMPARE(set.media().size(), 4);
    QVERIFY(!set.media().contains(MediaGroup::audio));
    QCOMPARE(set.mediaList().size(), 5);
    verifyGroups(set);
    // Nobody else holds it, not even the load that added it.
    QVERIFY(removed.isNull());
    QCOMPARE(loaded->added().size(), 5);

    const QStringList rest = paths(set.mediaList());
    set.removeGroup(MediaGroup::video);
    QCOMPARE(changed.size(), 2);
    QCOMPARE(set.media().keys(),
             QList<MediaGroup>({MediaGroup::image, MediaGroup::subtitle, MediaGroup::other}));
    QStringList expected = rest;
    expected.removeIf([](const QString &path) { return path.endsWith(QLatin1String(".mp4")); });
    QCOMPARE(paths(set.mediaList()), expected);
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
    const QString root = folder(QStringLiteral("links/root"));
    const QString outside = folder(QStringLiteral("links/outside"));
    QVERIFY(copy("tone.mp3", root + QStringLiteral("/a.mp3")));
    QVERIFY(copy("tone.mp3", root + QStringLiteral("/sub/b.mp3")));
    QVERIFY(copy("tone.mp3", outside + QStringLiteral("/c.mp3")));
    QVERIFY(QFile::link(root, root + QStringLiteral("/self")));
    QVERIFY(QFile::link(QStringLiteral(".."), root + QStringLiteral("/sub/up")));
    QVERIFY(QFile::link(outside, root + QStringLiteral("/sub/outside")));
    QVERIFY(QFile::link(root + QStringLiteral("/a.mp3"), root + QStringLiteral("/link.mp3")));

    MediaSet set;
    QVERIFY(load(set, {root}));
    QStringList found = paths(set.mediaList());
    found.sort();
    // Links are followed, each directory is listed once.
    QCOMPARE(found,
             QStringList({root + QStringLiteral("/a.mp3"), root + QStringLiteral("/link.mp3"),
                          root + QStringLiteral("/sub/b.mp3"),
                          root + QStringLiteral("/sub/outside/c.mp3")}));
    QVERIFY(set.skippedPaths().isEmpty());
}

void TestMediaSet::unlistableFolder()
{
    const QString root = folder(QStringLiteral("unlistable"));
    const QString locked = root + QStringLiteral("/locked");
    QVERIFY(copy("tone.mp3", root + QStringLiteral("/a.mp3")));
    QVERIFY(copy("tone.mp3", locked + QStringLiteral("/b.mp3")));
    QVERIFY(copy("tone.mp3", root + QStringLiteral("/z/c.mp3")));
    // An ordinary user must reach everything but the locked folder.
    for (const QString &path : {m_dir.path(), root, root + QStringLiteral("/z")})
        QVERIFY(QFile::setPermissions(path, QFile::Permissions(0x7755)));
    QVERIFY(QFile::setPermissions(locked, {}));
    const QString captured = m_dir.filePath(QStringLiteral("stdout.txt"));

    MediaSet set;
    QSignalSpy skippedChanged(&set, &MediaSet::skippedPathsChanged);
    QString output;
    {
        StandardOutput standardOutput(captured);
        OrdinaryUser user;
        if (!user.isOrdinary())
            QSKIP("Running as root without the right to act as another user");
        QVERIFY(load(set, {root}));
        output = standardOutput.text();
    }
    QVERIFY(QFile::setPermissions(locked, QFile::Permissions(0x7700)));

    QStringList found = paths(set.mediaList());
    found.sort();
    QCOMPARE(found,
             QStringList({root + QStringLiteral("/a.mp3"), root + QStringLiteral("/z/c.mp3")}));
    QCOMPARE(set.skippedPaths().size(), 1);
    QCOMPARE(set.skippedPaths().first().path, locked);
    QVERIFY(!set.skippedPaths().first().reason.isEmpty());
    QCOMPARE(skippedChanged.size(), 1);
    const QStringList lines = output.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines.first().startsWith(QLatin1String("Error: ")), qPrintable(output));
    QVERIFY2(lines.first().contains(locked), qPrintable(output));
}

void TestMediaSet::nonUtf8Names()
{
    const QString root = folder(QStringLiteral("names"));
    QVERIFY(copy("tone.mp3", root + QStringLiteral("/good.mp3")));
    QVERIFY(copy("tone.mp3", root + QStringLiteral("/Grüße.mp3")));
    // Latin-1 names from an old archive: not UTF-8.
    QVERIFY(makeRawName(root,
                        "Gr\xfc\xdf"
                        "e.mp3",
                        false));
    QVERIFY(makeRawName(root, "Ordner \xe4", true));
    QVERIFY(makeRawName(root, "Ordner \xe4/inside.mp3", false));
    QVERIFY(makeRawName(root, ".hidden \xe4.mp3", false));
    // QDir cannot remove what it cannot name.
    const auto removeRawNames = qScopeGuard([&root] {
        const QByteArray folder = QFile::encodeName(root) + '/';
        ::unlink(folder
                 + "Gr\xfc\xdf"
                   "e.mp3");
        ::unlink(folder + "Ordner \xe4/inside.mp3");
        ::rmdir(folder + "Ordner \xe4");
        ::unlink(folder + ".hidden \xe4.mp3");
    });

    MediaSet set;
    QSignalSpy skippedChanged(&set, &MediaSet::skippedPathsChanged);
    MediaLoad *loaded = set.load({root});
    QVERIFY(waitFor(loaded));

    QStringList found = paths(set.mediaList());
    found.sort();
    QCOMPARE(
        found,
        QStringList({root + QStringLiteral("/Grüße.mp3"), root + QStringLiteral("/good.mp3")}));
    QCOMPARE(skippedChanged.size(), 1);
    QCOMPARE(set.skippedPaths(), loaded->skipped());
    QList<SkippedPath> skipped = set.skippedPaths();
    QCOMPARE(skipped.size(), 2);
    std::sort(skipped.begin(), skipped.end(),
              [](const SkippedPath &a, const SkippedPath &b) { return a.path < b.path; });
    QVERIFY(skipped.at(0).path.startsWith(root + QStringLiteral("/Gr")));
    QVERIFY(skipped.at(1).path.startsWith(root + QStringLiteral("/Ordner ")));
    QVERIFY(!skipped.at(0).reason.isEmpty());
    QVERIFY(skipped.at(0).reason != skipped.at(1).reason);

    set.clearSkippedPaths();
    QVERIFY(set.skippedPaths().isEmpty());
    QCOMPARE(skippedChanged.size(), 2);
}

void TestMediaSet::urls()
{
    const QString root = folder(QStringLiteral("urls"));
    const QString odd = root + QStringLiteral("/a b#1%.mp3");
    QVERIFY(copy("tone.mp3", odd));
    QVERIFY(copy("tone.mp3", root + QStringLiteral("/sub/b.mp3")));

    MediaSet set;
    QVERIFY(load(set,
                 {QUrl::fromLocalFile(odd).toString(), QStringLiteral("https://example.com/c.mp3"),
                  QUrl::fromLocalFile(root + QStringLiteral("/sub/")).toString()}));
    QCOMPARE(paths(set.mediaList()), QStringList({odd, root + QStringLiteral("/sub/b.mp3")}));
    QCOMPARE(set.mediaList().first()->group(), MediaGroup::audio);
    QCOMPARE(set.skippedPaths().size(), 1);
    QCOMPARE(set.skippedPaths().first().path, QStringLiteral("https://example.com/c.mp3"));
}

void TestMediaSet::cancel()
{
    const QString root = folder(QStringLiteral("cancel"));
    QVERIFY(copy("tone.mp3", root + QStringLiteral("/a.mp3")));

    MediaSet set;
    QSignalSpy changed(&set, &MediaSet::mediaChanged);
    MediaLoad *cancelled = set.load({root});
    cancelled->cancel();
    QVERIFY(waitFor(cancelled));
    QVERIFY(cancelled->added().isEmpty());
    QVERIFY(set.mediaList().isEmpty());
    QCOMPARE(changed.size(), 0);
    QVERIFY(!set.isImporting());

    // A load deleted by its caller still lands.
    delete set.load({root});
    QTRY_COMPARE(set.mediaList().size(), 1);
    QVERIFY(!set.isImporting());
}

QTEST_GUILESS_MAIN(TestMediaSet)
#include "tst_mediaset.moc"
