// ffmpeg's -progress stream, line by line as LineBuffer hands it over.
#include "tools/FFProgressParser.h"

#include <QString>

#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    FFProgressParser parser;
    for (const QString &line : text.split(u'\n', Qt::SkipEmptyParts)) {
        const auto progress = parser.parseProgressLine(line);
        if (!progress)
            continue;
        // What the job turns into a fraction and the views show.
        const auto bad = [](const std::optional<double> &value) {
            return value && (!std::isfinite(*value) || *value < 0);
        };
        if (bad(progress->outTimeSeconds) || bad(progress->speed) || bad(progress->fps)
            || (progress->frame && *progress->frame < 0))
            std::abort();
    }
    return 0;
}
