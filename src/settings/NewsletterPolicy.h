#pragma once

#include "settings/Decision.h"

#include <QDateTime>

#include <functional>

// What the newsletter prompt remembers between launches.
struct NewsletterState {
    Decision decision = Decision::none;
    QDateTime snoozeUntil; // invalid: none
    int launchCount = 0;
    QDateTime installDate; // invalid: not yet known
};

// When to invite the user to the newsletter, apart from where the state is
// kept and how a subscription travels: the automatic prompt shows from the
// third launch, or from the first launch two whole days after the first one,
// and then at every launch until the user answers; a snooze holds it back
// for 14 days, an answer for good.
class NewsletterPolicy final {
public:
    // Without a clock, the system's.
    explicit NewsletterPolicy(std::function<QDateTime()> clock = {});

    QDateTime now() const;

    // The user subscribed or declined.
    static bool hasAnswered(const NewsletterState &state);
    // The state after one more launch.
    NewsletterState launched(NewsletterState state) const;
    // The launch rule alone, which the menu's prompt also follows.
    bool launchRuleAllows(const NewsletterState &state) const;
    // The launch rule, unless the user answered or a snooze still holds.
    bool mayPromptAutomatically(const NewsletterState &state) const;
    // When a snooze given now ends.
    QDateTime snoozeEnd() const;

private:
    std::function<QDateTime()> m_clock;
};
