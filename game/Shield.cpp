#include "game/Shield.h"

#include <vector>

#include <GL/glew.h>
#include <glm/gtc/type_ptr.hpp>

#include "scene/BmpLoader.h"
#include "scene/CornerBuffers.h"
#include "scene/ObjLoader.h"

void Shield::load(GlLedger* ledger, unsigned int program) {
    readObjModel(*this, "External\\Models\\shield.obj");
    shieldTexture = readBmpTexture("External\\Models\\shield.bmp", ledger);
    corners = makeCornerArrays(*this, ledger);
    shieldProgram = program;
    samplerLocation = glGetUniformLocation(shieldProgram, "myTextureSampler");
}

void Shield::draw(const glm::mat4& view, const glm::mat4& projection, const glm::vec3& lampPosition) const {
    const unsigned int previousArray = bindCornerArrays(corners);
    glUseProgram(shieldProgram);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, shieldTexture);
    glUniform1i(samplerLocation, 0);
    // The sword's draw leaves its lights, ambient and fade in the shared program: the
    // shield is lit by its lamp alone.
    glUniform1i(glGetUniformLocation(shieldProgram, "lightCount"), 0);
    glUniform1f(glGetUniformLocation(shieldProgram, "ambient"), 0.0f);
    glUniform1f(glGetUniformLocation(shieldProgram, "fade"), 0.0f);
    glUniform3f(glGetUniformLocation(shieldProgram, "playerPosition"), 0.0f, 0.0f, 0.0f);
    glUniform3fv(glGetUniformLocation(shieldProgram, "LampPos"), 1, glm::value_ptr(lampPosition));
    glUniformMatrix4fv(glGetUniformLocation(shieldProgram, "M"), 1, GL_FALSE, glm::value_ptr(modelMatrix));
    glUniformMatrix4fv(glGetUniformLocation(shieldProgram, "V"), 1, GL_FALSE, glm::value_ptr(view));
    glUniformMatrix4fv(glGetUniformLocation(shieldProgram, "P"), 1, GL_FALSE, glm::value_ptr(projection));
    drawCornerArrays(corners, previousArray);
}
