#pragma once

#include <vector>

#include "app/AppState.h"
#include "scene/Object3D.h"

class Game;
class LightCrystal;
class btBvhTriangleMeshShape;

// The dungeon: one lit, shadowed mesh that is also the static collision body, and the
// owner (as creator) of the ten light crystals on its walls. Its triangles lie in the
// physics frame; it is drawn turned half a turn about x into the render frame.
class Level : public AppState, public Object3D {
public:
    // Creates the light crystals, loads their model and adds them to the game's scene list.
    explicit Level(Game* game);

    // The collision body from the triangles, the textures, the upload.
    void init() override;
    void render(glm::mat4 view, glm::mat4 projection, std::vector<Light*> lights) override;

    Game* game;
    // Created here, freed as scene objects.
    std::vector<LightCrystal*> lightCrystals;
    btBvhTriangleMeshShape* collisionShape = nullptr;
};

// The light crystals' places: render-frame position and turn about the vertical axis.
struct CrystalPlacement {
    glm::vec3 position;
    float angleRadians;
};
const std::vector<CrystalPlacement>& lightCrystalPlacements();
