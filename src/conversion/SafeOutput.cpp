#include "conversion/SafeOutput.h"

#include "conversion/OffMainThread.h"
#include "model/WorkPool.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QThreadPool>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A temporary name keeps at least this much of the stem when the final name
// is short, so that it still says which file it becomes.
constexpr qsizetype shortStemBytes = 24;

// The start time of a process in clock ticks after boot (field 22 of
// /proc/<pid>/stat), which tells a process from a later one with its id.
// A zombie has none: it has ended and only waits for its parent to notice.
std::optional<QByteArray> startTimeOf(qint64 pid)
{
    QFile file(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray stat = file.readAll();
    // The command name (field 2) may hold spaces and parentheses.
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 1).simplified().split(' ');
    if (fields.size() < 20)
        return std::nullopt;
    if (fields.at(0) == "Z" || fields.at(0) == "X")
        return QByteArray("ended");
    return fields.at(19);
}

bool processExists(qint64 pid)
{
    // EPERM: it exists, but /proc does not show it to us; keep its files.
    if (pid <= 0 || pid > std::numeric_limits<pid_t>::max())
        return false;
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

QString shortHash(const QByteArray &bytes)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).first(4).toHex());
}

QByteArray fileText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed() : QByteArray();
}

// Names this machine and PID namespace: process ids mean something only
// there, and only until it boots again.
QString hostTag()
{
    static const QString tag
        = shortHash(fileText(QStringLiteral("/etc/machine-id"))
                    + QFile::symLinkTarget(QStringLiteral("/proc/self/ns/pid")).toUtf8());
    return tag;
}

QString bootTag()
{
    static const QString tag
        = shortHash(fileText(QStringLiteral("/proc/sys/kernel/random/boot_id")));
    return tag;
}

QString ownerTag()
{
    static const QString tag = QStringLiteral("%1-%2-%3-%4")
                                   .arg(hostTag(), bootTag(), QString::number(::getpid()),
                                        QString::fromLatin1(startTimeOf(::getpid()).value_or("0")));
    return tag;
}

} // namespace

namespace SafeOutput {

bool isSameFile(const QString &a, const QString &b)
{
    const auto first = FileIdentity::of(a);
    if (first && first == FileIdentity::of(b))
        return true;
    return canonicalOutputPath(a) == canonicalOutputPath(b);
}

QString canonicalOutputPath(const QString &path)
{
    const QFileInfo info(path);
    const QString existing = info.canonicalFilePath();
    if (!existing.isEmpty())
        return existing;
    QString folder = info.absoluteDir().canonicalPath();
    if (folder.isEmpty())
        folder = QDir::cleanPath(info.absolutePath());
    return folder + u'/' + info.fileName();
}

bool isInside(const QString &path, const QString &folder)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    if (name.isEmpty() || name == u"." || name == u"..")
        return false;
    const QString root = QDir::cleanPath(QDir(folder).absolutePath());
    const QString parent = QDir::cleanPath(info.absolutePath());
    return parent == root || parent.startsWith(root.endsWith(u'/') ? root : root + u'/');
}

QString temporaryPathFor(const QString &finalPath)
{
    const QFileInfo info(finalPath);
    const QString suffix = info.suffix();
    const QByteArray stem
        = QFile::encodeName(suffix.isEmpty() ? info.fileName() : info.completeBaseName());
    const QString random
        = QString::number(QRandomGenerator::global()->generate(), 16).rightJustified(8, u'0');
    const QByteArray tail = QFile::encodeName(QStringLiteral(".vireo-%1-%2").arg(ownerTag(), random)
                                              + (suffix.isEmpty() ? QString() : u'.' + suffix));
    // Bytes, as the file system counts them.
    const qsizetype budget
        = std::max(QFile::encodeName(info.fileName()).size(), 1 + tail.size() + shortStemBytes);
    qsizetype keep = std::clamp(budget - 1 - tail.size(), qsizetype(0), stem.size());
    while (keep > 0 && keep < stem.size() && (quint8(stem[keep]) & 0xC0) == 0x80)
        --keep; // never inside a UTF-8 sequence
    return info.dir().filePath(QFile::decodeName('.' + stem.first(keep) + tail));
}

