#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// What a text file's bytes say about their character set.
struct TextEncodingGuess {
    // The legacy character set of the lines that are not UTF-8, as iconv
    // names it ("WINDOWS-1252", "ISO-8859-7", …); nothing when every line
    // is UTF-8 (or ASCII), for UTF-16 or UTF-32 with a byte order mark
    // (ffmpeg reads those by itself), and when no guess can be made.
    std::optional<QString> legacy;
    // Some lines are UTF-8 beyond ASCII and others are not: no one
    // character set reads the whole file.
    bool mixed = false;
};

TextEncodingGuess guessTextEncoding(const QByteArray &bytes);

// The character set to read a whole subtitle file with, when it is one
// legacy set: nothing for UTF-8, for anything but a readable regular file,
// when no guess can be made, and for a file that mixes UTF-8 with another
// set (ffmpeg then drops the lines it cannot read, and the output check
// fails the item with the count it lost). Blocking: never on the UI thread.
std::optional<QString> legacyTextEncoding(const QString &path);
