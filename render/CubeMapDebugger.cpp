#include "render/CubeMapDebugger.h"

#include <algorithm>

#include <GL/glew.h>
#include <glm/gtc/type_ptr.hpp>

#include "render/Light.h"
#include "scene/CornerBuffers.h"
#include "scene/ObjLoader.h"
#include "scene/ShaderLoader.h"

namespace zarnhold {

CubeMapDebugger::CubeMapDebugger() {
    modelMatrix = glm::mat4(1.0f);
}

void CubeMapDebugger::init() {
    readObjModel(*this, "External\\Models\\Screen.obj");
    // The viewer lives as long as the game: nothing is recorded for a run to free.
    corners = makeCornerArrays(*this, nullptr);
    viewerProgram = buildShaderProgram("cubeMapDebugger.vert", "cubeMapDebugger.frag", nullptr);
    cubemapLocation = uniform(viewerProgram, "cubemap");
    perspectiveLocation = uniform(viewerProgram, "perspective");
    viewLocation = uniform(viewerProgram, "view");
}

void CubeMapDebugger::render(glm::mat4 view, glm::mat4 projection, std::vector<Light*> lights) {
    if (lights.size() < 2) {
        return;
    }
    glUseProgram(viewerProgram);
    glUniformMatrix4fv(perspectiveLocation, 1, GL_FALSE, glm::value_ptr(projection));
    glUniformMatrix4fv(viewLocation, 1, GL_FALSE, glm::value_ptr(view));
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_CUBE_MAP, lights[1]->shadowCubeMap);
    glUniform1i(cubemapLocation, 0);
    const unsigned int previousArray = bindCornerArrays(corners);
    drawCornerArrays(corners, previousArray, std::min(36, corners.count));
}

void CubeMapDebugger::renderInCorner(const glm::mat4& view, const glm::mat4& projection,
                                     const std::vector<Light*>& lights, int width, int height) {
    glViewport(width / 2, height / 2, width / 2, height / 2);
    glClear(GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glDisable(GL_CULL_FACE);
    render(glm::mat4(glm::mat3(view)), projection, lights);
    glEnable(GL_CULL_FACE);
    glViewport(0, 0, width, height);
}

}  // namespace zarnhold
