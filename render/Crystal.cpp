#include "render/Crystal.h"

#include <GL/glew.h>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>

#include "render/LightArrayUniforms.h"
#include "render/RenderWorld.h"
#include "run/LevelPlaces.h"
#include "run/RunContext.h"
#include "scene/BmpTexture.h"
#include "scene/CornerBuffers.h"
#include "scene/ShaderLoader.h"

namespace zarnhold {

namespace {

constexpr int maxLights = 10;
constexpr float ambientLight = 0.15f;
const char* const faceNames[6] = {"posX", "posY", "posZ", "negX", "negY", "negZ"};
const char* const facePictures[6] = {
    "External\\Models\\cubeMap\\posX.bmp", "External\\Models\\cubeMap\\posY.bmp",
    "External\\Models\\cubeMap\\posZ.bmp", "External\\Models\\cubeMap\\negX.bmp",
    "External\\Models\\cubeMap\\negY.bmp", "External\\Models\\cubeMap\\negZ.bmp",
};

}  // namespace

bool crystalTouched(float distance) {
    return distance < 1.0f;
}

bool crystalInSight(float distance) {
    return !(distance > 20.0f);
}

float crystalSpin(double elapsedMs) {
    return static_cast<float>(elapsedMs / 20.0);
}

Crystal::Crystal(RunContext* game) : crystalPosition(levelPlaces().goalCrystalRenderPos), game(game) {
    modelMatrix = glm::scale(glm::translate(glm::mat4(1.0f), crystalPosition), glm::vec3(0.5f));
}

void Crystal::init() {
    spinAngle = 0.0f;
    for (int j = 0; j < 6; ++j) {
        faceTextures[j] = readBmpTexture(facePictures[j], &game->runGlObjects);
    }
    // The indexed buffers stay as uploadMesh made them: the shadow pass draws with them.
    corners = makeCornerArrays(*this, &game->runGlObjects);
    program = game->renderWorld->programs().program("box.vert", "box.frag");
}

glm::vec3 Crystal::eye() const {
    return game->playerPosition != nullptr ? *game->playerPosition : glm::vec3(0.0f);
}

void Crystal::update(double elapsedMs) {
    if (crystalTouched(glm::distance(eye(), crystalPosition))) {
        game->setWon();
    }
    spinAngle += crystalSpin(elapsedMs);
    modelMatrix = glm::rotate(glm::translate(glm::mat4(1.0f), crystalPosition), glm::radians(spinAngle),
                              glm::vec3(0.0f, 1.0f, 0.0f));
}

void Crystal::render(glm::mat4 view, glm::mat4 projection, std::vector<Light*> lights) {
    if (!crystalInSight(glm::distance(eye(), crystalPosition))) {
        return;
    }
    const unsigned int previousArray = bindCornerArrays(corners);
    glUseProgram(program);
    for (int j = 0; j < 6; ++j) {
        faceSamplerLocations[j] = uniform(program, faceNames[j]);
        glUniform1i(faceSamplerLocations[j], j);
        glActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(j));
        glBindTexture(GL_TEXTURE_2D, faceTextures[j]);
    }
    // The box shader reads exactly the entries written: the count is sent once, as written.
    lastPlayerPosition = eye();
    sendSimpleLitUniforms(program, lights, maxLights, modelMatrix, view, projection, ambientLight,
                          lastPlayerPosition);
    drawCornerArrays(corners, previousArray);
    glActiveTexture(GL_TEXTURE0);
}

}  // namespace zarnhold
