#pragma once

#include <QStringView>

class QCollator;

// The order of file names in a file manager: runs of digits compare by their
// number and the rest by the collator, so that "Track 2" sorts before
// "Track 10". (QCollator's own numeric mode needs ICU, which not every Qt
// build has.)
namespace NaturalOrder {

// Negative, zero or positive as a sorts before, with or after b.
int compare(QStringView a, QStringView b, const QCollator &collator);

} // namespace NaturalOrder
