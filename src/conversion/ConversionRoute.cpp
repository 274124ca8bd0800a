#include "conversion/ConversionRoute.h"

QString routeName(ConversionRoute route)
{
    switch (route) {
    case ConversionRoute::ffmpeg:
        return QStringLiteral("ffmpeg");
    case ConversionRoute::imagePath:
        return QStringLiteral("image path (libvips)");
    case ConversionRoute::webpThroughPng:
        return QStringLiteral("image path (libvips) to PNG, then ffmpeg to WebP");
    case ConversionRoute::microDvdThroughSrt:
        return QStringLiteral("ffmpeg to SRT, then MicroDVD");
    }
    return {};
}
