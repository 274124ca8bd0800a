#include "conversion/SafeOutput.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

bool isDirectlyIn(const QString &path, const QString &folder)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    return !name.isEmpty() && name != u"." && name != u".."
        && QDir::cleanPath(info.absolutePath()) == QDir::cleanPath(QDir(folder).absolutePath());
}

QString temporaryPathFor(const QString &finalPath)
{
    const QFileInfo info(finalPath);
    const QString suffix = info.suffix();
    const QString base = suffix.isEmpty() ? info.fileName() : info.completeBaseName();
    const QString tag
        = QString::number(QRandomGenerator::global()->generate(), 16).rightJustified(8, u'0');
    QString name = u'.' + base + QStringLiteral(".vireo-") + tag;
    if (!suffix.isEmpty())
        name += u'.' + suffix;
    return info.dir().filePath(name);
}

QString alreadyExistsMessage(const QString &finalPath)
{
    return QStringLiteral("File '%1' already exists. Exiting.").arg(finalPath);
}

bool isWriteErrorLine(const QString &line)
{
    static const char *const patterns[]
        = {"No space left on device", "Error writing trailer", "Input/output error",
           "Disk quota exceeded",     "File too large",        "Read-only file system"};
    for (const char *pattern : patterns) {
        if (line.contains(QLatin1String(pattern)))
            return true;
    }
    return false;
}

std::optional<QString> writeErrorIn(const QStringList &logLines)
{
    for (const QString &line : logLines) {
        if (isWriteErrorLine(line))
            return line;
    }
    return std::nullopt;
}

std::optional<QString> verifyOutput(const QString &temporaryPath)
{
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
