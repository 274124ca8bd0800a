#include "model/MediaLoad.h"

#include "model/WorkPool.h"

#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <QThreadPool>
#include <QUrl>
#include <QtConcurrent>

#include <cerrno>
#include <dirent.h>
#include <optional>
#include <set>
#include <sys/stat.h>
#include <utility>
#include <vector>

namespace {

// A file name as the user can read it: valid UTF-8 as text, every byte that
// is not part of it as \xNN, so that two such names never look alike.
QString readableName(const QByteArray &name)
{
    QString text;
    qsizetype i = 0;
    while (i < name.size()) {
        const auto lead = uchar(name.at(i));
        const qsizetype length = lead < 0x80 ? 1
            : (lead & 0xe0) == 0xc0          ? 2
            : (lead & 0xf0) == 0xe0          ? 3
            : (lead & 0xf8) == 0xf0          ? 4
                                             : 0;
        if (length > 0 && i + length <= name.size()) {
            const QString decoded = QString::fromUtf8(name.mid(i, length));
            if (!decoded.contains(QChar::ReplacementCharacter)) {
                text += decoded;
                i += length;
                continue;
            }
        }
        text += QStringLiteral("\\x%1").arg(lead, 2, 16, QLatin1Char('0'));
        ++i;
    }
    return text;
}

bool isAsciiLetter(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// A URL has a scheme followed by "//"; "file:" URLs may omit the slashes.
// Anything else is a path, even with a colon in it.
bool isUrl(const QString &input)
{
    if (input.startsWith(QLatin1String("file:"), Qt::CaseInsensitive))
        return true;
    const qsizetype end = input.indexOf(QLatin1String("://"));
    if (end <= 0 || !isAsciiLetter(input.at(0).unicode()))
        return false;
    for (qsizetype i = 1; i < end; ++i) {
        const char16_t c = input.at(i).unicode();
        if (!isAsciiLetter(c) && !(c >= u'0' && c <= u'9') && c != u'+' && c != u'-' && c != u'.')
            return false;
    }
    return true;
}

// Expands the inputs of one load into a flat list of file paths: folders
// recursively, in the order the file system lists them, hidden entries
// skipped. Anything it cannot take is reported, never dropped in silence.
class Expansion final {
public:
    // A found file and the imported folder it was found in (empty for a
    // file given by itself).
    using Found = std::pair<QString, QString>;

    Expansion(QList<Found> &files, QList<SkippedPath> &skipped, const QString &skippedFolder,
              const std::atomic_bool &stop)
        : m_files(files)
        , m_skipped(skipped)
        , m_stop(stop)
    {
        // By identity: the folder may be named through a link, or differently.
        struct stat info { };
        if (!skippedFolder.isEmpty()
            && ::stat(QFile::encodeName(skippedFolder).constData(), &info) == 0)
            m_skippedFolder = {info.st_dev, info.st_ino};
    }

    void expandInput(const QString &input);

private:
    struct Entry {
        QByteArray name;
        unsigned char type;
    };

    void expandDirectory(const QByteArray &path, const QString &displayPath);
    bool isDirectory(const QByteArray &path, unsigned char type) const;
    void reportUnlistable(const QString &path, int error, bool partly);
    void skip(const QString &path, const QString &reason) { m_skipped.append({path, reason}); }

    QList<Found> &m_files;
    QString m_root; // the folder input being expanded
    QList<SkippedPath> &m_skipped;
    const std::atomic_bool &m_stop;
    // Directories already listed under the current input, by device and
    // inode: symbolic links are followed, and a link back to an ancestor
    // (or to a directory reached twice) must not be listed again.
    std::set<std::pair<dev_t, ino_t>> m_visited;
    std::optional<std::pair<dev_t, ino_t>> m_skippedFolder;
};

void Expansion::expandInput(const QString &input)
{
    QString path = input;
    if (isUrl(input)) {
        const QUrl url(input);
        if (!url.isLocalFile()) {
            skip(input, MediaLoad::tr("Only files on this computer can be imported."));
            return;
        }
        path = url.toLocalFile();
    }
    if (path.isEmpty()) {
        skip(input, MediaLoad::tr("The path is empty."));
        return;
    }
    path = QFileInfo(path).absoluteFilePath();

    struct stat info { };
    const QByteArray bytes = QFile::encodeName(path);
    if (::stat(bytes.constData(), &info) == 0 && S_ISDIR(info.st_mode)) {
        m_visited.clear();
        m_root = path;
        expandDirectory(bytes, path);
    } else {
        // Whatever is not a directory, names nothing or cannot be examined
        // becomes an item; classification places it.
        m_files.append({path, QString()});
    }
}

bool Expansion::isDirectory(const QByteArray &path, unsigned char type) const
{
    if (type == DT_DIR)
        return true;
    if (type != DT_LNK && type != DT_UNKNOWN)
        return false;
    struct stat info { };
    return ::stat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

void Expansion::expandDirectory(const QByteArray &path, const QString &displayPath)
{
    DIR *dir = ::opendir(path.constData());
    if (!dir) {
        reportUnlistable(displayPath, errno, false);
        return;
    }
    struct stat info { };
    if (::fstat(::dirfd(dir), &info) == 0
        && (!m_visited.insert({info.st_dev, info.st_ino}).second
            || (m_skippedFolder && path != QFile::encodeName(m_root)
                && *m_skippedFolder == std::pair {info.st_dev, info.st_ino}))) {
        ::closedir(dir);
        return;
    }

    // Read the whole listing before descending, so that deep trees do not
    // hold one open descriptor per level.
    std::vector<Entry> entries;
    int readError = 0;
    for (;;) {
        errno = 0;
        const dirent *entry = ::readdir(dir);
        if (!entry) {
            readError = errno;
            break;
        }
        // Hidden entries, "." and ".." included.
        if (entry->d_name[0] == '.')
            continue;
        entries.push_back({QByteArray(entry->d_name), entry->d_type});
    }
    ::closedir(dir);

    const QByteArray prefix = path.endsWith('/') ? path : path + '/';
    const QString displayPrefix
        = displayPath.endsWith(u'/') ? displayPath : displayPath + QLatin1Char('/');
    for (const Entry &entry : entries) {
        if (m_stop)
            return;
        const QByteArray childPath = prefix + entry.name;
        const QString name = QFile::decodeName(entry.name);
        const bool directory = isDirectory(childPath, entry.type);
        // Paths travel as Unicode text from here on (items, ffmpeg arguments);
        // a name that does not survive the round trip would name another file.
        if (QFile::encodeName(name) != entry.name) {
            skip(displayPrefix + readableName(entry.name),
                 directory ? MediaLoad::tr("The folder name is not valid UTF-8. Rename the "
                                           "folder to import the files in it.")
                           : MediaLoad::tr("The file name is not valid UTF-8. Rename the file "
                                           "to import it."));
            continue;
        }
        if (directory)
            expandDirectory(childPath, displayPrefix + name);
        else
            m_files.append({displayPrefix + name, m_root});
    }
    if (readError != 0)
        reportUnlistable(displayPath, readError, true);
}

void Expansion::reportUnlistable(const QString &path, int error, bool partly)
{
    // Reported like any other skipped path: the caller decides where it shows.
    const QString cause = qt_error_string(error);
    skip(path,
         partly ? MediaLoad::tr("Some files of this folder could not be listed: %1").arg(cause)
                : MediaLoad::tr("The folder could not be listed: %1").arg(cause));
}

} // namespace

MediaLoad::MediaLoad(QObject *parent)
    : Operation(parent)
    , m_stop(std::make_shared<std::atomic_bool>(false))
{
}

MediaLoad::~MediaLoad() = default;

QList<MediaPtr> MediaLoad::added() const
{
    QList<MediaPtr> items;
    items.reserve(m_added.size());
    for (const QWeakPointer<Media> &weak : m_added) {
        if (MediaPtr item = weak.toStrongRef())
            items.append(item);
    }
    return items;
}

void MediaLoad::onCancel()
{
    // The work stops between files; a probe that hangs is not waited for.
    *m_stop = true;
    finish();
}

void MediaLoad::complete(const QList<MediaPtr> &added, const QList<SkippedPath> &skipped)
{
    // Weak: removing items from the set must free them even while a caller
    // keeps this load around.
    m_added.reserve(added.size());
    for (const MediaPtr &item : added)
        m_added.append(item);
    m_skipped = skipped;
    finish();
}

MediaLoad::Found MediaLoad::collect(const QStringList &inputs, const QSet<QString> &known,
                                    QThread *home, const MediaType::ProbeFunction &probe,
                                    const QString &skippedFolder, const std::atomic_bool &stop)
{
    Found found;
    QList<Expansion::Found> files;
    Expansion expansion(files, found.skipped, skippedFolder, stop);
    for (const QString &input : inputs) {
        if (stop)
            return found;
        expansion.expandInput(input);
    }

    // Known paths are dropped before classification rather than after it:
    // the outcome is the same, and reloading a large folder costs no probes.
    QList<Expansion::Found> fresh;
    fresh.reserve(files.size());
    for (const Expansion::Found &file : std::as_const(files)) {
        if (!known.contains(file.first))
            fresh.append(file);
    }

    // Classification blocks on the file system and on the probe; files are
    // classified in parallel, and the mapped list keeps their order. This
    // thread only waits meanwhile, so it hands its place in the pool to the
    // workers.
    QThreadPool *pool = WorkPool::instance();
    pool->releaseThread();
    found.items = QtConcurrent::blockingMapped<QList<MediaPtr>>(
        pool, fresh, [home, &probe, &stop](const Expansion::Found &file) -> MediaPtr {
            if (stop)
                return {};
            MediaPtr item = Media::create(file.first, probe, file.second);
            item->moveToThread(home);
            return item;
        });
    pool->reserveThread();
    if (stop)
        found.items.clear();
    return found;
}
