#include "tools/pictures/Rng.h"

namespace zarnhold_assets {

std::uint64_t Rng::next() {
    return bits.next();
}

float Rng::uniform() {
    // 24 bits fill a float's mantissa exactly, so the result never rounds up to 1.
    return static_cast<float>(next() >> 40) / 16777216.0f;
}

float Rng::range(float low, float high) {
    return low + (high - low) * uniform();
}

}  // namespace zarnhold_assets
