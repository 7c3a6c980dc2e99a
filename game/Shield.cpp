#include "game/Shield.h"

#include <vector>

#include <GL/glew.h>
#include <glm/gtc/type_ptr.hpp>

#include "scene/BmpLoader.h"
#include "scene/GlLedger.h"
#include "scene/ObjLoader.h"
#include "scene/ShaderLoader.h"

namespace {

unsigned int cornerBuffer(const std::vector<float>& floats) {
    GLuint buffer = 0;
    glGenBuffers(1, &buffer);
    GlLedger::record(GlLedger::Kind::Buffer, buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(floats.size() * sizeof(float)), floats.data(),
                 GL_STATIC_DRAW);
    return buffer;
}

void bindAttribute(GLuint location, GLuint buffer, GLint size) {
    glEnableVertexAttribArray(location);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glVertexAttribPointer(location, size, GL_FLOAT, GL_FALSE, 0, nullptr);
}

}  // namespace

void Shield::load() {
    readObjModel(*this, "External\\Models\\shield.obj");
    shieldTexture = readBmpTexture("External\\Models\\shield.bmp");
    GLint previousArray = 0;
    glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &previousArray);
    glGenVertexArrays(1, &vertexArray);
    GlLedger::record(GlLedger::Kind::VertexArray, vertexArray);
    glBindVertexArray(vertexArray);
    cornerPositionBuffer = cornerBuffer(positionFloats());
    cornerUvBuffer = cornerBuffer(uvFloats());
    cornerNormalBuffer = cornerBuffer(normalFloats());
    cornerCount = static_cast<int>(triangles.size() * 3);
    glBindVertexArray(static_cast<GLuint>(previousArray));
    shieldProgram = buildShaderProgram("exampleVertexShader.vert", "exampleFragmentShader.frag");
    samplerLocation = glGetUniformLocation(shieldProgram, "myTextureSampler");
}

void Shield::draw(const glm::mat4& view, const glm::mat4& projection, const glm::vec3& lampPosition) const {
    GLint previousArray = 0;
    glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &previousArray);
    glBindVertexArray(vertexArray);
    glUseProgram(shieldProgram);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, shieldTexture);
    glUniform1i(samplerLocation, 0);
    bindAttribute(0, cornerPositionBuffer, 3);
    bindAttribute(1, cornerUvBuffer, 2);
    bindAttribute(2, cornerNormalBuffer, 3);
    glUniform3fv(glGetUniformLocation(shieldProgram, "LampPos"), 1, glm::value_ptr(lampPosition));
    glUniformMatrix4fv(glGetUniformLocation(shieldProgram, "M"), 1, GL_FALSE, glm::value_ptr(modelMatrix));
    glUniformMatrix4fv(glGetUniformLocation(shieldProgram, "V"), 1, GL_FALSE, glm::value_ptr(view));
    glUniformMatrix4fv(glGetUniformLocation(shieldProgram, "P"), 1, GL_FALSE, glm::value_ptr(projection));
    glDrawArrays(GL_TRIANGLES, 0, cornerCount);
    glDisableVertexAttribArray(0);
    glDisableVertexAttribArray(1);
    glDisableVertexAttribArray(2);
    glBindVertexArray(static_cast<GLuint>(previousArray));
}
