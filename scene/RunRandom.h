#pragma once

#include <cstdint>

namespace zarnhold {

// The one random generator of a run: the flicker, the enemies' first leaps and their arms'
// swings all draw from it, in the order the ticks ask, so a run replays exactly from its
// seed on any machine (SplitMix64: the same numbers from the same seed everywhere).
class RunRandom {
public:
    explicit RunRandom(std::uint64_t seed = 0) : state(seed) {}

    void reseed(std::uint64_t seed) { state = seed; }
    std::uint64_t next();
    // Uniform in 0..1, both ends possible.
    float unit();
    std::uint64_t currentState() const { return state; }

private:
    std::uint64_t state = 0;
};

}  // namespace zarnhold
