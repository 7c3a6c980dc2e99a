#include "scene/CornerBuffers.h"

#include <GL/glew.h>

#include "scene/GlLedger.h"
#include "scene/Object3D.h"

namespace zarnhold {

unsigned int makeCornerBuffer(const std::vector<float>& floats, GlLedger* ledger) {
    GLuint buffer = 0;
    glGenBuffers(1, &buffer);
    GlLedger::recordIn(ledger, GlLedger::Kind::Buffer, buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(floats.size() * sizeof(float)), floats.data(),
                 GL_STATIC_DRAW);
    return buffer;
}

void bindCornerAttribute(unsigned int location, unsigned int buffer, int size) {
    glEnableVertexAttribArray(location);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glVertexAttribPointer(location, size, GL_FLOAT, GL_FALSE, 0, nullptr);
}

CornerArrays makeCornerArrays(const Object3D& mesh, GlLedger* ledger) {
    GLint previousArray = 0;
    glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &previousArray);
    CornerArrays corners;
    glGenVertexArrays(1, &corners.vertexArray);
    GlLedger::recordIn(ledger, GlLedger::Kind::VertexArray, corners.vertexArray);
    glBindVertexArray(corners.vertexArray);
    corners.positions = makeCornerBuffer(mesh.positionFloats(), ledger);
    corners.uvs = makeCornerBuffer(mesh.uvFloats(), ledger);
    corners.normals = makeCornerBuffer(mesh.normalFloats(), ledger);
    corners.count = static_cast<int>(mesh.triangles.size() * 3);
    glBindVertexArray(static_cast<GLuint>(previousArray));
    return corners;
}

unsigned int bindCornerArrays(const CornerArrays& corners) {
    GLint previousArray = 0;
    glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &previousArray);
    glBindVertexArray(corners.vertexArray);
    bindCornerAttribute(0, corners.positions, 3);
    bindCornerAttribute(1, corners.uvs, 2);
    bindCornerAttribute(2, corners.normals, 3);
    return static_cast<unsigned int>(previousArray);
}

void drawCornerArrays(const CornerArrays& corners, unsigned int previousArray, int count) {
    glDrawArrays(GL_TRIANGLES, 0, count < 0 ? corners.count : count);
    glDisableVertexAttribArray(0);
    glDisableVertexAttribArray(1);
    glDisableVertexAttribArray(2);
    glBindVertexArray(previousArray);
}

}  // namespace zarnhold
