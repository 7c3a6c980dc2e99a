#pragma once

#include <cstdint>

// A small seeded generator (SplitMix64), so every run of the tool draws the same
// numbers on every machine; the C library's rand() differs between platforms.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : state(seed) {}

    // The next 64 random bits.
    std::uint64_t next();
    // Uniform in [0, 1).
    float uniform();
    // Uniform in [low, high).
    float range(float low, float high);

private:
    std::uint64_t state = 0;
};
