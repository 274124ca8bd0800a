#pragma once

#include <QString>

#include <optional>

// What classification needs to know of a file that the MIME database cannot
// place. A media probe of a layer above fills it in; the model never probes
// on its own.
struct ProbeSummary {
    // The dominant stream kind ("audio", "video", "subtitle", …); nothing
    // when the file has no streams.
    std::optional<QString> primaryCodecType;
    std::optional<double> duration; // seconds
    std::optional<QString> formatLongName;
};
