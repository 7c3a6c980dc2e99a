#include "render/ShadowFaces.h"

#include <algorithm>
#include <cmath>
#include <limits>

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
        touchesFace(p.x, p.y, p.z, radius),  touchesFace(-p.x, p.y, p.z, radius),
        touchesFace(p.y, p.x, p.z, radius),  touchesFace(-p.y, p.x, p.z, radius),
        touchesFace(p.z, p.x, p.y, radius),  touchesFace(-p.z, p.x, p.y, radius),
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
    glm::vec2 low(std::numeric_limits<float>::max()), high(-std::numeric_limits<float>::max());
    for (int corner = 0; corner < 8; ++corner) {
        const glm::vec3 offset((corner & 1) ? radius : -radius, (corner & 2) ? radius : -radius,
                               (corner & 4) ? radius : -radius);
        const glm::vec4 clip = faceMatrix * glm::vec4(centre + offset, 1.0f);
        // w is the distance along the face's axis; at or before the near plane the
        // projection spreads without bound.
        if (!(clip.w > nearPlane) || !std::isfinite(clip.x) || !std::isfinite(clip.y)) {
            return wholeFace(size);
        }
        const glm::vec2 ndc = glm::vec2(clip) / clip.w;
        low = glm::min(low, ndc);
        high = glm::max(high, ndc);
    }
    // Two texels of margin for rounding.
    const float half = 0.5f * static_cast<float>(size);
    const auto texel = [&](float ndc) { return (ndc + 1.0f) * half; };
    FaceRect rect;
    rect.x0 = std::max(0, static_cast<int>(std::floor(std::max(texel(low.x), -4.0f))) - 2);
    rect.y0 = std::max(0, static_cast<int>(std::floor(std::max(texel(low.y), -4.0f))) - 2);
    rect.x1 = std::min(size, static_cast<int>(std::ceil(std::min(texel(high.x), size + 4.0f))) + 2);
    rect.y1 = std::min(size, static_cast<int>(std::ceil(std::min(texel(high.y), size + 4.0f))) + 2);
    return rect;
}
