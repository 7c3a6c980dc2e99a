#include "game/Arms.h"

#include <glm/gtc/matrix_transform.hpp>

#include "game/CameraState.h"
#include "render/LitDraw.h"
#include "run/RunContext.h"
#include "scene/Rotation.h"
#include "scene/RunRandom.h"

namespace zarnhold {

namespace {

// The shoulder, in the enemy's model space.
const glm::vec3 shoulder(0.0f, 1.3f, 0.2f);

}  // namespace

Arms::Arms(CameraState* player) : game(player->game), player(player) {
    modelMatrix = rotateX(3.14f);
    randomizeSwing();
}

void Arms::init() {}

void Arms::render(glm::mat4 view, glm::mat4 projection, std::vector<Light*> lights) {
    drawLit(*game, *this, view, projection, lights, nullptr, tint);
}

void Arms::randomizeSwing() {
    swingAngle = 3.2f + 3.0f * game->random.unit();
    swingDirection = 1.0f;
}

void Arms::animate(double elapsedMs, glm::mat4 parentModel, bool frozen) {
    place(parentModel);
    const ArmsSwing swing = swingStep(ArmsSwing{swingAngle, swingDirection}, elapsedMs, frozen);
    swingAngle = swing.angle;
    swingDirection = swing.direction;
}

void Arms::place(glm::mat4 parentModel) {
    const glm::mat4 identity(1.0f);
    modelMatrix = parentModel * glm::translate(identity, shoulder) * rotateX(swingAngle) *
                  glm::translate(identity, -shoulder);
}

}  // namespace zarnhold
