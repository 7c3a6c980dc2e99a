#include "render/CubeMapDebugger.h"

#include <algorithm>

#include <GL/glew.h>
#include <glm/gtc/type_ptr.hpp>

#include "render/Light.h"
#include "scene/ObjLoader.h"
#include "scene/ShaderLoader.h"

CubeMapDebugger::CubeMapDebugger() {
    modelMatrix = glm::mat4(1.0f);
    readObjModel(*this, "External\\Models\\Screen.obj");
}

void CubeMapDebugger::init() {
    glGenVertexArrays(1, &vertexArray);
    glBindVertexArray(vertexArray);
    const std::vector<float> positions = positionFloats();
    glGenBuffers(1, &viewerPositionBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, viewerPositionBuffer);
    glBufferData(GL_ARRAY_BUFFER, positions.size() * sizeof(float), positions.data(), GL_DYNAMIC_DRAW);
    uploadedCorners = static_cast<int>(positions.size() / 3);
    viewerProgram = buildShaderProgram("cubeMapDebugger.vert", "cubeMapDebugger.frag", nullptr);
    cubemapLocation = glGetUniformLocation(viewerProgram, "cubemap");
    perspectiveLocation = glGetUniformLocation(viewerProgram, "perspective");
    viewLocation = glGetUniformLocation(viewerProgram, "view");
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
    glEnableVertexAttribArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, viewerPositionBuffer);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 0, nullptr);
    glDrawArrays(GL_TRIANGLES, 0, std::min(36, uploadedCorners));
    glDisableVertexAttribArray(0);
}
