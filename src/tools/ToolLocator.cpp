#include "tools/ToolLocator.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

bool isExecutableFile(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

QString ownDirectory()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section(u'/', 0, -2);
}

QString locate(const char *name, const char *overrideVariable)
{
    return ToolLocator::resolve(QString::fromLatin1(name), qEnvironmentVariable(overrideVariable),
                                ownDirectory(), qEnvironmentVariable("PATH"));
}

} // namespace

namespace ToolLocator {

QString resolve(const QString &name, const QString &overridePath, const QString &appDir,
                const QString &searchPath)
{
    if (!overridePath.isEmpty())
        return isExecutableFile(overridePath) ? QFileInfo(overridePath).absoluteFilePath()
                                              : QString();
    if (!appDir.isEmpty()) {
        const QString beside = QDir(appDir).filePath(name);
        if (isExecutableFile(beside))
            return beside;
    }
    const QStringList directories = searchPath.split(u':', Qt::SkipEmptyParts);
    return QStandardPaths::findExecutable(name, directories);
}

QString ffmpegPath()
{
    static const QString path = locate("ffmpeg", "VIREO_FFMPEG");
    return path;
}

QString missingToolMessage(const QString &name)
{
    return QCoreApplication::translate("ToolLocator",
                                       "%1 was not found. Install it with \"sudo apt install "
                                       "ffmpeg\" (it comes with the ffmpeg package), or set %2 to "
                                       "its path.")
        .arg(name, QStringLiteral("VIREO_") + name.toUpper());
}

} // namespace ToolLocator
