#pragma once

#include <optional>

// How far a run is, as the window's progress sheet, the taskbar and
// vireo-cli all show it.
struct BatchProgress {
    double fraction = 0.0; // 0 to 1
    double elapsedSeconds = 0.0;
    std::optional<double> estimate; // seconds left, once enough is known
};
