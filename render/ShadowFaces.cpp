#include "render/ShadowFaces.h"

#include <cmath>

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
