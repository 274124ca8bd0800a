#include "ui/settings/QualityLabel.h"

#include "settings/PreferenceKeys.h"

#include <QCoreApplication>

#include <cmath>

QString qualityLabel(double videoQuality)
{
    if (std::isnan(videoQuality))
        videoQuality = PreferenceKeys::videoQuality.defaultValue;
    // Compared as a double: no int conversion to overflow.
    const double q = std::trunc(videoQuality);
    const char *text = q < 18 ? QT_TRANSLATE_NOOP("QualityLabel", "Excellent")
        : q < 22              ? QT_TRANSLATE_NOOP("QualityLabel", "High")
        : q < 26              ? QT_TRANSLATE_NOOP("QualityLabel", "Standard")
        : q < 29              ? QT_TRANSLATE_NOOP("QualityLabel", "Moderate")
                              : QT_TRANSLATE_NOOP("QualityLabel", "Low");
    return QCoreApplication::translate("QualityLabel", text);
}
