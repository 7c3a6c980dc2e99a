#include "scene/RunRandom.h"

namespace zarnhold {

std::uint64_t RunRandom::next() {
    state += 0x9E3779B97F4A7C15ull;
    std::uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

float RunRandom::unit() {
    // 24 bits fill a float's mantissa exactly, so 0 and 1 are both reachable and the step
    // between values is even.
    constexpr float top = 16777215.0f;
    return static_cast<float>(next() >> 40) / top;
}

}  // namespace zarnhold
