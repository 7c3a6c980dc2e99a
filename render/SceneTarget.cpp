#include "render/SceneTarget.h"

#include <algorithm>
#include <cmath>

#include <GL/glew.h>

#include "scene/ShaderLoader.h"

int scaledSide(int windowSide, float scale) {
    return std::max(1, static_cast<int>(std::lround(windowSide * scale)));
}

SceneTarget::~SceneTarget() = default;

void SceneTarget::init() {
    program = buildShaderProgram("upscale.vert", "upscale.frag", nullptr);
    GLint linked = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked != GL_TRUE) {
        glDeleteProgram(program);
        program = 0;
        return;
    }
    sceneLocation = glGetUniformLocation(program, "scene");
    glGenVertexArrays(1, &emptyVertexArray);
    glGetIntegerv(GL_SAMPLES, &windowSamples);
}

float SceneTarget::begin(unsigned int screenFramebuffer, int windowWidth, int windowHeight, float scale) {
    screen = screenFramebuffer;
    screenWidth = windowWidth;
    screenHeight = windowHeight;
    const bool throughTarget = scale < 1.0f || windowSamples < sceneSamples;
    const float used = std::min(scale, 1.0f);
    drawingOffScreen = throughTarget && program != 0 &&
                       makeTarget(scaledSide(windowWidth, used), scaledSide(windowHeight, used),
                                  used < 1.0f ? scaledSamples : sceneSamples);
    if (!drawingOffScreen) {
        glBindFramebuffer(GL_FRAMEBUFFER, screenFramebuffer);
        glViewport(0, 0, windowWidth, windowHeight);
        return 1.0f;
    }
    glBindFramebuffer(GL_FRAMEBUFFER, multisampledFramebuffer);
    glViewport(0, 0, width, height);
    return used;
}

void SceneTarget::present() {
    if (!drawingOffScreen) return;
    drawingOffScreen = false;
    glBindFramebuffer(GL_READ_FRAMEBUFFER, multisampledFramebuffer);
    if (width == screenWidth && height == screenHeight) {
        // Full size: resolved straight into the window, as a multisampled window resolves.
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, screen);
        glBlitFramebuffer(0, 0, width, height, 0, 0, width, height, GL_COLOR_BUFFER_BIT, GL_NEAREST);
        glBindFramebuffer(GL_FRAMEBUFFER, screen);
        glViewport(0, 0, screenWidth, screenHeight);
        return;
    }
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, resolvedFramebuffer);
    glBlitFramebuffer(0, 0, width, height, 0, 0, width, height, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, screen);
    glViewport(0, 0, screenWidth, screenHeight);
    // Every pixel is written over: nothing to clear, nothing to test.
    glDisable(GL_DEPTH_TEST);
    GLint previousVertexArray = 0;
    glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &previousVertexArray);
    glBindVertexArray(emptyVertexArray);
    glUseProgram(program);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, resolvedTexture);
    glUniform1i(sceneLocation, 0);
    glDrawArrays(GL_TRIANGLES, 0, 3);
    glBindVertexArray(static_cast<GLuint>(previousVertexArray));
    glEnable(GL_DEPTH_TEST);
}

void SceneTarget::release() {
    freeTarget();
    if (program != 0) glDeleteProgram(program);
    if (emptyVertexArray != 0) glDeleteVertexArrays(1, &emptyVertexArray);
    program = 0;
    emptyVertexArray = 0;
}

// Keeps the target when the size is the same; false (and no target) when the driver
// cannot make a complete one.
bool SceneTarget::makeTarget(int targetWidth, int targetHeight, int targetSamples) {
    if (multisampledFramebuffer != 0 && targetWidth == width && targetHeight == height &&
        targetSamples == samples)
        return true;
    freeTarget();
    width = targetWidth;
    height = targetHeight;
    samples = targetSamples;
    glGenRenderbuffers(1, &colourBuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, colourBuffer);
    glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, GL_RGBA8, width, height);
    glGenRenderbuffers(1, &depthStencilBuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, depthStencilBuffer);
    glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, GL_DEPTH24_STENCIL8, width, height);
    glGenFramebuffers(1, &multisampledFramebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, multisampledFramebuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colourBuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER,
                              depthStencilBuffer);
    bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;

    glGenTextures(1, &resolvedTexture);
    glBindTexture(GL_TEXTURE_2D, resolvedTexture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glGenFramebuffers(1, &resolvedFramebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, resolvedFramebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, resolvedTexture, 0);
    complete = complete && glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_FRAMEBUFFER, screen);
    if (!complete) freeTarget();
    return complete;
}

void SceneTarget::freeTarget() {
    if (multisampledFramebuffer != 0) glDeleteFramebuffers(1, &multisampledFramebuffer);
    if (resolvedFramebuffer != 0) glDeleteFramebuffers(1, &resolvedFramebuffer);
    if (colourBuffer != 0) glDeleteRenderbuffers(1, &colourBuffer);
    if (depthStencilBuffer != 0) glDeleteRenderbuffers(1, &depthStencilBuffer);
    if (resolvedTexture != 0) glDeleteTextures(1, &resolvedTexture);
    multisampledFramebuffer = resolvedFramebuffer = colourBuffer = depthStencilBuffer = resolvedTexture = 0;
    width = height = samples = 0;
}
