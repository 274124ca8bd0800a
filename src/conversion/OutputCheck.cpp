#include "conversion/OutputCheck.h"

#include "model/WorkPool.h"
#include "tools/MediaProbe.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QtConcurrent>

#include <algorithm>

namespace {

bool hasStream(const ProbeResult &probe, const QString &kind, bool needsPicture)
{
    return std::any_of(probe.streams.cbegin(), probe.streams.cend(), [&](const ProbeStream &s) {
        return s.codecType == kind
            && (!needsPicture || (s.width.value_or(0) > 0 && s.height.value_or(0) > 0));
    });
}

QString seconds(double value)
{
    return QCoreApplication::translate("OutputCheck", "%1 s")
        .arg(QString::number(value, 'f', value < 10 ? 2 : 1));
}

// Both texts are read on a pool thread.
std::optional<QString> countedCueProblem(const QString &outputPath, const QString &outputExt,
                                         const OutputCheckContext &context)
{
    const auto read = [](const QString &path) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly) || file.size() > (qint64(64) << 20))
            return QByteArray();
        return file.readAll();
    };
    const std::optional<int> in
        = subtitleCueCount(read(context.inputPath), QFileInfo(context.inputPath).suffix());
    const std::optional<int> out = subtitleCueCount(read(outputPath), outputExt);
    if (!in || !out || *in == 0)
        return std::nullopt;
    return cueProblem(*in, *out, context);
}

bool makesAudio(const MediaTarget &target)
{
    return target.group == MediaGroup::audio || target == MediaTarget::extractAudioTarget();
}

} // namespace

std::optional<QString> sourceProblem(const ProbeResult &probe, const MediaTarget &target,
                                     const QString &inputName)
{
    // ffmpeg would only say "Output file #0 does not contain any stream".
    if (makesAudio(target) && !probe.streams.isEmpty()
        && !hasStream(probe, QStringLiteral("audio"), false))
        return QCoreApplication::translate("OutputCheck", "\"%1\" has no audio to convert")
            .arg(inputName);
    return std::nullopt;
}

bool outputIsChecked(const MediaTarget &target)
{
    return target.group == MediaGroup::audio || target.group == MediaGroup::video
        || target.group == MediaGroup::image;
}

std::optional<QString> outputProblem(const std::optional<ProbeResult> &probe,
                                     const MediaTarget &target, const OutputCheckContext &context)
{
    if (!outputIsChecked(target))
        return std::nullopt;
    const bool image = target.group == MediaGroup::image;
    // ffmpeg seeks past the end without complaint and writes headers only,
    // which may not even be readable.
    if (!image && !context.trimStart.isEmpty()
        && (!probe || probe->duration.value_or(0.0) <= 0.0)) {
        return QCoreApplication::translate(
                   "OutputCheck",
                   "The trimmed range is empty: \"%1\" is shorter than the trim start %2")
            .arg(context.inputName, context.trimStart);
    }
    if (!probe && context.inputEndedEarly)
        return QCoreApplication::translate(
                   "OutputCheck",
                   "\"%1\" is damaged or cut short: nothing in it could be converted")
            .arg(context.inputName);
    if (!probe)
        return QCoreApplication::translate("OutputCheck",
                                           "The converted file \"%1\" cannot be read")
            .arg(context.outputName);

    const bool audio = makesAudio(target);
    if (image && !hasStream(*probe, QStringLiteral("video"), true))
        return QCoreApplication::translate("OutputCheck",
                                           "The converted file \"%1\" holds no picture")
            .arg(context.outputName);
    if (audio && !hasStream(*probe, QStringLiteral("audio"), false))
        return QCoreApplication::translate("OutputCheck", "The converted file \"%1\" has no audio")
            .arg(context.outputName);
    if (!image && !audio && !hasStream(*probe, QStringLiteral("video"), false))
        return QCoreApplication::translate("OutputCheck", "The converted file \"%1\" has no video")
            .arg(context.outputName);

    if (!image && probe->duration.value_or(0.0) <= 0.0)
        return QCoreApplication::translate("OutputCheck",
                                           "The converted file \"%1\" has no duration")
            .arg(context.outputName);
    if (!image && context.expectedDuration) {
        const double expected = *context.expectedDuration;
        const double actual = *probe->duration;
        const double shortBy = expected - actual;
        if (shortBy > 0.5 && shortBy > 0.05 * expected) {
            if (context.inputEndedEarly)
                return QCoreApplication::translate(
                           "OutputCheck",
                           "The converted file \"%1\" plays %2 of %3: \"%4\" itself ends early")
                    .arg(context.outputName, seconds(actual), seconds(expected), context.inputName);
            return QCoreApplication::translate(
                       "OutputCheck", "The converted file \"%1\" plays %2, but \"%3\" plays %4")
                .arg(context.outputName, seconds(actual), context.inputName, seconds(expected));
        }
    }
    return std::nullopt;
}

