#include "game/Shield.h"

#include <vector>

#include <GL/glew.h>
#include <glm/gtc/type_ptr.hpp>

#include "scene/BmpLoader.h"
#include "scene/CornerBuffers.h"
#include "scene/GlLedger.h"
#include "scene/ObjLoader.h"
#include "scene/ShaderLoader.h"

void Shield::load() {
    readObjModel(*this, "External\\Models\\shield.obj");
    shieldTexture = readBmpTexture("External\\Models\\shield.bmp");
    GLint previousArray = 0;
    glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &previousArray);
    glGenVertexArrays(1, &vertexArray);
    GlLedger::record(GlLedger::Kind::VertexArray, vertexArray);
    glBindVertexArray(vertexArray);
    cornerPositionBuffer = makeCornerBuffer(positionFloats());
    cornerUvBuffer = makeCornerBuffer(uvFloats());
    cornerNormalBuffer = makeCornerBuffer(normalFloats());
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
    bindCornerAttribute(0, cornerPositionBuffer, 3);
    bindCornerAttribute(1, cornerUvBuffer, 2);
    bindCornerAttribute(2, cornerNormalBuffer, 3);
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
