#pragma once

#include <cstdint>

#include "scene/RunRandom.h"

namespace zarnhold_assets {

// The game's own types and tables, which the generator builds around.
using namespace zarnhold;

// The game's seeded generator (SplitMix64) with the tool's ranges, so every run of the tool
// draws the same numbers on every machine; the C library's rand() differs between
// platforms.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : bits(seed) {}

    // The next 64 random bits.
    std::uint64_t next();
    // Uniform in [0, 1).
    float uniform();
    // Uniform in [low, high).
    float range(float low, float high);

private:
    RunRandom bits;
};

}  // namespace zarnhold_assets
