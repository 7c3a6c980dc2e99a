#include "app/WorldClock.h"

#include <algorithm>

double worldAdvanceMs(double elapsedMs) {
    return std::clamp(elapsedMs, 0.0, longestWorldStepMs);
}
