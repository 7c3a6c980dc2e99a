#pragma once

#include <cstddef>

#include "tools/meshes/Mesh.h"

// How many vertices the game will have after welding this mesh: corners whose position,
// texture coordinate and normal all agree within 0.01 per component become one, each
// joining the first earlier vertex it matches. The game's indices are 16 bits wide, so
// the level must stay at or under 65,536.
std::size_t countWeldedVertices(const Mesh& mesh);
