#pragma once

#include <vector>

#include <glm/glm.hpp>

// The places the game puts things at, in the level file's own (physics) frame, +y up.
// The game gives the light crystals and the goal crystal in the render frame; they are
// turned here ((x, y, z) drawn at (x, -y, -z)), so the level can be built around them.
struct LightCrystalPlace {
    glm::vec3 crystal{0.0f};
    glm::vec3 facing{0.0f};  // unit, horizontal: the light sits one unit along it
};

struct LevelPlaces {
    glm::vec3 playerStart{0.0f};  // the player's body centre
    glm::vec3 sword{0.0f};
    glm::vec3 goalCrystal{0.0f};
    std::vector<glm::vec3> enemies;  // body centres at spawn, in the game's order
    std::vector<LightCrystalPlace> lightCrystals;
};

const LevelPlaces& levelPlaces();
