#include "tests/LevelQuery.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zarnhold {

namespace {

// Moeller-Trumbore; the distance along the ray, or a negative number when it misses.
float intersect(const Triangle& t, glm::vec3 origin, glm::vec3 direction) {
    const glm::vec3 e1 = t.positions[1] - t.positions[0];
    const glm::vec3 e2 = t.positions[2] - t.positions[0];
    const glm::vec3 p = glm::cross(direction, e2);
    const float det = glm::dot(e1, p);
    if (std::abs(det) < 1e-9f) {
        return -1.0f;
    }
    const float inv = 1.0f / det;
    const glm::vec3 s = origin - t.positions[0];
    const float u = glm::dot(s, p) * inv;
    if (u < -1e-6f || u > 1.0f + 1e-6f) {
        return -1.0f;
    }
    const glm::vec3 q = glm::cross(s, e1);
    const float v = glm::dot(direction, q) * inv;
    if (v < -1e-6f || u + v > 1.0f + 1e-6f) {
        return -1.0f;
    }
    return glm::dot(e2, q) * inv;
}

// Closest point on a triangle (Ericson, Real-Time Collision Detection 5.1.5).
glm::vec3 closestPoint(const Triangle& t, glm::vec3 p) {
    const glm::vec3 a = t.positions[0], b = t.positions[1], c = t.positions[2];
    const glm::vec3 ab = b - a, ac = c - a, ap = p - a;
    const float d1 = glm::dot(ab, ap), d2 = glm::dot(ac, ap);
    if (d1 <= 0.0f && d2 <= 0.0f) return a;
    const glm::vec3 bp = p - b;
    const float d3 = glm::dot(ab, bp), d4 = glm::dot(ac, bp);
    if (d3 >= 0.0f && d4 <= d3) return b;
    const float vc = d1 * d4 - d3 * d2;
    if (vc <= 0.0f && d1 >= 0.0f && d3 <= 0.0f) return a + ab * (d1 / (d1 - d3));
    const glm::vec3 cp = p - c;
    const float d5 = glm::dot(ab, cp), d6 = glm::dot(ac, cp);
    if (d6 >= 0.0f && d5 <= d6) return c;
    const float vb = d5 * d2 - d1 * d6;
    if (vb <= 0.0f && d2 >= 0.0f && d6 <= 0.0f) return a + ac * (d2 / (d2 - d6));
    const float va = d3 * d6 - d5 * d4;
    if (va <= 0.0f && (d4 - d3) >= 0.0f && (d5 - d6) >= 0.0f) {
        return b + (c - b) * ((d4 - d3) / ((d4 - d3) + (d5 - d6)));
    }
    const float denom = 1.0f / (va + vb + vc);
    return a + ab * (vb * denom) + ac * (vc * denom);
}

int cellOf(float v) {
    return static_cast<int>(std::floor(v));
}

}  // namespace

LevelQuery::LevelQuery(const std::vector<Triangle>& list) : triangles(list) {
    lowCorner = glm::vec3(std::numeric_limits<float>::max());
    highCorner = glm::vec3(-std::numeric_limits<float>::max());
    for (std::size_t i = 0; i < triangles.size(); ++i) {
        const Triangle& t = triangles[i];
        faceNormals.push_back(glm::normalize(t.normals[0]));
        glm::vec3 lo = glm::min(glm::min(t.positions[0], t.positions[1]), t.positions[2]);
        glm::vec3 hi = glm::max(glm::max(t.positions[0], t.positions[1]), t.positions[2]);
        lowCorner = glm::min(lowCorner, lo);
        highCorner = glm::max(highCorner, hi);
        for (int x = cellOf(lo.x); x <= cellOf(hi.x); ++x) {
            for (int z = cellOf(lo.z); z <= cellOf(hi.z); ++z) {
                cells[cellKey(x, z)].push_back(i);
            }
        }
    }
}

long long LevelQuery::cellKey(int x, int z) {
    // Shifted as unsigned: a negative cell number shifted left is undefined.
    const unsigned long long high = static_cast<unsigned long long>(static_cast<unsigned int>(x)) << 32;
    return static_cast<long long>(high | static_cast<unsigned int>(z));
}

std::vector<std::size_t> LevelQuery::trianglesNear(glm::vec3 a, glm::vec3 b) const {
    std::vector<std::size_t> found;
    const glm::vec3 lo = glm::min(a, b), hi = glm::max(a, b);
    for (int x = cellOf(lo.x); x <= cellOf(hi.x); ++x) {
        for (int z = cellOf(lo.z); z <= cellOf(hi.z); ++z) {
            const auto cell = cells.find(cellKey(x, z));
            if (cell != cells.end()) {
                found.insert(found.end(), cell->second.begin(), cell->second.end());
            }
        }
    }
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    return found;
}

LevelQuery::Hit LevelQuery::castRay(glm::vec3 origin, glm::vec3 direction, float maxDistance) const {
    Hit hit;
    hit.distance = maxDistance;
    for (std::size_t i : trianglesNear(origin, origin + direction * maxDistance)) {
        const float d = intersect(triangles[i], origin, direction);
        if (d >= 0.0f && d <= hit.distance) {
            hit.found = true;
            hit.distance = d;
            hit.normal = faceNormals[i];
        }
    }
    return hit;
}

float LevelQuery::clearance(glm::vec3 point, float radius) const {
    float best = radius;
    for (std::size_t i : trianglesNear(point - glm::vec3(radius), point + glm::vec3(radius))) {
        best = std::min(best, glm::length(closestPoint(triangles[i], point) - point));
    }
    return best;
}

std::vector<float> LevelQuery::floorsAt(float x, float z) const {
    std::vector<float> heights;
    const glm::vec3 top(x, highCorner.y + 1.0f, z);
    for (std::size_t i : trianglesNear(top, top)) {
        // cos 30 degrees: steeper faces are not walked on.
        if (faceNormals[i].y < 0.866f) {
            continue;
        }
        const float d = intersect(triangles[i], top, glm::vec3(0.0f, -1.0f, 0.0f));
        if (d >= 0.0f) {
            heights.push_back(top.y - d);
        }
    }
    std::sort(heights.begin(), heights.end());
    heights.erase(
        std::unique(heights.begin(), heights.end(), [](float a, float b) { return std::abs(a - b) < 1e-3f; }),
        heights.end());
    return heights;
}

}  // namespace zarnhold
