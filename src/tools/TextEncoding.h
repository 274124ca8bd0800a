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
// legacy set: nothing for UTF-8, for a file that mixes UTF-8 with another
// set (see utf8Copy), for anything but a readable regular file, and when no
// guess can be made. Blocking: never on the UI thread.
std::optional<QString> legacyTextEncoding(const QString &path);

// The text as UTF-8, line by line: a line that is valid UTF-8 is kept, any
// other is read in `legacy`.
QByteArray utf8ByLine(const QByteArray &bytes, const QString &legacy);

// Writes the file's text as UTF-8 to `target` when its lines mix UTF-8 with
// a legacy character set, so that ffmpeg reads every line. False when the
// file needs no copy or the copy could not be written. Blocking.
bool writeUtf8Copy(const QString &source, const QString &target);
