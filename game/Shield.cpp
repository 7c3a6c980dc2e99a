#include "game/Shield.h"

#include <vector>

#include <GL/glew.h>
#include <glm/gtc/type_ptr.hpp>

#include "scene/BmpTexture.h"
#include "scene/CornerBuffers.h"
#include "scene/ObjLoader.h"
#include "scene/ShaderLoader.h"

void Shield::load(GlLedger* ledger) {
    readObjModel(*this, "External\\Models\\shield.obj");
    shieldTexture = readBmpTexture("External\\Models\\shield.bmp", ledger);
    corners = makeCornerArrays(*this, ledger);
    shieldProgram = buildShaderProgram("exampleVertexShader.vert", "exampleFragmentShader.frag", ledger);
    samplerLocation = glGetUniformLocation(shieldProgram, "myTextureSampler");
}

void Shield::draw(const glm::mat4& view, const glm::mat4& projection, const glm::vec3& lampPosition) const {
    const unsigned int previousArray = bindCornerArrays(corners);
    glUseProgram(shieldProgram);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, shieldTexture);
    glUniform1i(samplerLocation, 0);
    glUniform3fv(glGetUniformLocation(shieldProgram, "LampPos"), 1, glm::value_ptr(lampPosition));
    glUniformMatrix4fv(glGetUniformLocation(shieldProgram, "M"), 1, GL_FALSE, glm::value_ptr(modelMatrix));
    glUniformMatrix4fv(glGetUniformLocation(shieldProgram, "V"), 1, GL_FALSE, glm::value_ptr(view));
    glUniformMatrix4fv(glGetUniformLocation(shieldProgram, "P"), 1, GL_FALSE, glm::value_ptr(projection));
    drawCornerArrays(corners, previousArray);
}
