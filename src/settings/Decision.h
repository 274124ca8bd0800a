#pragma once

#include <QString>

// What the user answered to the newsletter prompt, shared by all of the
// maker's programs. The raw value is the text that is stored.
enum class Decision { none, snoozed, declined, subscribed };

QString rawValue(Decision decision);
// A missing or unknown text reads as none.
Decision decisionFromRawValue(const QString &raw);
