#include "tools/meshes/Shapes.h"

#include <algorithm>
#include <cmath>

namespace zarnhold_assets {

std::vector<glm::vec3> ring(glm::vec3 centre, int axis, float radiusA, float radiusB, int sides,
                            float startRadians) {
    std::vector<glm::vec3> points;
    for (int i = 0; i < sides; ++i) {
        const float a = startRadians + 6.2831853f * i / sides;
        glm::vec3 offset(0.0f);
        const int first = axis == 0 ? 1 : 0;
        const int second = axis == 2 ? 1 : 2;
        offset[first] = radiusA * std::cos(a);
        offset[second] = radiusB * std::sin(a);
        points.push_back(centre + offset);
    }
    return points;
}

glm::vec3 centreOf(const std::vector<glm::vec3>& points) {
    glm::vec3 sum(0.0f);
    for (const glm::vec3& p : points) {
        sum += p;
    }
    return sum / static_cast<float>(points.size());
}

void addLoft(Mesh& mesh, const std::vector<std::vector<glm::vec3>>& rings, bool capStart, bool capEnd,
             const UvMap& uvMap) {
    if (rings.size() < 2) {
        return;
    }
    // A one-point ring stands for a tip: widen it to the size of its neighbour.
    size_t sides = 0;
    for (const auto& r : rings) {
        sides = std::max(sides, r.size());
    }
    std::vector<std::vector<glm::vec3>> full;
    for (const auto& r : rings) {
        full.push_back(r.size() == 1 ? std::vector<glm::vec3>(sides, r[0]) : r);
    }
    for (size_t k = 0; k + 1 < full.size(); ++k) {
        const glm::vec3 axisA = centreOf(full[k]);
        const glm::vec3 axisB = centreOf(full[k + 1]);
        for (size_t i = 0; i < sides; ++i) {
            const size_t j = (i + 1) % sides;
            std::vector<glm::vec3> quad = {full[k][i], full[k][j], full[k + 1][j], full[k + 1][i]};
            // Drop the repeated corners of a tip, so the face is a triangle.
            std::vector<glm::vec3> kept;
            for (const glm::vec3& p : quad) {
                bool repeat = false;
                for (const glm::vec3& q : kept) {
                    repeat = repeat || glm::length(p - q) < 1e-6f;
                }
                if (!repeat) {
                    kept.push_back(p);
                }
            }
            if (kept.size() < 3) {
                continue;
            }
            // Outwards: away from the line joining the two ring centres.
            const glm::vec3 mid = centreOf(kept);
            const glm::vec3 along = axisB - axisA;
            const float t = glm::dot(mid - axisA, along) / std::max(1e-9f, glm::dot(along, along));
            const glm::vec3 facing = mid - (axisA + t * along);
            addFace(mesh, kept, facing, uvMap);
        }
    }
    if (capStart && rings.front().size() > 2) {
        addFace(mesh, rings.front(), centreOf(rings.front()) - centreOf(rings[1]), uvMap);
    }
    if (capEnd && rings.back().size() > 2) {
        addFace(mesh, rings.back(), centreOf(rings.back()) - centreOf(rings[rings.size() - 2]), uvMap);
    }
}

void addTaperedBlock(Mesh& mesh, glm::vec3 bottom, glm::vec2 bottomHalf, glm::vec3 top, glm::vec2 topHalf,
                     const UvMap& uvMap) {
    auto rect = [](glm::vec3 c, glm::vec2 h) {
        return std::vector<glm::vec3>{{c.x - h.x, c.y, c.z - h.y},
                                      {c.x + h.x, c.y, c.z - h.y},
                                      {c.x + h.x, c.y, c.z + h.y},
                                      {c.x - h.x, c.y, c.z + h.y}};
    };
    addLoft(mesh, {rect(bottom, bottomHalf), rect(top, topHalf)}, true, true, uvMap);
}

UvMap boxProjection(glm::vec3 lo, glm::vec3 hi, glm::vec2 uvLow, glm::vec2 uvHigh) {
    return [=](glm::vec3 p, glm::vec3 n) {
        const glm::vec3 t = (p - lo) / glm::max(hi - lo, glm::vec3(1e-6f));
        const glm::vec3 a = glm::abs(n);
        glm::vec2 st;
        if (a.y >= a.x && a.y >= a.z) {
            st = {t.x, t.z};
        } else if (a.x >= a.z) {
            st = {n.x > 0.0f ? 1.0f - t.z : t.z, t.y};
        } else {
            st = {n.z > 0.0f ? t.x : 1.0f - t.x, t.y};
        }
        return uvLow + st * (uvHigh - uvLow);
    };
}

void addLathe(Mesh& mesh, glm::vec3 base, int axis, const std::vector<glm::vec2>& profile, int sides,
              const UvMap& uvMap, float startRadians) {
    // The outline with the axis closing it: its signed area says which way it runs, and so
    // which side of each segment is outside.
    float area = 0.0f;
    for (size_t i = 0; i < profile.size(); ++i) {
        const glm::vec2& a = profile[i];
        const glm::vec2& b = profile[(i + 1) % profile.size()];
        area += a.x * b.y - b.x * a.y;
    }
    const float outside = area > 0.0f ? 1.0f : -1.0f;
    glm::vec3 along(0.0f);
    along[axis] = 1.0f;
    const int first = axis == 0 ? 1 : 0;
    const int second = axis == 2 ? 1 : 2;
    auto radial = [&](float angle) {
        glm::vec3 r(0.0f);
        r[first] = std::cos(angle);
        r[second] = std::sin(angle);
        return r;
    };
    for (size_t i = 0; i + 1 < profile.size(); ++i) {
        const glm::vec2 a = profile[i];
        const glm::vec2 b = profile[i + 1];
        // (dy, -dx) points out of a counter-clockwise outline in the (radius, axis) plane.
        const glm::vec2 out2 = outside * glm::vec2(b.y - a.y, -(b.x - a.x));
        for (int k = 0; k < sides; ++k) {
            const float a0 = startRadians + 6.2831853f * k / sides;
            const float a1 = startRadians + 6.2831853f * (k + 1) / sides;
            std::vector<glm::vec3> quad;
            auto push = [&](float r, float h, float angle) {
                const glm::vec3 p = base + along * h + radial(angle) * r;
                for (const glm::vec3& q : quad) {
                    if (glm::length(p - q) < 1e-6f) {
                        return;
                    }
                }
                quad.push_back(p);
            };
            push(a.x, a.y, a0);
            push(a.x, a.y, a1);
            push(b.x, b.y, a1);
            push(b.x, b.y, a0);
            if (quad.size() < 3) {
                continue;
            }
            const float mid = 0.5f * (a0 + a1);
            const glm::vec3 facing = radial(mid) * out2.x + along * out2.y;
            addFace(mesh, quad, facing, uvMap);
        }
    }
}

}  // namespace zarnhold_assets
