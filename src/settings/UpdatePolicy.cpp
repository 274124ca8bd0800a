#include "settings/UpdatePolicy.h"

#include "settings/Preferences.h"

namespace {

constexpr qint64 automaticCheckDays = 7;
constexpr qint64 retryAfterFailureSeconds = 24 * 60 * 60;

} // namespace

UpdatePolicy::UpdatePolicy(std::function<QDateTime()> clock)
    : m_clock(std::move(clock))
{
}

QDateTime UpdatePolicy::now() const
{
    return m_clock ? m_clock() : QDateTime::currentDateTime();
}

UpdateState UpdatePolicy::stored()
{
    const Preferences &preferences = Preferences::instance();
    return {preferences.value(PreferenceKeys::automaticallyCheckForUpdates),
            QDateTime::fromString(preferences.value(PreferenceKeys::lastUpdateCheck),
                                  Qt::ISODateWithMs),
            {}};
}

bool UpdatePolicy::isAutomaticCheckDue(const UpdateState &state) const
{
    if (!state.automaticChecks)
        return false;
    const QDateTime current = now();
    if (state.lastAutomaticFailure.isValid()
        && state.lastAutomaticFailure.secsTo(current) < retryAfterFailureSeconds)
        return false;
    if (!state.lastCheck.isValid())
        return true;
    // A last check in the future means the clock was set back: check now
    // rather than wait for the clock to catch up.
    return state.lastCheck.addDays(automaticCheckDays) <= current || state.lastCheck > current;
}
