#pragma once

#include "model/ProbeSummary.h"

#include <QString>

#include <optional>

struct ProbeResult;

// The media probe as classification sees it (MediaType::ProbeFunction), so
// that the model can place files by their streams without knowing the tools.
ProbeSummary classificationSummary(const ProbeResult &result);

// Blocking probe for pool threads; nothing when the file is no media.
std::optional<ProbeSummary> probeForClassification(const QString &path);
