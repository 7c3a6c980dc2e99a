#include "tools/props/EnemyModel.h"

#include <cmath>
#include <vector>

#include "tools/meshes/Shapes.h"

namespace zarnhold_assets {

namespace {

using Atlas = EnemyAtlas;

// Everything but the face wears the hide, projected box-wise from the whole creature.
UvMap hide() {
    return boxProjection({-0.62f, 0.0f, -0.4f}, {0.62f, 2.0f, 0.6f}, {0.0f, 0.0f}, {Atlas::kHideU1, 1.0f});
}

UvMap kilt() {
    return boxProjection({-0.34f, 0.62f, -0.2f}, {0.34f, 0.95f, 0.3f}, {0.5f, 0.0f}, {1.0f, 0.5f});
}

// The head: faces turned forwards show the face picture, the rest the hide.
UvMap head() {
    const UvMap rest = hide();
    return [rest](glm::vec3 p, glm::vec3 n) {
        if (n.z < 0.45f) {
            return rest(p, n);
        }
        const float s = (p.x + Atlas::kHeadHalfWidth) / (2.0f * Atlas::kHeadHalfWidth);
        const float t = (p.y - Atlas::kHeadBottom) / (Atlas::kHeadTop - Atlas::kHeadBottom);
        return glm::vec2(Atlas::kHideU1 + s * (1.0f - Atlas::kHideU1),
                         Atlas::kFaceV0 + t * (1.0f - Atlas::kFaceV0));
    };
}

// A rounded limb: eight-sided rings through the given centres and radii.
void addLimb(Mesh& mesh, const std::vector<glm::vec3>& centres, const std::vector<float>& radii,
             const UvMap& uv) {
    std::vector<std::vector<glm::vec3>> rings;
    for (size_t i = 0; i < centres.size(); ++i) {
        rings.push_back(ring(centres[i], 1, radii[i], radii[i] * 0.9f, 8, 0.39f));
    }
    addLoft(mesh, rings, true, true, uv);
}

void addLeg(Mesh& mesh, float side) {
    const UvMap uv = hide();
    // Thigh and shin bend forward at the knee, as a crouching thing stands.
    addLimb(mesh, {{side * 0.2f, 0.72f, 0.02f}, {side * 0.22f, 0.42f, 0.12f}, {side * 0.21f, 0.12f, 0.0f}},
            {0.14f, 0.1f, 0.08f}, uv);
    // A clawed foot pointing forwards.
    addTaperedBlock(mesh, {side * 0.21f, 0.0f, 0.06f}, {0.1f, 0.16f}, {side * 0.21f, 0.13f, 0.02f},
                    {0.08f, 0.1f}, uv);
    for (float toe : {-0.06f, 0.0f, 0.06f}) {
        addLoft(mesh,
                {ring({side * 0.21f + toe, 0.04f, 0.2f}, 2, 0.025f, 0.035f, 4, 0.78f),
                 {{side * 0.21f + toe * 1.3f, 0.0f, 0.3f}}},
                true, false, uv);
    }
}

// Two curved horns sweeping back from the brow.
void addHorn(Mesh& mesh, float side) {
    addLoft(mesh,
            {ring({side * 0.12f, 1.84f, 0.26f}, 1, 0.05f, 0.05f, 6),
             ring({side * 0.2f, 1.93f, 0.2f}, 1, 0.035f, 0.035f, 6),
             {{side * 0.27f, 2.0f, 0.08f}}},
            true, false, hide());
}

}  // namespace

Mesh buildEnemyModel() {
    Mesh mesh;
    addLeg(mesh, -1.0f);
    addLeg(mesh, 1.0f);
    // Hips wrapped in a leather kilt, then a barrel chest leaning forward to the
    // shoulders at y 1.3, z 0.2.
    addTaperedBlock(mesh, {0.0f, 0.64f, 0.03f}, {0.31f, 0.2f}, {0.0f, 0.94f, 0.07f}, {0.29f, 0.19f}, kilt());
    addLoft(mesh,
            {ring({0.0f, 0.92f, 0.07f}, 1, 0.27f, 0.18f, 8, 0.39f),
             ring({0.0f, 1.15f, 0.14f}, 1, 0.34f, 0.23f, 8, 0.39f),
             ring({0.0f, 1.36f, 0.2f}, 1, 0.4f, 0.22f, 8, 0.39f),
             ring({0.0f, 1.44f, 0.22f}, 1, 0.2f, 0.14f, 8, 0.39f)},
            false, true, hide());
    // The head: round, a little forward of the chest, with a heavy jaw.
    addLoft(mesh,
            {ring({0.0f, Atlas::kHeadBottom, 0.3f}, 1, 0.15f, 0.15f, 8, 0.39f),
             ring({0.0f, 1.52f, 0.32f}, 1, Atlas::kHeadHalfWidth, 0.21f, 8, 0.39f),
             ring({0.0f, 1.76f, 0.3f}, 1, 0.2f, 0.2f, 8, 0.39f),
             ring({0.0f, 1.9f, 0.27f}, 1, 0.12f, 0.13f, 8, 0.39f),
             {{0.0f, 1.95f, 0.26f}}},
            true, false, head());
    addHorn(mesh, -1.0f);
    addHorn(mesh, 1.0f);
    return mesh;
}

Mesh buildArmsModel() {
    Mesh mesh;
    const UvMap uv = hide();
    for (float side : {-1.0f, 1.0f}) {
        const float x = side * 0.46f;
        // From the shoulder down past the elbow to the wrist, hanging a little forward.
        addLimb(mesh,
                {{x, kShoulderPoint.y + 0.06f, kShoulderPoint.z},
                 {side * 0.5f, 0.92f, 0.22f},
                 {side * 0.49f, 0.58f, 0.3f}},
                {0.13f, 0.1f, 0.08f}, uv);
        // A hand with three long claws.
        addTaperedBlock(mesh, {side * 0.49f, 0.45f, 0.31f}, {0.07f, 0.05f}, {side * 0.49f, 0.6f, 0.3f},
                        {0.06f, 0.05f}, uv);
        for (float finger : {-0.045f, 0.0f, 0.045f}) {
            addLoft(mesh,
                    {ring({side * 0.49f + finger, 0.46f, 0.33f}, 1, 0.018f, 0.018f, 4, 0.78f),
                     {{side * 0.49f + finger * 1.4f, 0.3f, 0.38f}}},
                    true, false, uv);
        }
    }
    return mesh;
}

}  // namespace zarnhold_assets
