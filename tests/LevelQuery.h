#pragma once

#include <cstddef>
#include <unordered_map>
#include <vector>

#include <glm/glm.hpp>

#include "scene/Triangle.h"

namespace zarnhold {

// Geometric questions about a loaded level, for the tests that check it fits the game:
// rays, distances and the walkable floor. Triangles are bucketed on a grid of 1-unit
// cells across x and z so each question looks at a few of them.
class LevelQuery {
public:
    explicit LevelQuery(const std::vector<Triangle>& triangles);

    struct Hit {
        bool found = false;
        float distance = 0.0f;
        glm::vec3 normal{0.0f};  // the face normal as the file gives it
    };
    // The nearest triangle along the ray (direction unit) within maxDistance, either side.
    Hit castRay(glm::vec3 origin, glm::vec3 direction, float maxDistance) const;

    // Distance from `point` to the nearest triangle, or `radius` if none is nearer.
    float clearance(glm::vec3 point, float radius) const;

    // Heights of the walkable surfaces (facing up, no steeper than 30 degrees) at (x, z).
    std::vector<float> floorsAt(float x, float z) const;

    glm::vec3 low() const { return lowCorner; }
    glm::vec3 high() const { return highCorner; }

private:
    std::vector<std::size_t> trianglesNear(glm::vec3 a, glm::vec3 b) const;
    static long long cellKey(int x, int z);

    std::vector<Triangle> triangles;
    std::vector<glm::vec3> faceNormals;
    std::unordered_map<long long, std::vector<std::size_t>> cells;
    glm::vec3 lowCorner{0.0f};
    glm::vec3 highCorner{0.0f};
};

}  // namespace zarnhold
