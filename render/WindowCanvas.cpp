#include "render/WindowCanvas.h"

#include <GL/glew.h>

namespace zarnhold {

void fitViewportToWindow(int width, int height) {
    glViewport(0, 0, width, height);
}

void clearWholeFramebuffer() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
}

unsigned int boundFramebuffer() {
    GLint framebuffer = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &framebuffer);
    return static_cast<unsigned int>(framebuffer);
}

void finishDrawing() {
    glFinish();
}

unsigned int makeBoundVertexArray() {
    GLuint vertexArray = 0;
    glGenVertexArrays(1, &vertexArray);
    glBindVertexArray(vertexArray);
    return vertexArray;
}

void bindVertexArray(unsigned int vertexArray) {
    glBindVertexArray(vertexArray);
}

}  // namespace zarnhold
