#pragma once

#include <glm/glm.hpp>

#include "tools/meshes/Mesh.h"

namespace zarnhold_assets {

// The creature, in its own space: 2 units tall (the game scales it by 0.4), y up, feet
// on y = 0, facing +z. Its arms are a separate model that the game swings about the x
// axis through the shoulder point.

// Where the arms hang from, in the creature's space.
const glm::vec3 kShoulderPoint(0.0f, 1.3f, 0.2f);

// Texture regions of enemy.bmp shared by the model and its picture: scaly hide on the
// left half, the face (seen from the front) top right, the leather kilt bottom right.
struct EnemyAtlas {
    static constexpr float kHideU1 = 0.5f;
    static constexpr float kFaceV0 = 0.5f;
    // The head's front view fills the face region: x across, y up.
    static constexpr float kHeadHalfWidth = 0.22f;
    static constexpr float kHeadBottom = 1.38f;
    static constexpr float kHeadTop = 1.98f;
    // Eyes and mouth on the head, in the creature's space.
    static constexpr float kEyeX = 0.085f;
    static constexpr float kEyeY = 1.71f;
    static constexpr float kMouthY = 1.5f;
};

Mesh buildEnemyModel();
// Both arms, hanging from the shoulders down to claws near y = 0.3.
Mesh buildArmsModel();

}  // namespace zarnhold_assets
