#pragma once

// Counters of one run of a job queue.
struct Totals {
    int total = 0; // items handed to the queue, skipped ones included
    int completed = 0; // converted or skipped
    int failed = 0; // failed or cancelled

    friend bool operator==(const Totals &, const Totals &) = default;
};
