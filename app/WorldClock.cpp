#include "app/WorldClock.h"

#include <algorithm>

namespace zarnhold {

double worldAdvanceMs(double elapsedMs) {
    return std::clamp(elapsedMs, 0.0, longestWorldStepMs);
}

}  // namespace zarnhold