int removeStaleTemporaries(const QString &folder)
{
    // A user's name may hold any byte but "/", a newline too.
    static const QRegularExpression pattern(
        QStringLiteral(R"(\A\..*\.vireo-([0-9a-f]{8})-([0-9a-f]{8})-([0-9]{1,10})-([0-9]{1,20}))"
                       R"(-[0-9a-f]{8}(\.[A-Za-z0-9]{1,16})?\z)"),
        QRegularExpression::DotMatchesEverythingOption);
    int removed = 0;
    const QDir dir(folder);
    for (const QString &name : dir.entryList({QStringLiteral(".*.vireo-*")},
                                             QDir::Files | QDir::Hidden | QDir::NoSymLinks)) {
        const QRegularExpressionMatch match = pattern.match(name);
        if (!match.hasMatch() || match.captured(1) != hostTag())
            continue; // not ours to judge: another machine or container
        const qint64 pid = match.captured(3).toLongLong();
        const std::optional<QByteArray> start = startTimeOf(pid);
        // Written before this machine last started: no process of that boot runs.
        const bool ownerGone = match.captured(2) != bootTag()
            || (start ? *start != match.captured(4).toLatin1() : !processExists(pid));
        if (ownerGone && QFile::remove(dir.filePath(name)))
            ++removed;
    }
    return removed;
}

void sweepFolderOnce(const QString &folder)
{
    static QMutex mutex;
    static QSet<QString> swept;
    {
        QMutexLocker locker(&mutex);
        if (swept.contains(folder))
            return;
        swept.insert(folder);
    }
    WorkPool::instance()->start([folder] { removeStaleTemporaries(folder); });
}

QString replacesInputMessage(const QString &finalPath)
{
    return QCoreApplication::translate("MediaJob",
                                       "The output would replace the input file \"%1\"; "
                                       "choose another destination folder or format")
        .arg(finalPath);
}

QString alreadyExistsMessage(const QString &finalPath)
{
    return QStringLiteral("File '%1' already exists. Exiting.").arg(finalPath);
}

std::optional<QString> verifyOutput(const QString &temporaryPath)
{
    OffMainThread::check("The output's size check");
    const QFileInfo info(temporaryPath);
    if (!info.exists())
        return QCoreApplication::translate("SafeOutput", "The converter wrote no output file");
    if (info.size() == 0)
        return QCoreApplication::translate("SafeOutput",
                                           "The converter wrote an empty output file");
    return std::nullopt;
}

std::optional<QString> commitOutput(const QString &temporaryPath, const QString &finalPath,
                                    bool overwrite)
{
    OffMainThread::check("The output's commit");
    const QByteArray from = QFile::encodeName(temporaryPath);
    const QByteArray to = QFile::encodeName(finalPath);
    if (overwrite) {
        // rename() replaces atomically: readers see the old file or the new one.
        if (::rename(from.constData(), to.constData()) == 0)
            return std::nullopt;
        return QString::fromLocal8Bit(std::strerror(errno));
    }
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return std::nullopt;
    if (errno == EEXIST)
        return alreadyExistsMessage(finalPath);
    if (errno != EINVAL && errno != ENOSYS)
        return QString::fromLocal8Bit(std::strerror(errno));
    // File systems without RENAME_NOREPLACE: link() refuses an existing name too.
    if (::link(from.constData(), to.constData()) != 0) {
        if (errno == EEXIST)
            return alreadyExistsMessage(finalPath);
        return QString::fromLocal8Bit(std::strerror(errno));
    }
    ::unlink(from.constData());
    return std::nullopt;
}

} // namespace SafeOutput
