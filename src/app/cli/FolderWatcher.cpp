#include "app/cli/FolderWatcher.h"

#include <QDir>
#include <QFile>
#include <QSocketNotifier>

#include <cerrno>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// IN_MODIFY keeps a file that is still being written from settling;
// IN_CLOSE_WRITE alone would miss writers that keep the file open.
constexpr uint32_t eventMask = IN_CREATE | IN_MODIFY | IN_CLOSE_WRITE | IN_MOVED_TO | IN_MOVED_FROM
    | IN_DELETE | IN_ATTRIB | IN_DONT_FOLLOW | IN_ONLYDIR;

} // namespace

FolderWatcher::FolderWatcher(const QString &root, const QString &excluded,
                             std::chrono::milliseconds settle, QObject *parent)
    : QObject(parent)
    , m_root(QDir::cleanPath(root))
    , m_excluded(excluded.isEmpty() ? QString() : QDir::cleanPath(excluded))
    , m_settle(settle)
{
    // The settle check runs only while a file waits: an idle watcher sleeps.
    m_settleTimer.setInterval(std::max(m_settle / 4, std::chrono::milliseconds(100)));
    connect(&m_settleTimer, &QTimer::timeout, this, &FolderWatcher::checkWaiting);
    m_rescanTimer.setInterval(rescanInterval);
    connect(&m_rescanTimer, &QTimer::timeout, this, [this] { scan(m_root); });
}

FolderWatcher::~FolderWatcher()
{
    if (m_inotify >= 0)
        ::close(m_inotify);
}

void FolderWatcher::start()
{
    m_inotify = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_inotify < 0) {
        fallBackToPolling();
    } else {
        m_notifier = new QSocketNotifier(m_inotify, QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, &FolderWatcher::readEvents);
    }
    scan(m_root);
}

bool FolderWatcher::isIgnored(const QString &path) const
{
    if (QStringView(path).sliced(path.lastIndexOf(u'/') + 1).startsWith(u'.'))
        return true;
    return !m_excluded.isEmpty() && (path == m_excluded || path.startsWith(m_excluded + u'/'));
}

// Folders are watched before they are listed, so a file created in between
// is seen by one or the other (or both: noting a file twice is harmless).
void FolderWatcher::scan(const QString &folder)
{
    if (isIgnored(folder) && folder != m_root)
        return;
    if (!m_polling)
        watchFolder(folder);
    const QDir dir(folder);
    for (const QFileInfo &entry :
         dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System)) {
        const QString path = entry.absoluteFilePath();
        if (entry.isDir() && !entry.isSymLink())
            scan(path);
        else if (entry.isFile() && !isIgnored(path))
            note(path);
    }
}

void FolderWatcher::watchFolder(const QString &folder)
{
    const int watch
        = ::inotify_add_watch(m_inotify, QFile::encodeName(folder).constData(), eventMask);
    if (watch >= 0)
        m_folders.insert(watch, folder);
    else if (errno == ENOSPC || errno == ENOMEM)
        fallBackToPolling();
}

void FolderWatcher::fallBackToPolling()
{
    if (m_polling)
        return;
    m_polling = true;
    m_rescanTimer.start();
    Q_EMIT pollingInstead();
}

void FolderWatcher::readEvents()
{
    alignas(inotify_event) char buffer[16 * 1024];
    for (;;) {
        const ssize_t length = ::read(m_inotify, buffer, sizeof buffer);
        if (length <= 0)
            return;
        for (ssize_t at = 0; at < length;) {
            const auto *event = reinterpret_cast<const inotify_event *>(buffer + at);
            at += ssize_t(sizeof(inotify_event) + event->len);
            if (event->mask & IN_Q_OVERFLOW) {
                scan(m_root); // events were lost: look at everything again
                continue;
            }
            if (event->mask & IN_IGNORED) {
                m_folders.remove(event->wd);
                continue;
            }
            const QString folder = m_folders.value(event->wd);
            if (folder.isEmpty() || event->len == 0)
                continue;
            const QString path = folder + u'/' + QFile::decodeName(event->name);
            if (isIgnored(path))
                continue;
            if (event->mask & (IN_DELETE | IN_MOVED_FROM))
                m_waiting.remove(path);
            else if (event->mask & IN_ISDIR)
                scan(path); // a new or moved-in folder and what it already holds
            else
                note(path);
        }
    }
}

void FolderWatcher::note(const QString &path)
{
    Waiting &waiting = m_waiting[path];
    waiting.stamp = stampOf(path).value_or(Stamp {});
    waiting.quiet.start();
    if (!m_settleTimer.isActive())
        m_settleTimer.start();
}

void FolderWatcher::checkWaiting()
{
    QStringList ready;
    for (auto it = m_waiting.begin(); it != m_waiting.end();) {
        const std::optional<Stamp> now = stampOf(it.key());
        if (!now) { // deleted or renamed while it waited
            it = m_waiting.erase(it);
            continue;
        }
        if (*now != it->stamp) { // still growing, even where no event says so
            it->stamp = *now;
            it->quiet.start();
        } else if (std::chrono::milliseconds(it->quiet.elapsed()) >= m_settle) {
            if (m_reported.value(it.key()) != *now) {
                m_reported.insert(it.key(), *now);
                ready << it.key();
            }
            it = m_waiting.erase(it);
            continue;
        }
        ++it;
    }
    if (m_waiting.isEmpty())
        m_settleTimer.stop();
    if (!ready.isEmpty())
        Q_EMIT settled(ready);
}

std::optional<FolderWatcher::Stamp> FolderWatcher::stampOf(const QString &path)
{
    struct stat info { };
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return Stamp {qint64(info.st_size),
                  qint64(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec};
}
