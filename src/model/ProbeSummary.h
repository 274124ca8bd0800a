#pragma once

#include <QSize>
#include <QString>

#include <optional>

// What classification and the table need to know of a file's streams. A
// media probe of a layer above fills it in; the model never probes on its own.
struct ProbeSummary {
    bool movingPicture = false; // a decodable video stream that is no cover picture
    bool stillPicture = false; // a decodable picture: a cover, or a video stream of one frame
    bool audio = false; // a decodable audio stream
    bool subtitle = false; // a decodable subtitle stream
    // The file was claimed by a reader of plain text (teletype art, lyrics,
    // text subtitles): such a reader takes almost any text for its own.
    bool textReader = false;
    std::optional<double> duration {}; // seconds
    std::optional<QString> formatLongName {};
    std::optional<QSize> frameSize {}; // of the first moving picture
};
