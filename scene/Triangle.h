#pragma once

#include <glm/glm.hpp>

namespace zarnhold {

// One mesh triangle: three corners in the file's order, object space.
// Normals are kept exactly as the file gave them (not re-normalised).
struct Triangle {
    glm::vec3 positions[3];
    glm::vec2 uvs[3];
    glm::vec3 normals[3];
};

}  // namespace zarnhold
