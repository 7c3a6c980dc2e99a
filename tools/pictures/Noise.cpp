#include "tools/pictures/Noise.h"

#include <cmath>
#include <numeric>
#include <utility>

#include "tools/pictures/Rng.h"

namespace zarnhold_assets {

namespace {

int wrap(int i, int period) {
    const int m = i % period;
    return m < 0 ? m + period : m;
}

float smooth(float t) {
    return t * t * (3.0f - 2.0f * t);
}

}  // namespace

Noise::Noise(std::uint64_t seed) {
    std::array<std::uint8_t, 256> base{};
    std::iota(base.begin(), base.end(), 0);
    Rng rng(seed);
    for (int i = 255; i > 0; --i) {
        const int j = static_cast<int>(rng.next() % static_cast<std::uint64_t>(i + 1));
        std::swap(base[i], base[j]);
    }
    for (int i = 0; i < 512; ++i) {
        permutation[i] = base[i & 255];
    }
}

int Noise::hash(int ix, int iy) const {
    return permutation[permutation[ix & 255] + (iy & 255)];
}

float Noise::value(float x, float y, int period) const {
    const float fx = std::floor(x);
    const float fy = std::floor(y);
    const int x0 = wrap(static_cast<int>(fx), period);
    const int y0 = wrap(static_cast<int>(fy), period);
    const int x1 = wrap(x0 + 1, period);
    const int y1 = wrap(y0 + 1, period);
    const float tx = smooth(x - fx);
    const float ty = smooth(y - fy);
    const float a = hash(x0, y0) / 255.0f;
    const float b = hash(x1, y0) / 255.0f;
    const float c = hash(x0, y1) / 255.0f;
    const float d = hash(x1, y1) / 255.0f;
    const float top = a + (b - a) * tx;
    const float bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

float Noise::fbm(float x, float y, int octaves, int period) const {
    float sum = 0.0f;
    float weight = 0.5f;
    float total = 0.0f;
    float scale = 1.0f;
    for (int i = 0; i < octaves; ++i) {
        sum += weight * value(x * scale, y * scale, period * static_cast<int>(scale));
        total += weight;
        weight *= 0.5f;
        scale *= 2.0f;
    }
    return sum / total;
}

Noise::Cells Noise::cells(float x, float y, int period) const {
    const int cx = static_cast<int>(std::floor(x));
    const int cy = static_cast<int>(std::floor(y));
    Cells result;
    result.nearest = 1e9f;
    result.second = 1e9f;
    for (int oy = -1; oy <= 1; ++oy) {
        for (int ox = -1; ox <= 1; ++ox) {
            const int gx = wrap(cx + ox, period);
            const int gy = wrap(cy + oy, period);
            const int h = hash(gx, gy);
            // Two independent offsets inside the cell from two hashes of the same point.
            const float px = cx + ox + (h / 255.0f) * 0.8f + 0.1f;
            const float py = cy + oy + (hash(gy + 17, gx + 31) / 255.0f) * 0.8f + 0.1f;
            const float d = std::sqrt((px - x) * (px - x) + (py - y) * (py - y));
            if (d < result.nearest) {
                result.second = result.nearest;
                result.nearest = d;
                result.cellId = gy * period + gx;
            } else if (d < result.second) {
                result.second = d;
            }
        }
    }
    return result;
}

}  // namespace zarnhold_assets
