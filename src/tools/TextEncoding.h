#pragma once

#include <QString>

#include <optional>

// The character set of a text file that is not UTF-8, as iconv names it
// ("WINDOWS-1252", "ISO-8859-7", …), guessed from its first megabytes.
// Nothing for UTF-8 or ASCII, for UTF-16 or UTF-32 with a byte order mark
// (ffmpeg reads those by itself), for anything but a readable regular file,
// and when no guess can be made. Blocking: never on the UI thread.
std::optional<QString> legacyTextEncoding(const QString &path);
