#pragma once

#include <QDateTime>

#include <functional>

// What decides whether an automatic update check is due.
struct UpdateState {
    bool automaticChecks = false; // the user's choice
    QDateTime lastCheck; // the last successful check; invalid: never
    QDateTime lastAutomaticFailure; // invalid: none this run
};

// When the update checker looks on its own, apart from how it fetches the
// feed: automatic checks are the user's choice, run at most once a week
// after a successful check, and not again within a day after one failed.
class UpdatePolicy final {
public:
    // Without a clock, the system's.
    explicit UpdatePolicy(std::function<QDateTime()> clock = {});

    QDateTime now() const;

    // The state kept in the preferences, with no failure.
    static UpdateState stored();
    bool isAutomaticCheckDue(const UpdateState &state) const;

private:
    std::function<QDateTime()> m_clock;
};
