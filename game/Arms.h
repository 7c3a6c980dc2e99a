#pragma once

#include <vector>

#include <glm/glm.hpp>

#include "game/EnemyRules.h"
#include "run/AppState.h"
#include "scene/Object3D.h"

namespace zarnhold {

class CameraState;
class RunContext;
struct Light;

// An enemy's arms: a mesh of their own that the enemy places on its body every frame and
// swings about the shoulder. They update only through animate.
class Arms : public AppState, public Object3D {
public:
    // Touches no GL.
    explicit Arms(CameraState* player);

    // Nothing: the mesh and its program come from the template's arms (copyMeshFrom).
    void init() override;
    // Lit, with `tint` (see drawLit).
    void render(glm::mat4 view, glm::mat4 projection, std::vector<Light*> lights) override;

    // A fresh swing from a random angle in [3.2, 6.2], rising.
    void randomizeSwing();
    // Places the arms on `parentModel`, the enemy's model matrix, turned by the swing as it
    // stood before this frame, then advances the swing by `elapsedMs`; `frozen` holds it
    // at 6.1.
    void animate(double elapsedMs, glm::mat4 parentModel, bool frozen);
    // Places the arms on `parentModel` at the swing as it stands, advancing nothing.
    void place(glm::mat4 parentModel);

    RunContext* game = nullptr;
    CameraState* player = nullptr;
    float swingAngle = 0.0f;
    float swingDirection = 1.0f;
    // The enemy's tint, set before each draw.
    glm::vec4 tint{0.0f};
};

}  // namespace zarnhold
