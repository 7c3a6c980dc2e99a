#include "tools/pictures/Rng.h"

std::uint64_t Rng::next() {
    state += 0x9E3779B97F4A7C15ull;
    std::uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

float Rng::uniform() {
    // 24 bits fill a float's mantissa exactly, so the result never rounds up to 1.
    return static_cast<float>(next() >> 40) / 16777216.0f;
}

float Rng::range(float low, float high) {
    return low + (high - low) * uniform();
}
