#include "conversion/OutputCheck.h"

#include "tools/MediaProbe.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("OutputCheck", text);
}

bool hasStream(const ProbeResult &probe, const QString &kind, bool needsPicture)
{
    return std::any_of(probe.streams.cbegin(), probe.streams.cend(), [&](const ProbeStream &s) {
        return s.codecType == kind
            && (!needsPicture || (s.width.value_or(0) > 0 && s.height.value_or(0) > 0));
    });
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
        return tr("\"%1\" has no audio to convert").arg(inputName);
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
        return tr("The trimmed range is empty: \"%1\" is shorter than the trim start %2")
            .arg(context.inputName, context.trimStart);
    }
    if (!probe)
        return tr("The converted file \"%1\" cannot be read").arg(context.outputName);

    const bool audio = makesAudio(target);
    if (image && !hasStream(*probe, QStringLiteral("video"), true))
        return tr("The converted file \"%1\" holds no picture").arg(context.outputName);
    if (audio && !hasStream(*probe, QStringLiteral("audio"), false))
        return tr("The converted file \"%1\" has no audio").arg(context.outputName);
    if (!image && !audio && !hasStream(*probe, QStringLiteral("video"), false))
        return tr("The converted file \"%1\" has no video").arg(context.outputName);

    if (!image && probe->duration.value_or(0.0) <= 0.0)
        return tr("The converted file \"%1\" has no duration").arg(context.outputName);
    return std::nullopt;
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
