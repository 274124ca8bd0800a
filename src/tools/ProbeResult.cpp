#include "tools/ProbeResult.h"

std::optional<QString> ProbeResult::primaryCodecType() const
{
    if (streams.size() == 1)
        return streams.first().codecType;
    for (const QString &kind : {QStringLiteral("video"), QStringLiteral("audio")}) {
        for (const ProbeStream &stream : streams) {
            if (stream.codecType == kind)
                return kind;
        }
    }
    if (streams.isEmpty())
        return std::nullopt;
    return streams.first().codecType;
}
