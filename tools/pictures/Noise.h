#pragma once

#include <array>
#include <cstdint>

namespace zarnhold_assets {

// Seeded lattice noise for the procedural pictures. Every function can repeat with a
// whole-number period (in lattice cells) so that textures tile without a seam.
class Noise {
public:
    explicit Noise(std::uint64_t seed);

    // Smooth value noise in [0, 1]; repeats every `period` cells in x and y (period <= 256).
    float value(float x, float y, int period) const;
    // Sum of `octaves` value-noise layers, each twice the frequency and half the weight of
    // the one before; in [0, 1]. The period doubles with the frequency, so it still tiles.
    float fbm(float x, float y, int octaves, int period) const;
    // Cellular noise: distances to the nearest and second-nearest feature point, one
    // point per cell, repeating every `period` cells. Cracks and facets follow F2 - F1.
    struct Cells {
        float nearest = 0.0f;
        float second = 0.0f;
        int cellId = 0;
    };
    Cells cells(float x, float y, int period) const;

private:
    // A pseudo-random byte for lattice point (ix, iy), both already wrapped.
    int hash(int ix, int iy) const;

    std::array<std::uint8_t, 512> permutation{};
};

}  // namespace zarnhold_assets
