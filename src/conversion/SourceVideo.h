#pragma once

#include <QString>

// What the probe found out about an input's video, as far as the argument
// builder needs it; zero sizes and an empty format mean "not known", which
// leaves the command line as it is without them.
struct SourceVideo {
    int width = 0;
    int height = 0;
    QString pixelFormat {}; // ffmpeg's name, e.g. "yuv420p10le"
    double frameRate = 0.0; // frames per second; 0 when not known
    // The video stream's bitrate, or failing that the whole file's (an upper
    // bound of the video's); 0 when not known.
    qint64 bitrate = 0; // bits per second
    QString codecName {}; // ffmpeg's name, e.g. "h264"
};
