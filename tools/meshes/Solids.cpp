#include "tools/meshes/Solids.h"

#include <algorithm>

namespace zarnhold_assets {

void addFace(Mesh& mesh, const std::vector<glm::vec3>& points, glm::vec3 facing, float unitsPerRepeat) {
    addFace(mesh, points, facing,
            [unitsPerRepeat](glm::vec3 p, glm::vec3 n) { return worldUv(p, n, unitsPerRepeat); });
}

void addFace(Mesh& mesh, const std::vector<glm::vec3>& points, glm::vec3 facing, const UvMap& uvMap) {
    if (points.size() < 3) {
        return;
    }
    // Newell's normal of the polygon as given, to learn which way round it runs.
    glm::vec3 normal(0.0f);
    for (size_t i = 0; i < points.size(); ++i) {
        const glm::vec3& a = points[i];
        const glm::vec3& b = points[(i + 1) % points.size()];
        normal += glm::vec3((a.y - b.y) * (a.z + b.z), (a.z - b.z) * (a.x + b.x), (a.x - b.x) * (a.y + b.y));
    }
    std::vector<glm::vec3> ordered = points;
    if (glm::dot(normal, facing) < 0.0f) {
        std::reverse(ordered.begin(), ordered.end());
        normal = -normal;
    }
    const glm::vec3 unitNormal = glm::normalize(normal);
    auto corner = [&](const glm::vec3& p) { return Corner{p, uvMap(p, unitNormal)}; };
    for (size_t i = 1; i + 1 < ordered.size(); ++i) {
        mesh.addTriangle(corner(ordered[0]), corner(ordered[i]), corner(ordered[i + 1]));
    }
}

void addBox(Mesh& mesh, glm::vec3 low, glm::vec3 high, unsigned faces, float unitsPerRepeat) {
    addWedge(mesh, low, high, high.y, high.y, true, faces, unitsPerRepeat);
}

void addWedge(Mesh& mesh, glm::vec3 low, glm::vec3 high, float topAtStart, float topAtEnd, bool alongX,
              unsigned faces, float unitsPerRepeat) {
    const float x0 = low.x, x1 = high.x, z0 = low.z, z1 = high.z, y0 = low.y;
    // Top height at each footprint corner.
    const float t00 = topAtStart;                      // (x0, z0)
    const float t10 = alongX ? topAtEnd : topAtStart;  // (x1, z0)
    const float t01 = alongX ? topAtStart : topAtEnd;  // (x0, z1)
    const float t11 = topAtEnd;                        // (x1, z1)
    const float u = unitsPerRepeat;
    auto side = [&](std::vector<glm::vec3> points, glm::vec3 facing) {
        // A side whose top meets its bottom at one end is a triangle, not a quad.
        std::vector<glm::vec3> kept;
        for (const glm::vec3& p : points) {
            if (kept.empty() || glm::length(p - kept.back()) > 1e-5f) {
                kept.push_back(p);
            }
        }
        if (kept.size() > 3 && glm::length(kept.front() - kept.back()) < 1e-5f) {
            kept.pop_back();
        }
        addFace(mesh, kept, facing, u);
    };
    if (faces & kFaceMaxY) {
        side({{x0, t00, z0}, {x1, t10, z0}, {x1, t11, z1}, {x0, t01, z1}}, {0, 1, 0});
    }
    if (faces & kFaceMinY) {
        side({{x0, y0, z0}, {x1, y0, z0}, {x1, y0, z1}, {x0, y0, z1}}, {0, -1, 0});
    }
    if (faces & kFaceMinX) {
        side({{x0, y0, z0}, {x0, y0, z1}, {x0, t01, z1}, {x0, t00, z0}}, {-1, 0, 0});
    }
    if (faces & kFaceMaxX) {
        side({{x1, y0, z0}, {x1, y0, z1}, {x1, t11, z1}, {x1, t10, z0}}, {1, 0, 0});
    }
    if (faces & kFaceMinZ) {
        side({{x0, y0, z0}, {x1, y0, z0}, {x1, t10, z0}, {x0, t00, z0}}, {0, 0, -1});
    }
    if (faces & kFaceMaxZ) {
        side({{x0, y0, z1}, {x1, y0, z1}, {x1, t11, z1}, {x0, t01, z1}}, {0, 0, 1});
    }
}

}  // namespace zarnhold_assets
