#pragma once

#include <QString>

// What the probe found out about an input's video, as far as the argument
// builder needs it; zero sizes and an empty format mean "not known", which
// leaves the command line as it is without them.
struct SourceVideo {
    int width = 0;
    int height = 0;
    QString pixelFormat; // ffmpeg's name, e.g. "yuv420p10le"
};
