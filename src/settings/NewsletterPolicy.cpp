#include "settings/NewsletterPolicy.h"

#include "settings/PreferenceKeys.h"

#include <algorithm>
#include <limits>

#include "vireo/BuildConfig.h"

namespace {

constexpr int launchesBeforePrompt = 3;
constexpr int daysBeforePrompt = 2;
constexpr int snoozeDays = 14;

// Whole days by the local calendar: a day has passed when the wall-clock time
// of the start has come round again, so a day across a daylight-saving change
// is 23 or 25 hours long.
qint64 wholeDaysBetween(const QDateTime &from, const QDateTime &to)
{
    const QDateTime start = from.toLocalTime();
    const QDateTime end = to.toLocalTime();
    qint64 days = start.date().daysTo(end.date());
    if (days > 0 && start.addDays(days) > end)
        --days;
    else if (days < 0 && start.addDays(days) < end)
        ++days;
    return days;
}

} // namespace

NewsletterPolicy::NewsletterPolicy(std::function<QDateTime()> clock)
    : m_clock(std::move(clock))
{
}

QDateTime NewsletterPolicy::now() const
{
    return m_clock ? m_clock() : QDateTime::currentDateTime();
}

bool NewsletterPolicy::hasAnswered(const NewsletterState &state)
{
    return state.decision == Decision::subscribed || state.decision == Decision::declined;
}

NewsletterState NewsletterPolicy::launched(NewsletterState state) const
{
    if (!state.installDate.isValid())
        state.installDate = now();
    state.launchCount = std::max(state.launchCount, 0);
    if (state.launchCount < std::numeric_limits<int>::max())
        ++state.launchCount;
    return state;
}

bool NewsletterPolicy::launchRuleAllows(const NewsletterState &state) const
{
    if (state.launchCount >= launchesBeforePrompt)
        return true;
    return state.installDate.isValid()
        && wholeDaysBetween(state.installDate, now()) >= daysBeforePrompt;
}

bool NewsletterPolicy::mayPromptAutomatically(const NewsletterState &state) const
{
    if (hasAnswered(state))
        return false;
    if (state.decision == Decision::snoozed && state.snoozeUntil.isValid()
        && state.snoozeUntil > now())
        return false;
    return launchRuleAllows(state);
}

QDateTime NewsletterPolicy::snoozeEnd() const
{
    const QDateTime current = now();
    const QDateTime until = current.toLocalTime().addDays(snoozeDays);
    return until.isValid() ? until : current;
}

QString NewsletterKeys::programId()
{
    const QString id = QString::fromUtf8(BuildConfig::appId);
    return id.isEmpty() ? QStringLiteral("unknown.app") : id;
}
