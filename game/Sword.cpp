#include "game/Sword.h"

#include <string>

#include <glm/gtc/matrix_transform.hpp>

#include "game/CameraState.h"
#include "game/SwordSweep.h"
#include "render/HeldDraw.h"
#include "render/RenderWorld.h"
#include "run/LevelPlaces.h"
#include "run/RunContext.h"
#include "scene/BmpTexture.h"
#include "scene/CornerBuffers.h"
#include "scene/ShaderLoader.h"

namespace zarnhold {

namespace {

// The program's light array holds this many entries.
constexpr int maxLights = 10;
constexpr float ambientLight = 0.15f;
// 100 degrees a second about the render frame's y axis, on which the lying sword lies.
constexpr float spinDegreesPerMs = 0.1f;
// Mirrors the lowered shield's (-0.1, 0.08, 0.2) across the view.
const glm::vec3 heldOffset(0.1f, 0.08f, 0.2f);
// The sweep turns about a point towards the middle of the view and ahead of the hilt.
const glm::vec3 sweepPivot(-0.4f, 0.0f, -0.4f);

}  // namespace

Sword::Sword(CameraState* player) : player(player) {
    // Where the level's table puts it, at half size.
    modelMatrix = glm::translate(glm::mat4(1.0f), physicsToRender(levelPlaces().swordPhysicsPos)) *
                  glm::scale(glm::mat4(1.0f), glm::vec3(0.5f));
}

void Sword::init() {
    pickedUp = false;
    swingAngle = previousSwingAngle = drawnAngle = trailFromAngle = 0.0f;
    GlLedger* ledger = &player->game->runGlObjects;
    diffuseTexture = readBmpTexture("External\\Models\\sword.bmp", ledger);
    corners = makeCornerArrays(*this, ledger);
    program = player->game->renderWorld->programs().program("exampleVertexShader.vert",
                                                            "exampleFragmentShader.frag");
}

void Sword::update(double elapsedMs) {
    strike.striking = false;
    const glm::mat4 identity(1.0f);
    if (!pickedUp) {
        pickedUp = passesSword(player->getPosition());
        if (pickedUp) player->game->playSoundHere(Sound::pickUp);
        const float spin = glm::radians(static_cast<float>(elapsedMs) * spinDegreesPerMs);
        modelMatrix = glm::rotate(identity, spin, glm::vec3(0.0f, 1.0f, 0.0f)) * modelMatrix;
        return;
    }
    const SweepStep step = sweepStep(swingAngle, player->attackHeld, elapsedMs);
    // A sweep starts from rest.
    if (step.striking && swingAngle == 0.0f) player->game->playSoundHere(Sound::swish);
    previousSwingAngle = swingAngle;
    swingAngle = step.angle;
    strike.striking = step.striking;
    modelMatrix = heldMatrix(player->getPosition(), swingAngle);
}

void Sword::pose(double tickFraction) {
    if (!pickedUp) return;
    trailFromAngle = drawnAngle;
    // Between ticks only while the blade sweeps out; released, it is back at rest at once.
    const bool sweeping = player->attackHeld && swingAngle < previousSwingAngle;
    drawnAngle =
        sweeping ? glm::mix(previousSwingAngle, swingAngle, static_cast<float>(tickFraction)) : swingAngle;
    if (!player->attackHeld) trailFromAngle = drawnAngle;
    // The player's pose has put the eye between ticks and turned the view this frame.
    modelMatrix = heldMatrix(player->drawnEye(), drawnAngle);
}

glm::mat4 Sword::heldMatrix(glm::vec3 eye, float angle) const {
    const glm::mat4 identity(1.0f);
    glm::mat4 held = glm::translate(identity, eye) * player->pitchMatrix * player->yawMatrix *
                     glm::translate(identity, heldOffset) *
                     glm::rotate(identity, glm::radians(80.0f), glm::vec3(0.0f, 1.0f, 0.0f)) *
                     glm::scale(identity, glm::vec3(0.1f));
    if (player->attackHeld) {
        held = held * glm::translate(identity, sweepPivot) *
               glm::rotate(identity, glm::radians(angle), glm::vec3(0.0f, 0.0f, 1.0f));
    }
    return held;
}

void Sword::render(glm::mat4 view, glm::mat4 projection, std::vector<Light*> lights) {
    draw(modelMatrix, view, projection, lights, 0.0f);
    if (pickedUp) drawTrail(view, projection, lights);
}

// Ghosts of the blade every few degrees of the arc swept since the last frame, fainter the
// older, over the scene without hiding one another.
void Sword::drawTrail(const glm::mat4& view, const glm::mat4& projection, const std::vector<Light*>& lights) {
    constexpr float degreesApart = 8.0f;
    const float swept = trailFromAngle - drawnAngle;
    if (swept < degreesApart) return;
    const int ghosts = static_cast<int>(swept / degreesApart);
    beginHeldGhosts();
    for (int k = 1; k <= ghosts; ++k) {
        const float along = static_cast<float>(k) / static_cast<float>(ghosts + 1);
        const float angle = trailFromAngle - swept * along;
        draw(heldMatrix(player->drawnEye(), angle), view, projection, lights, 0.85f - 0.5f * along);
    }
    endHeldGhosts();
}

void Sword::draw(const glm::mat4& model, const glm::mat4& view, const glm::mat4& projection,
                 const std::vector<Light*>& lights, float fade) {
    playerPosition = player->getPosition();
    textureSamplerLocation = drawHeldLit({program, diffuseTexture, &corners}, model, view, projection, lights,
                                         maxLights, ambientLight, playerPosition, fade);
}

}  // namespace zarnhold
