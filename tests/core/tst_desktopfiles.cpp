#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include "vireo/BuildConfig.h"

namespace {

// The files as configured into the build tree (cmake/Packaging.cmake).
QString configured(const QString &suffix)
{
    return QDir(QCoreApplication::applicationDirPath())
        .filePath(QLatin1String("../packaging/linux/") + QLatin1String(BuildConfig::appId)
                  + suffix);
}

// Runs a validator; its whole output is the failure message.
void validate(const QString &program, const QStringList &arguments)
{
    const QString path = QStandardPaths::findExecutable(program);
    // scripts/install-deps.sh installs both: a missing one is a broken setup.
    QVERIFY2(!path.isEmpty(), qPrintable(program + QLatin1String(" is not installed")));
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(path, arguments);
    QVERIFY(process.waitForFinished(60000));
    const QByteArray output = process.readAll();
    QVERIFY2(process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0,
             output.constData());
}

} // namespace

class TestDesktopFiles : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void desktopFileOpensMedia();
    void metainfoValidates();
};

void TestDesktopFiles::desktopFileOpensMedia()
{
    QFile file(configured(QStringLiteral(".desktop")));
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    QHash<QString, QString> entry;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        if (const qsizetype equals = line.indexOf(u'='); equals > 0)
            entry.insert(line.left(equals), line.mid(equals + 1));
    }
    QCOMPARE(entry.value(QStringLiteral("Exec")), QStringLiteral("vireo %U"));
    QCOMPARE(entry.value(QStringLiteral("Icon")), QLatin1String(BuildConfig::appId));
    const QStringList types = entry.value(QStringLiteral("MimeType")).split(u';');
    for (const char *type : {"audio/mpeg", "audio/flac", "video/mp4", "video/x-matroska",
                             "image/jpeg", "image/heif", "application/x-subrip", "text/x-ssa"})
        QVERIFY2(types.contains(QLatin1String(type)), type);
    for (const char *key : {"GenericName[de]", "GenericName[es]", "GenericName[fr]", "Comment[de]",
                            "Comment[es]", "Comment[fr]"})
        QVERIFY2(!entry.value(QLatin1String(key)).isEmpty(), key);
    validate(QStringLiteral("desktop-file-validate"), {file.fileName()});
}

void TestDesktopFiles::metainfoValidates()
{
    QFile metainfo(configured(QStringLiteral(".metainfo.xml")));
    QVERIFY(metainfo.open(QIODevice::ReadOnly));
    const QByteArray text = metainfo.readAll();
    QVERIFY(text.contains("<id>" + QByteArray(BuildConfig::appId) + "</id>"));
    QVERIFY(text.contains(">" + QByteArray(BuildConfig::appId) + ".desktop</launchable>"));
    for (const char *language : {"de", "es", "fr"})
        QVERIFY2(text.contains("<summary xml:lang=\"" + QByteArray(language) + "\">"), language);
    // --no-net: the URLs it names are never fetched from a test.
    validate(QStringLiteral("appstreamcli"),
             {QStringLiteral("validate"), QStringLiteral("--no-net"), metainfo.fileName()});
}

QTEST_GUILESS_MAIN(TestDesktopFiles)
#include "tst_desktopfiles.moc"
