#pragma once

#include <functional>
#include <vector>

#include <glm/glm.hpp>

#include "tools/meshes/Mesh.h"

namespace zarnhold_assets {

// Building blocks shared by the level and the props: flat faces wound towards a chosen
// side, boxes and wedges, all with world-unit texture coordinates.

// The faces of an axis-aligned box, as bits.
enum BoxFace : unsigned {
    kFaceMinX = 1u,
    kFaceMaxX = 2u,
    kFaceMinY = 4u,
    kFaceMaxY = 8u,
    kFaceMinZ = 16u,
    kFaceMaxZ = 32u,
    kAllFaces = 63u,
};

// Texture coordinates for a corner at `position` on a face with unit normal `normal`.
using UvMap = std::function<glm::vec2(glm::vec3 position, glm::vec3 normal)>;

// A flat polygon given by its corners in order around it (either way round), wound so
// that it faces the side `facing` points to, fanned into triangles.
void addFace(Mesh& mesh, const std::vector<glm::vec3>& points, glm::vec3 facing, const UvMap& uvMap);
// The same with world-unit texture coordinates (worldUv).
void addFace(Mesh& mesh, const std::vector<glm::vec3>& points, glm::vec3 facing, float unitsPerRepeat);

// An axis-aligned box seen from outside; `faces` picks the sides that are built (a side
// against a wall or the floor is left out).
void addBox(Mesh& mesh, glm::vec3 low, glm::vec3 high, unsigned faces, float unitsPerRepeat);

// A ramp block over the footprint [low.x, high.x] x [low.z, high.z], standing on y = low.y,
// whose top climbs from `topAtStart` to `topAtEnd` along +x (alongX) or +z. `faces` picks
// the sides as for a box; the top (kFaceMaxY) is the sloped face.
void addWedge(Mesh& mesh, glm::vec3 low, glm::vec3 high, float topAtStart, float topAtEnd, bool alongX,
              unsigned faces, float unitsPerRepeat);

}  // namespace zarnhold_assets
