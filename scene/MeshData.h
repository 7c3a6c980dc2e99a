#pragma once

#include <cstdint>
#include <vector>

#include <glm/glm.hpp>

#include "scene/Triangle.h"

namespace zarnhold {

// Everything a mesh is: its triangles, the welded indexed geometry derived from them, and
// the GL names that draw it. Kept as one block so that objects drawing the same model (54
// enemies, their arms) share one read-only copy of it, every field included.
struct MeshData {
    std::vector<Triangle> triangles;
    std::vector<glm::vec3> tangents;
    std::vector<glm::vec3> bitangents;
    std::vector<std::uint16_t> indices;
    std::vector<glm::vec3> indexedPositions;
    std::vector<glm::vec2> indexedUvs;
    std::vector<glm::vec3> indexedNormals;
    std::vector<glm::vec3> indexedTangents;
    std::vector<glm::vec3> indexedBitangents;
    unsigned int diffuseTexture = 0;
    unsigned int normalTexture = 0;
    unsigned int positionBuffer = 0;
    unsigned int uvBuffer = 0;
    unsigned int normalBuffer = 0;
    unsigned int tangentBuffer = 0;
    unsigned int bitangentBuffer = 0;
    unsigned int elementBuffer = 0;
    // Bounding sphere of indexedPositions, object space; set with the indexed geometry.
    glm::vec3 boundsCenter{0.0f};
    float boundsRadius = 0.0f;
};

}  // namespace zarnhold
