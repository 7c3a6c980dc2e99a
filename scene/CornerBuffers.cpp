#include "scene/CornerBuffers.h"

#include <GL/glew.h>

#include "scene/GlLedger.h"

unsigned int makeCornerBuffer(const std::vector<float>& floats) {
    GLuint buffer = 0;
    glGenBuffers(1, &buffer);
    GlLedger::record(GlLedger::Kind::Buffer, buffer);
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
