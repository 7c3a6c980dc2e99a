#include "render/ShadowFaces.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <glm/gtc/matrix_transform.hpp>

namespace zarnhold {

namespace {

constexpr float nearPlane = 0.1f;
constexpr float farPlane = 100.0f;

// Whether the sphere reaches the face looking along `axis` (the other two axes `u`, `v`):
// within the near and far planes and inside the four side planes a = +-u, a = +-v, each
// widened by the radius.
bool touchesFace(float a, float u, float v, float radius) {
    const float side = radius * 1.41421357f;
    return a >= nearPlane - radius && a <= farPlane + radius && a - u >= -side && a + u >= -side &&
           a - v >= -side && a + v >= -side;
}

}  // namespace

unsigned int shadowFacesTouched(glm::vec3 lightPosition, glm::vec3 centre, float radius) {
    const glm::vec3 p = centre - lightPosition;
    if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z) || !std::isfinite(radius)) {
        return allShadowFaces;
    }
    const bool touched[6] = {
        touchesFace(p.x, p.y, p.z, radius), touchesFace(-p.x, p.y, p.z, radius),
        touchesFace(p.y, p.x, p.z, radius), touchesFace(-p.y, p.x, p.z, radius),
        touchesFace(p.z, p.x, p.y, radius), touchesFace(-p.z, p.x, p.y, radius),
    };
    unsigned int faces = 0;
    for (int f = 0; f < 6; ++f) {
        if (touched[f]) faces |= 1u << f;
    }
    return faces;
}

FaceRect FaceRect::unite(const FaceRect& other) const {
    if (empty()) return other;
    if (other.empty()) return *this;
    return {std::min(x0, other.x0), std::min(y0, other.y0), std::max(x1, other.x1), std::max(y1, other.y1)};
}

bool FaceRect::operator==(const FaceRect& other) const {
    return x0 == other.x0 && y0 == other.y0 && x1 == other.x1 && y1 == other.y1;
}

FaceRect wholeFace(int size) {
    return {0, 0, size, size};
}

FaceRect shadowFaceRect(const glm::mat4& faceMatrix, glm::vec3 centre, float radius, int size) {
    return shadowFaceRectOfBox(faceMatrix, centre - glm::vec3(radius), centre + glm::vec3(radius), size);
}

FaceRect shadowFaceRectOfBox(const glm::mat4& faceMatrix, glm::vec3 low, glm::vec3 high, int size) {
    glm::vec4 clip[8];
    for (int corner = 0; corner < 8; ++corner) {
        const glm::vec3 at((corner & 1) ? high.x : low.x, (corner & 2) ? high.y : low.y,
                           (corner & 4) ? high.z : low.z);
        clip[corner] = faceMatrix * glm::vec4(at, 1.0f);
        if (!std::isfinite(clip[corner].x) || !std::isfinite(clip[corner].y) ||
            !std::isfinite(clip[corner].z) || !std::isfinite(clip[corner].w)) {
            return wholeFace(size);
        }
    }
    // Outside the face's volume: one of its six clip planes has every corner beyond it.
    for (int axis = 0; axis < 3; ++axis) {
        bool allAbove = true, allBelow = true;
        for (const glm::vec4& c : clip) {
            allAbove = allAbove && c[axis] > c.w;
            allBelow = allBelow && c[axis] < -c.w;
        }
        if (allAbove || allBelow) return FaceRect{};
    }
    glm::vec2 lowNdc(std::numeric_limits<float>::max()), highNdc(-std::numeric_limits<float>::max());
    for (const glm::vec4& c : clip) {
        // w is the distance along the face's axis; at or before the near plane the
        // projection spreads without bound.
        if (!(c.w > nearPlane)) return wholeFace(size);
        const glm::vec2 ndc = glm::vec2(c) / c.w;
        lowNdc = glm::min(lowNdc, ndc);
        highNdc = glm::max(highNdc, ndc);
    }
    // Four texels of margin: for rounding, and for the filtered taps the lit surface reads
    // around a point inside.
    const float half = 0.5f * static_cast<float>(size);
    const auto texel = [&](float ndc) { return (ndc + 1.0f) * half; };
    FaceRect rect;
    rect.x0 = std::max(0, static_cast<int>(std::floor(std::max(texel(lowNdc.x), -8.0f))) - 4);
    rect.y0 = std::max(0, static_cast<int>(std::floor(std::max(texel(lowNdc.y), -8.0f))) - 4);
    rect.x1 = std::min(size, static_cast<int>(std::ceil(std::min(texel(highNdc.x), size + 8.0f))) + 4);
    rect.y1 = std::min(size, static_cast<int>(std::ceil(std::min(texel(highNdc.y), size + 8.0f))) + 4);
    return rect;
}

namespace {

struct CubeFace {
    glm::vec3 look;
    glm::vec3 up;
};

// GL's face order: +X, -X, +Y, -Y, +Z, -Z.
const CubeFace cubeFaces[6] = {
    {{1, 0, 0}, {0, -1, 0}},  {{-1, 0, 0}, {0, -1, 0}}, {{0, 1, 0}, {0, 0, 1}},
    {{0, -1, 0}, {0, 0, -1}}, {{0, 0, 1}, {0, -1, 0}},  {{0, 0, -1}, {0, -1, 0}},
};

}  // namespace

glm::mat4 shadowFaceProjection() {
    const float halfAngle = 0.7853981852531433f;
    const float focal = 1.0f / static_cast<float>(std::tan(halfAngle));
    glm::mat4 projection(0.0f);
    projection[0][0] = focal;
    projection[1][1] = focal;
    projection[2][2] = -1.002002f;
    projection[2][3] = -1.0f;
    projection[3][2] = -0.2002002f;
    return projection;
}

glm::mat4 shadowFaceMatrix(glm::vec3 position, int face) {
    const CubeFace& f = cubeFaces[face];
    return shadowFaceProjection() * glm::lookAt(position, position + f.look, f.up);
}

float litDepthFloor(float distance) {
    // The lit surface sees the light where a cube texel is at least (d - bias) / 100, and
    // its bias stays below 0.015 + d * (2 / 1024) * 5.75; the margin covers the rounding.
    return (distance * (1.0f - 11.5f / 1024.0f) - 0.015f) / 100.0f - 1e-5f;
}

}  // namespace zarnhold
