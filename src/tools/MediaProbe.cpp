#include "tools/MediaProbe.h"

#include "tools/NumberSyntax.h"
#include "tools/ProcessRunner.h"
#include "tools/ToolLocator.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <cmath>
#include <limits>

namespace {

std::optional<QString> stringMember(const QJsonObject &object, const QString &key)
{
    const QJsonValue value = object.value(key);
    if (value.isString())
        return value.toString();
    return std::nullopt;
}

// A JSON number that is whole and fits 64 bits.
std::optional<qint64> wholeNumberMember(const QJsonObject &object, const QString &key)
{
    const QJsonValue value = object.value(key);
    if (!value.isDouble())
        return std::nullopt;
    const double number = value.toDouble();
    if (!std::isfinite(number) || std::trunc(number) != number || number < -9223372036854775808.0
        || number >= 9223372036854775808.0)
        return std::nullopt;
    return qint64(number);
}

std::optional<qint64> integerTextMember(const QJsonObject &object, const QString &key)
{
    if (const auto text = stringMember(object, key))
        return parseInteger(*text);
    return std::nullopt;
}

std::optional<ProbeResult> parseProbeOutput(const QString &text)
{
    QJsonParseError error {};
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    return parseProbeJSON(document.object());
}

} // namespace

QStringList probeArguments(const QString &path)
{
    // "-print_format" rather than "-output_format": ffprobe 5.1 (Debian 12)
    // knows only the former, every version accepts it.
    return {QStringLiteral("-v"),
            QStringLiteral("quiet"),
            QStringLiteral("-print_format"),
            QStringLiteral("json"),
            QStringLiteral("-show_format"),
            QStringLiteral("-show_streams"),
            path};
}

ProbeResult parseProbeJSON(const QJsonObject &object)
{
    ProbeResult result;

    const QJsonValue streams = object.value(QStringLiteral("streams"));
    if (streams.isArray()) {
        const QJsonArray array = streams.toArray();
        const bool allObjects = std::all_of(array.begin(), array.end(),
                                            [](const QJsonValue &v) { return v.isObject(); });
        if (allObjects) {
            for (const QJsonValue &value : array) {
                const QJsonObject stream = value.toObject();
                result.streams.append(
                    {stringMember(stream, QStringLiteral("codec_type")).value_or(QString()),
                     stringMember(stream, QStringLiteral("codec_long_name")),
                     wholeNumberMember(stream, QStringLiteral("width")),
                     wholeNumberMember(stream, QStringLiteral("height"))});
            }
        }
    }

    const QJsonValue formatValue = object.value(QStringLiteral("format"));
    if (formatValue.isObject()) {
        const QJsonObject format = formatValue.toObject();
        result.formatLongName = stringMember(format, QStringLiteral("format_long_name"));
        const QJsonValue duration = format.value(QStringLiteral("duration"));
        if (duration.isString())
            result.duration = parseDouble(duration.toString());
        else if (duration.isDouble())
            result.duration = duration.toDouble();
        result.size = integerTextMember(format, QStringLiteral("size"));
        result.bitrate = integerTextMember(format, QStringLiteral("bit_rate"));
    }
    return result;
}

std::optional<ProbeResult> probeMedia(const QString &path)
{
    const QString ffprobe = ToolLocator::ffprobePath();
    if (ffprobe.isEmpty())
        return std::nullopt;
    const SyncProcessOutput output = runProcessSync(ffprobe, probeArguments(path));
    if (!output.success)
        return std::nullopt;
    return parseProbeOutput(output.output);
}

ProbeRun::ProbeRun(QObject *parent)
    : Operation(parent)
{
}

ProbeRun::~ProbeRun() = default;

void ProbeRun::onCancel()
{
    if (m_run)
        m_run->cancel();
}

ProbeRun *probeMediaAsync(const QString &path, QObject *parent)
{
    auto *probe = new ProbeRun(parent);
    const QString ffprobe = ToolLocator::ffprobePath();
    if (ffprobe.isEmpty()) {
        probe->finish();
        return probe;
    }
    auto collect = [probe](const QString &line) {
        probe->m_output += line;
        probe->m_output += u'\n';
    };
    probe->m_run = runProcess(ffprobe, probeArguments(path), collect, {}, probe);
    QObject::connect(probe->m_run, &Operation::finished, probe, [probe] {
        const ProcessRun *run = probe->m_run;
        if (!run->error() && run->result().exitCode == 0 && !probe->isCancelled())
            probe->m_result = parseProbeOutput(probe->m_output);
        probe->m_output.clear();
        probe->m_run->deleteLater();
        probe->finish();
    });
    return probe;
}
