#pragma once

class QString;
struct BatchSettings;
struct ConversionSettings;
struct MediaTarget;

// The text that says with which target and settings an item was converted:
// the target id and every setting that changes the output, "|"-joined in a
// fixed order. Equal signatures mean an unchanged conversion.
QString successSignature(const MediaTarget &target, const BatchSettings &batch,
                         const ConversionSettings &settings);
// The same under the preferences of this moment.
QString successSignature(const MediaTarget &target, const BatchSettings &batch);
