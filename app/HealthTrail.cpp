#include "app/HealthTrail.h"

#include <algorithm>

namespace zarnhold {

void HealthTrail::follow(float health, double ms) {
    if (health < lastHealth) {
        sinceFallMs = 0.0;
    } else {
        sinceFallMs += ms;
    }
    lastHealth = health;
    if (health >= shown) {
        shown = health;
        return;
    }
    if (sinceFallMs > holdMs) {
        shown = std::max(health, shown - static_cast<float>(drainPerSecond * ms / 1000.0));
    }
}

void HealthTrail::reset(float health) {
    shown = lastHealth = health;
    sinceFallMs = 0.0;
}

}  // namespace zarnhold
