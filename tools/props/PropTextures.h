#pragma once

#include <cstdint>

#include <glm/glm.hpp>

#include "tools/pictures/Image.h"

namespace zarnhold_assets {

// Pictures for the props, laid out to match the texture regions their models use.

struct TexturePair {
    Image colour;
    Image normals;
};

// 256 x 256: hammered iron on the left half, icy glowing crystal on the right.
TexturePair paintLightCrystalTexture();
// 512 x 512: scaly hide, the face with its burning eyes, a leather kilt (EnemyAtlas).
TexturePair paintEnemyTexture();
// 256 x 256: steel blade, gold fittings, leather grip, in vertical strips.
Image paintSwordTexture();
// 512 x 512: the shield's painted face over the whole picture, iron outside the disc.
Image paintShieldTexture();
// 256 x 256: one face picture of the goal crystal, glowing facets in `tint`.
Image paintCrystalFace(std::uint64_t seed, glm::vec3 tint, glm::vec3 glow);

}  // namespace zarnhold_assets
