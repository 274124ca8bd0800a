#pragma once

#include <QStringView>

#include <optional>

// The number syntax of the tools' machine-readable output.

// An optional "+" or "-" and one or more decimal digits, nothing else, within
// the 64-bit signed range.
std::optional<qint64> parseInteger(QStringView text);

// The whole text as a C-locale floating-point literal (as strtod reads it,
// "inf", "nan" and hexadecimal forms included); leading whitespace or any
// unread rest makes it no number.
std::optional<double> parseDouble(QStringView text);
