#pragma once

#include <QString>

// How one item becomes its output.
enum class ConversionRoute {
    ffmpeg, // one ffmpeg run from the source into the output
    imagePath, // libvips alone (HEIF family and AVIF sources into an image format)
    webpThroughPng, // libvips into a temporary PNG, which ffmpeg encodes as WebP
    microDvdThroughSrt, // ffmpeg into a temporary SRT, which becomes MicroDVD frames
};

// A short name for the dry run: "ffmpeg", "image path (libvips)", …
QString routeName(ConversionRoute route);
