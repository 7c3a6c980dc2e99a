#pragma once

#include <string>

#include "run/LevelPlaces.h"
#include "tools/level/LevelLayout.h"
#include "tools/meshes/Mesh.h"
#include "tools/pictures/Image.h"

namespace zarnhold_assets {

// The game's own types and tables, which the generator builds around.
using namespace zarnhold;

// A top-down plan of the level for its designers: the highest floor at every point
// coloured by its height, walls in grey, room names, and the fixed places (start and
// sword, enemies in red, light crystals in cyan with a tick to their light, the goal in
// magenta). -z, the way the player sets out, is up. Ten pixels per unit.
Image drawFloorPlan(const Mesh& level, const LevelLayout& layout, const LevelPlaces& places,
                    const std::string& fontDir);

}  // namespace zarnhold_assets
