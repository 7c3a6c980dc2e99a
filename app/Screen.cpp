#include "app/Screen.h"

#include <algorithm>

#include <GL/glew.h>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>

#include "scene/BmpTexture.h"
#include "scene/CornerBuffers.h"
#include "scene/ObjLoader.h"
#include "scene/ShaderLoader.h"

namespace zarnhold {

namespace {
constexpr int boxCorners = 36;
}

Screen::Screen(const std::string& imagePath) : imagePath(imagePath) {
    modelMatrix = glm::mat4(1.0f);
}

void Screen::init() {
    readObjModel(*this, "External\\Models\\Screen.obj");
    // The picture lives as long as the game: nothing is recorded for a run to free.
    corners = makeCornerArrays(*this, nullptr);
    screenProgram = buildShaderProgram("Screen.vertexshader", "Screen.fragmentshader", nullptr);
    screenSamplerLocation = uniform(screenProgram, "myTextureSampler");
    screenTexture = readBmpTexture(imagePath.c_str(), nullptr);
    screenMvpLocation = uniform(screenProgram, "MVP");
}

int Screen::drawCount() const {
    return std::min(boxCorners, corners.count);
}

void Screen::render(glm::mat4, glm::mat4, std::vector<Light*>) {
    // Aspect 1 whatever the window's shape: the picture is stretched to fill it.
    const glm::mat4 projection = glm::perspective(glm::radians(45.0f), 1.0f, 0.1f, 100.0f);
    const glm::mat4 view = glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, 0.0f, -3.3f));
    const glm::mat4 mvp = projection * view * glm::mat4(1.0f);

    const unsigned int previousArray = bindCornerArrays(corners);
    glUseProgram(screenProgram);
    glUniformMatrix4fv(screenMvpLocation, 1, GL_FALSE, glm::value_ptr(mvp));
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, screenTexture);
    glUniform1i(screenSamplerLocation, 0);

    drawCornerArrays(corners, previousArray, drawCount());
}

void Screen::renderIn(const PixelRect& panel, int width, int height) {
    glViewport(panel.x, panel.y, panel.width, panel.height);
    glClear(GL_DEPTH_BUFFER_BIT);
    render(glm::mat4(1.0f), glm::mat4(1.0f), {});
    glViewport(0, 0, width, height);
}

}  // namespace zarnhold
