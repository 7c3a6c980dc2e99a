#pragma once

#include <vector>

#include <glm/glm.hpp>

namespace zarnhold_assets {

// One corner as the modelling code places it: a position and a texture coordinate. The
// normal belongs to the face.
struct Corner {
    glm::vec3 position{0.0f};
    glm::vec2 uv{0.0f};
};

// One triangle with its face normal, corners counter-clockwise seen from the side the
// normal points to.
struct MeshTriangle {
    Corner corners[3];
    glm::vec3 normal{0.0f, 0.0f, 1.0f};
};

// A triangle soup with per-face normals, the form every model of the game is written in.
class Mesh {
public:
    // Adds a triangle whose normal follows from its winding (counter-clockwise = front).
    // Triangles of no area are dropped: they would only give the game's tangent step NaNs.
    void addTriangle(const Corner& a, const Corner& b, const Corner& c);
    // Adds the quad a b c d (counter-clockwise seen from the front) as two triangles.
    void addQuad(const Corner& a, const Corner& b, const Corner& c, const Corner& d);
    // Adds every triangle of `other`.
    void append(const Mesh& other);
    // Moves every position by `matrix` (normals by its inverse transpose, renormalised).
    void transform(const glm::mat4& matrix);

    const std::vector<MeshTriangle>& triangles() const { return list; }
    size_t triangleCount() const { return list.size(); }

private:
    std::vector<MeshTriangle> list;
};

// Texture coordinates that follow position in world units, one repeat per
// `unitsPerRepeat`, for a face with normal `normal`. Walls run u along the wall and v up;
// floors and ceilings u along x. u, v and the normal always form a right-handed frame,
// so the game's tangents never mirror the normal map.
glm::vec2 worldUv(glm::vec3 position, glm::vec3 normal, float unitsPerRepeat);

}  // namespace zarnhold_assets
