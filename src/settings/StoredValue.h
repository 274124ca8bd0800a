#pragma once

#include <QJsonObject>
#include <QList>
#include <QString>
#include <QVariant>

#include <optional>

// Strict readers for values in an INI settings file. The file keeps no
// types: a value read back is text (a list when it held unquoted commas),
// while a value written during this run keeps its QVariant type in Qt's
// cache of the file. Both forms are accepted; anything else is no value.
namespace StoredValue {

std::optional<bool> toBool(const QVariant &stored); // "true"/"false" only
std::optional<qint64> toInteger(const QVariant &stored);
std::optional<double> toDouble(const QVariant &stored); // finite only
std::optional<QString> toText(const QVariant &stored);
// A list of JSON texts (a single text is the INI form of a one-element list);
// an element that is not a JSON object is left out.
std::optional<QList<QJsonObject>> toJsonObjects(const QVariant &stored);

} // namespace StoredValue
