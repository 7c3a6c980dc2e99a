#include "render/LightCrystal.h"

#include <glm/gtc/matrix_transform.hpp>

#include "render/LitDraw.h"
#include "render/RenderWorld.h"
#include "run/RunContext.h"
#include "scene/BmpTexture.h"
#include "scene/Rotation.h"

namespace zarnhold {

glm::vec3 crystalLightPosition(glm::vec3 position, float angleRadians) {
    // The light's place turns by 57.29 degrees a radian, a hair short of a true radian, as
    // the crystals were first placed.
    const glm::mat4 turn =
        glm::rotate(glm::mat4(1.0f), angleRadians * (57.29f / degreesPerRadian), glm::vec3(0, 1, 0));
    const glm::vec4 front = turn * glm::vec4(0.0f, 0.0f, 1.0f, 1.0f);
    return glm::vec3(front) + position;
}

LightCrystal::LightCrystal(RunContext* game, glm::vec3 position, float angleRadians) : game(game) {
    modelMatrix = glm::translate(glm::mat4(1.0f), position) * rotateY(angleRadians);
    fixedInPlace = true;
    const glm::vec3 at = crystalLightPosition(position, angleRadians);
    light = Light(0.3f, 0.3f, 0.8f, 0.6f, at.x, at.y, at.z, 2, 0.0f, 0.0f, 0.0f, 1.0f, 0.14f, 0.01f);
    game->addShadowCaster(this);
}

void LightCrystal::init() {
    game->addLight(&light);
    diffuseTexture = readBmpTexture("External\\Models\\lightcrystal.bmp", &game->runGlObjects);
    normalTexture = readBmpTexture("External\\Models\\lightcrystalnormals.bmp", &game->runGlObjects);
    uploadMesh(&game->runGlObjects, game->renderWorld->litProgram());
}

void LightCrystal::render(glm::mat4 view, glm::mat4 projection, std::vector<Light*> lights) {
    drawLit(*game, *this, view, projection, lights);
}

}  // namespace zarnhold
