#include "conversion/MicroDvdWriter.h"

#include "conversion/OffMainThread.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QStringList>

#include <cmath>

namespace MicroDvdWriter {

namespace {

double srtSeconds(const QRegularExpressionMatch &match, int first)
{
    const double hours = match.captured(first).toDouble();
    const double minutes = match.captured(first + 1).toDouble();
    const double seconds = match.captured(first + 2).toDouble();
    const double millis = match.captured(first + 3).leftJustified(3, u'0').toDouble();
    return hours * 3600 + minutes * 60 + seconds + millis / 1000.0;
}

qint64 frameAt(double seconds)
{
    return qint64(std::llround(seconds * frameRate));
}

} // namespace

QString fromSrt(const QString &srt)
{
    static const QRegularExpression timing(QStringLiteral(
        R"((\d+):(\d{1,2}):(\d{1,2})[,.](\d{1,3})\s*-->\s*(\d+):(\d{1,2}):(\d{1,2})[,.](\d{1,3}))"));
    static const QRegularExpression tag(QStringLiteral(R"(</?[A-Za-z][^>]*>|\{\\[^}]*\})"));

    QString out = QStringLiteral("{1}{1}%1\n").arg(frameRate, 0, 'f', 3);
    QString text = srt;
    text.remove(u'\r');
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QRegularExpressionMatch match = timing.match(lines.at(i));
        if (!match.hasMatch())
            continue;
        QStringList cue;
        qsizetype j = i + 1;
        for (; j < lines.size() && !lines.at(j).trimmed().isEmpty(); ++j)
            cue << QString(lines.at(j)).remove(tag).trimmed();
        i = j;
        cue.removeAll(QString());
        if (cue.isEmpty())
            continue;
        // Braces would be read as MicroDVD control codes.
        QString joined = cue.join(u'|');
        joined.replace(u'{', u'(').replace(u'}', u')');
        out += QStringLiteral("{%1}{%2}%3\n")
                   .arg(frameAt(srtSeconds(match, 1)))
                   .arg(frameAt(srtSeconds(match, 5)))
                   .arg(joined);
    }
    return out;
}

std::optional<QString> convertFile(const QString &srtPath, const QString &outputPath)
{
    OffMainThread::check("The MicroDVD writer");
    QFile in(srtPath);
    if (!in.open(QIODevice::ReadOnly))
        return in.errorString();
    const QString microDvd = fromSrt(QString::fromUtf8(in.readAll()));
    QFile out(outputPath);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return out.errorString();
    const QByteArray bytes = microDvd.toUtf8();
    if (out.write(bytes) != bytes.size() || !out.flush())
        return out.errorString();
    out.close();
    if (out.error() != QFileDevice::NoError)
        return out.errorString();
    return std::nullopt;
}

} // namespace MicroDvdWriter