bool reportsEarlyInputEnd(const QString &ffmpegLogLine)
{
    static const QRegularExpression early(
        QStringLiteral("Invalid data found when processing input|Packet corrupt|[Tt]runcat|"
                       "Error while decoding|[Cc]orrupt (?:input|frame|packet)|"
                       "[Pp]remature end|[Ee]nd of file|Output file is empty"));
    return early.match(ffmpegLogLine).hasMatch();
}

std::optional<int> subtitleCueCount(const QByteArray &text, const QString &ext)
{
    const QString format = ext.toLower();
    int cues = 0;
    bool first = true;
    // Counting looks for ASCII markers: UTF-16 is read first.
    const bool utf16 = text.startsWith("\xFF\xFE") || text.startsWith("\xFE\xFF");
    const QList<QByteArray> lines
        = (utf16 ? QString(QStringDecoder::decoderForHtml(text)(text)).toUtf8() : text).split('\n');
    if (format == u"srt" || format == u"vtt") {
        for (const QByteArray &line : lines)
            cues += line.contains("-->") ? 1 : 0;
    } else if (format == u"ass" || format == u"ssa") {
        for (const QByteArray &line : lines)
            cues += line.trimmed().startsWith("Dialogue:") ? 1 : 0;
    } else if (format == u"sub") {
        static const QRegularExpression frames(QStringLiteral("^\\{(\\d+)\\}\\{(\\d*)\\}(.*)$"));
        for (const QByteArray &line : lines) {
            const QRegularExpressionMatch match = frames.match(QString::fromLatin1(line.trimmed()));
            if (!match.hasMatch())
                continue;
            // "{1}{1}25" names the frame rate; it is no cue.
            const bool rate = first && match.captured(1) == u"1" && match.captured(2) == u"1";
            first = false;
            bool number = false;
            match.captured(3).toDouble(&number);
            cues += rate && number ? 0 : 1;
        }
    } else {
        return std::nullopt;
    }
    return cues;
}

std::optional<QString> cueProblem(int inputCues, int outputCues, const OutputCheckContext &context)
{
    if (outputCues >= inputCues)
        return std::nullopt;
    return QCoreApplication::translate(
               "OutputCheck",
               "The converted file \"%1\" holds %2 of the %3 subtitles of \"%4\"; the others "
               "could not be read (a character set that changes within the file?)")
        .arg(context.outputName)
        .arg(outputCues)
        .arg(inputCues)
        .arg(context.inputName);
}

OutputCheck::OutputCheck(QObject *parent)
    : Operation(parent)
{
}

OutputCheck::~OutputCheck()
{
    delete m_probe.data();
}

void OutputCheck::onCancel()
{
    if (m_probe)
        m_probe->cancel();
}

OutputCheck *checkOutputAsync(const QString &path, const MediaTarget &target,
                              const OutputCheckContext &context, QObject *parent)
{
    auto *check = new OutputCheck(parent);
    if (target.group == MediaGroup::subtitle && !context.inputPath.isEmpty()) {
        auto *watcher = new QFutureWatcher<std::optional<QString>>(check);
        QObject::connect(watcher, &QFutureWatcherBase::finished, check, [check, watcher] {
            if (!check->isCancelled())
                check->m_problem = watcher->result();
            check->finish();
        });
        watcher->setFuture(
            QtConcurrent::run(WorkPool::instance(), &countedCueProblem, path, target.ext, context));
        return check;
    }
    if (!outputIsChecked(target)) {
        check->finish();
        return check;
    }
    check->m_probe = probeMediaAsync(path, check);
    QObject::connect(check->m_probe, &Operation::finished, check, [check, target, context] {
        if (!check->isCancelled())
            check->m_problem = outputProblem(check->m_probe->result(), target, context);
        check->m_probe->deleteLater();
        check->finish();
    });
    return check;
}
