#pragma once

#include <QString>

// The word shown beside the video quality slider for a quality value:
// below 18 "Excellent", below 22 "High", below 26 "Standard", below 29
// "Moderate", otherwise "Low", judged on the value truncated toward zero.
// NaN, which the store never yields, reads as the default 23 would.
QString qualityLabel(double videoQuality);
