#include "tools/props/PropModels.h"

#include <cmath>

#include <glm/gtc/matrix_transform.hpp>

#include "tools/meshes/Shapes.h"

namespace zarnhold_assets {

namespace {

constexpr float kPi = 3.14159265f;

// A six-sided crystal along y: a point at each end, a prism between. `twist` turns the
// facets so neighbouring crystals do not line up.
void addCrystal(Mesh& mesh, glm::vec3 centre, float radius, float prismHalf, float tipLength, float twist,
                const UvMap& uvMap) {
    const float topTip = prismHalf + tipLength;
    addLoft(mesh,
            {{centre + glm::vec3(0.0f, -topTip * 0.85f, 0.0f)},
             ring(centre + glm::vec3(0.0f, -prismHalf, 0.0f), 1, radius * 0.92f, radius * 0.92f, 6, twist),
             ring(centre + glm::vec3(0.0f, prismHalf, 0.0f), 1, radius, radius, 6, twist),
             {centre + glm::vec3(0.0f, topTip, 0.0f)}},
            false, false, uvMap);
}

// `mesh` turned by `radians` about z, then moved by `offset`.
Mesh tilted(const Mesh& mesh, float radians, glm::vec3 offset) {
    Mesh out = mesh;
    glm::mat4 m = glm::translate(glm::mat4(1.0f), offset);
    m = glm::rotate(m, radians, glm::vec3(0.0f, 0.0f, 1.0f));
    out.transform(m);
    return out;
}

}  // namespace

Mesh buildLightCrystalModel() {
    Mesh mesh;
    // The iron mount: an eight-sided plate against the wall and a socket standing out of it.
    const UvMap mount =
        boxProjection({-0.17f, -0.28f, -0.1f}, {0.17f, 0.28f, 0.05f}, {0.0f, 0.0f}, {0.5f, 1.0f});
    addLoft(mesh,
            {ring({0.0f, 0.0f, -0.1f}, 2, 0.17f, 0.28f, 8, kPi / 8.0f),
             ring({0.0f, 0.0f, -0.06f}, 2, 0.16f, 0.27f, 8, kPi / 8.0f)},
            true, true, mount);
    addLoft(mesh,
            {ring({0.0f, 0.0f, -0.06f}, 2, 0.1f, 0.1f, 8, kPi / 8.0f),
             ring({0.0f, 0.0f, 0.04f}, 2, 0.08f, 0.08f, 8, kPi / 8.0f)},
            false, true, mount);
    // The crystal and two smaller ones leaning out of the socket.
    const UvMap glass =
        boxProjection({-0.2f, -0.26f, -0.05f}, {0.2f, 0.26f, 0.2f}, {0.5f, 0.0f}, {1.0f, 1.0f});
    addCrystal(mesh, {0.0f, 0.0f, 0.1f}, 0.085f, 0.09f, 0.16f, 0.3f, glass);
    Mesh small;
    addCrystal(small, {0.0f, 0.0f, 0.0f}, 0.045f, 0.04f, 0.08f, 0.0f, glass);
    mesh.append(tilted(small, 0.6f, {-0.075f, -0.1f, 0.08f}));
    mesh.append(tilted(small, -0.5f, {0.075f, -0.08f, 0.07f}));
    return mesh;
}

Mesh buildGoalCrystalModel() {
    Mesh mesh;
    const UvMap faces =
        boxProjection({-0.45f, -0.5f, -0.45f}, {0.45f, 0.5f, 0.45f}, {0.0f, 0.0f}, {1.0f, 1.0f});
    // One tall crystal, tips at y = -0.5 and +0.5 ...
    addCrystal(mesh, {0.0f, 0.0f, 0.0f}, 0.24f, 0.22f, 0.28f, 0.0f, faces);
    // ... and four smaller ones growing from its lower half, leaning outwards.
    Mesh small;
    addCrystal(small, {0.0f, 0.0f, 0.0f}, 0.1f, 0.08f, 0.13f, 0.5f, faces);
    for (int i = 0; i < 4; ++i) {
        const float around = kPi * 0.5f * i + 0.4f;
        Mesh leaning = small;
        glm::mat4 m = glm::translate(glm::mat4(1.0f),
                                     glm::vec3(0.24f * std::cos(around), -0.16f, 0.24f * std::sin(around)));
        m = glm::rotate(m, -around, glm::vec3(0.0f, 1.0f, 0.0f));
        m = glm::rotate(m, -0.55f, glm::vec3(0.0f, 0.0f, 1.0f));
        leaning.transform(m);
        mesh.append(leaning);
    }
    // The game places the goal crystal in its render frame, where up is -y: turn the
    // cluster over so the small crystals grow from its foot.
    mesh.transform(glm::scale(glm::mat4(1.0f), glm::vec3(1.0f, -1.0f, 1.0f)));
    return mesh;
}

Mesh buildSwordModel() {
    Mesh mesh;
    // The blade: a flattened diamond in section, narrowing to a point.
    const UvMap steel =
        boxProjection({-0.1f, -2.0f, -0.03f}, {0.1f, -0.3f, 0.03f}, {0.0f, 0.0f}, {0.5f, 1.0f});
    auto section = [](float y, float halfWidth, float halfThickness) {
        return std::vector<glm::vec3>{
            {halfWidth, y, 0.0f}, {0.0f, y, halfThickness}, {-halfWidth, y, 0.0f}, {0.0f, y, -halfThickness}};
    };
    addLoft(mesh, {section(-0.3f, 0.095f, 0.028f), section(-1.72f, 0.08f, 0.024f), {{0.0f, -2.0f, 0.0f}}},
            true, false, steel);
    // The guard: a bar with swept ends; and the pommel.
    const UvMap gold =
        boxProjection({-0.36f, -0.32f, -0.08f}, {0.36f, 0.48f, 0.08f}, {0.5f, 0.0f}, {0.75f, 1.0f});
    addLoft(mesh,
            {{{-0.36f, -0.24f, 0.0f}},
             ring({-0.28f, -0.27f, 0.0f}, 0, 0.035f, 0.05f, 6),
             ring({0.0f, -0.26f, 0.0f}, 0, 0.05f, 0.07f, 6),
             ring({0.28f, -0.27f, 0.0f}, 0, 0.035f, 0.05f, 6),
             {{0.36f, -0.24f, 0.0f}}},
            false, false, gold);
    addLathe(mesh, {0.0f, 0.3f, 0.0f}, 1,
             {{0.0f, 0.0f}, {0.055f, 0.0f}, {0.09f, 0.06f}, {0.08f, 0.13f}, {0.04f, 0.17f}, {0.0f, 0.175f}},
             8, gold);
    // The grip, wrapped in leather.
    const UvMap leather =
        boxProjection({-0.05f, -0.22f, -0.05f}, {0.05f, 0.3f, 0.05f}, {0.75f, 0.0f}, {1.0f, 1.0f});
    addLathe(mesh, {0.0f, -0.22f, 0.0f}, 1,
             {{0.0f, 0.0f}, {0.045f, 0.0f}, {0.05f, 0.26f}, {0.045f, 0.52f}, {0.0f, 0.52f}}, 8, leather);
    // Held 0.2 before the eye at a tenth of its size, a blade 2 long would reach past the
    // top of the view; at 1.2 the held sword keeps to the lower right.
    mesh.transform(glm::scale(glm::mat4(1.0f), glm::vec3(0.6f)));
    return mesh;
}

Mesh buildShieldModel() {
    Mesh mesh;
    // Held 0.2 in front of the eye at a scale of 0.05: at this size the lowered shield
    // leaves most of the view to the dungeon and the raised one still covers its middle.
    const float radius = 1.7f;
    // The painted face: one picture over the disc, its top at -y.
    auto face = [radius](glm::vec3 p, glm::vec3) {
        return glm::vec2(0.5f + p.x / (2.0f * radius), 0.5f - p.y / (2.0f * radius));
    };
    // Edges and the back: the iron band along the picture's bottom strip, by angle.
    auto band = [](glm::vec3 p, glm::vec3 n) {
        // The angle is taken near the face's own, so no face straddles the wrap at +-pi.
        const float faceAngle = std::atan2(n.y, n.x);
        const float angle = faceAngle + std::remainder(std::atan2(p.y, p.x) - faceAngle, 2.0f * kPi);
        return glm::vec2(0.5f + angle / (2.0f * kPi), 0.02f + 0.1f * (p.z + 0.3f));
    };
    auto shieldUv = [face, band](glm::vec3 p, glm::vec3 n) {
        return std::abs(n.z) > 0.35f ? face(p, n) : band(p, n);
    };
    // Profile from the tip of the boss out over the dished face, over the rim, round the
    // edge and back across the flat back, as (distance from the axis, z), drawn for a
    // shield 2.2 in radius; the face bulges towards -z.
    std::vector<glm::vec2> profile = {
        {0.0f, -0.66f}, {0.22f, -0.62f}, {0.4f, -0.52f}, {0.5f, -0.36f}, {0.56f, -0.3f},
        {1.2f, -0.22f}, {1.9f, -0.09f},  {1.98f, -0.1f}, {2.06f, -0.2f}, {2.16f, -0.18f},
        {2.2f, -0.08f}, {2.2f, 0.06f},   {2.1f, 0.15f},  {0.0f, 0.15f},
    };
    for (glm::vec2& point : profile) point.x *= radius / 2.2f;
    addLathe(mesh, {0.0f, 0.0f, 0.0f}, 2, profile, 24, shieldUv);
    return mesh;
}

}  // namespace zarnhold_assets
