#pragma once

#include "render/Light.h"
#include "run/AppState.h"
#include "scene/Object3D.h"

namespace zarnhold {

class RunContext;

// A crystal on a wall that gives one flickering blue point light, one unit in front of it
// along its own +z. It casts a shadow and is drawn lit.
class LightCrystal : public AppState, public Object3D {
public:
    // `position` in the render frame; `angleRadians` turns it about the vertical axis.
    LightCrystal(RunContext* game, glm::vec3 position, float angleRadians);

    // Registers the light with the game, loads the textures and uploads the mesh.
    void init() override;
    void render(glm::mat4 view, glm::mat4 projection, std::vector<Light*> lights) override;

    Light light;
    glm::vec3 spare{0.0f};
    RunContext* game = nullptr;
};

// Where a crystal at `position` turned by `angleRadians` has its light (render frame).
glm::vec3 crystalLightPosition(glm::vec3 position, float angleRadians);

}  // namespace zarnhold
