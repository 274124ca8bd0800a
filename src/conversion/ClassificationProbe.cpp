#include "conversion/ClassificationProbe.h"

#include "tools/MediaProbe.h"
#include "tools/ProbeResult.h"

ProbeSummary classificationSummary(const ProbeResult &result)
{
    return {result.primaryCodecType(), result.duration, result.formatLongName};
}

std::optional<ProbeSummary> probeForClassification(const QString &path)
{
    const std::optional<ProbeResult> result = probeMedia(path);
    if (!result)
        return std::nullopt;
    return classificationSummary(*result);
}
