#pragma once

#include <vector>

#include <glm/glm.hpp>

namespace zarnhold {

// A light crystal on a wall, as the game places it: its position in the render frame and
// its turn about the vertical axis, in radians; its own +z then looks into the room.
struct LightCrystalPlacement {
    glm::vec3 renderPos{0.0f};
    float angleRadians = 0.0f;

    // The position in the physics frame (the level file's frame).
    glm::vec3 physicsPos() const;
    // Unit and horizontal, in the physics frame: the crystal's own +z turned by its angle.
    // The light hangs about one unit along it.
    glm::vec3 physicsFacing() const;
};

// The fixed places of every run, kept once for the game, the asset generator that builds
// the level around them and the tests that check the level fits them. Each is given in
// the frame the game uses it in, as its name says.
struct LevelPlaces {
    glm::vec3 playerBodyStart{0.0f};
    // Where the sword hovers until it is picked up.
    glm::vec3 swordPhysicsPos{0.0f};
    // The player takes the sword when the eye crosses this z towards -z, anywhere in x.
    float swordPickUpPhysicsZ = 0.0f;
    // In creation order, which is also the order of their lights in the game's light list.
    std::vector<LightCrystalPlacement> lightCrystals;
    glm::vec3 goalCrystalRenderPos{0.0f};
    // In creation order; two pairs of enemies start at the same point.
    std::vector<glm::vec3> enemyBodyStarts;
};

// The one set of places, built on first use.
const LevelPlaces& levelPlaces();

// A render-frame point or direction in the physics frame: (x, y, z) -> (x, -y, -z).
glm::vec3 renderToPhysics(glm::vec3 renderPos);
// A physics-frame point in the render frame: the same half turn, undone by itself.
inline glm::vec3 physicsToRender(glm::vec3 physicsPos) {
    return renderToPhysics(physicsPos);
}

}  // namespace zarnhold
