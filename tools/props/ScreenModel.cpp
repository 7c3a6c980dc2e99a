#include "tools/props/ScreenModel.h"

namespace zarnhold_assets {

namespace {

constexpr float kHalf = 0.955f;

Corner corner(float x, float y, float z, float u, float v) {
    return Corner{glm::vec3(x, y, z), glm::vec2(u, v)};
}

}  // namespace

Mesh buildScreenModel() {
    const float a = kHalf;
    Mesh mesh;
    // Front, the picture: counter-clockwise seen from the camera on +z.
    mesh.addQuad(corner(-a, -a, 1, 0, 0), corner(a, -a, 1, 1, 0), corner(a, a, 1, 1, 1),
                 corner(-a, a, 1, 0, 1));
    // Back (faces -z).
    mesh.addQuad(corner(a, -a, -1, 0, 0), corner(-a, -a, -1, 1, 0), corner(-a, a, -1, 1, 1),
                 corner(a, a, -1, 0, 1));
    // Right (+x) and left (-x).
    mesh.addQuad(corner(a, -a, 1, 0, 0), corner(a, -a, -1, 1, 0), corner(a, a, -1, 1, 1),
                 corner(a, a, 1, 0, 1));
    mesh.addQuad(corner(-a, -a, -1, 0, 0), corner(-a, -a, 1, 1, 0), corner(-a, a, 1, 1, 1),
                 corner(-a, a, -1, 0, 1));
    // Top (+y) and bottom (-y).
    mesh.addQuad(corner(-a, a, 1, 0, 0), corner(a, a, 1, 1, 0), corner(a, a, -1, 1, 1),
                 corner(-a, a, -1, 0, 1));
    mesh.addQuad(corner(-a, -a, -1, 0, 0), corner(a, -a, -1, 1, 0), corner(a, -a, 1, 1, 1),
                 corner(-a, -a, 1, 0, 1));
    return mesh;
}

}  // namespace zarnhold_assets
