#include "conversion/JobSpec.h"

#include "settings/Preferences.h"

JobSpec JobSpec::current(const MediaTarget &target, const QString &destination,
                         const BatchSettings &batch)
{
    const Preferences &preferences = Preferences::instance();
    return {target,
            destination,
            batch,
            ConversionSettings::current(),
            preferences.value(PreferenceKeys::overwriteExisting),
            preferences.value(PreferenceKeys::ignoreAlreadyProcessedFiles)};
}
