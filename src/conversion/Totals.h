#pragma once

// Counters of one run of a job queue.
struct Totals {
    int total = 0; // items handed to the queue, skipped ones included
    int completed = 0; // converted or skipped
    int failed = 0;
    // Stopped while converting; items a cancel found still waiting never
    // started and leave the total.
    int cancelled = 0;

    friend bool operator==(const Totals &, const Totals &) = default;
};
