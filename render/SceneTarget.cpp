#include "render/SceneTarget.h"

#include <algorithm>
#include <cmath>

#include <GL/glew.h>

#include "scene/ShaderLoader.h"

namespace zarnhold {

int scaledSide(int windowSide, float scale) {
    return std::max(1, static_cast<int>(std::lround(windowSide * scale)));
}

SceneTarget::~SceneTarget() = default;

namespace {

// The linked program, or 0 (and nothing left behind) when it did not link.
unsigned int linkedOrNothing(unsigned int program) {
    GLint linked = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked == GL_TRUE) return program;
    glDeleteProgram(program);
    return 0;
}

}  // namespace

void SceneTarget::init() {
    bilinearProgram = linkedOrNothing(buildShaderProgram("upscale.vert", "upscale.frag", nullptr));
    if (bilinearProgram == 0) return;
    edgeAwareProgram = linkedOrNothing(buildShaderProgram("upscale.vert", "edgeupscale.frag", nullptr));
    glGenVertexArrays(1, &emptyVertexArray);
    glGetIntegerv(GL_SAMPLES, &windowSamples);
}

float SceneTarget::begin(unsigned int screenFramebuffer, int windowWidth, int windowHeight, float scale) {
    screen = screenFramebuffer;
    screenWidth = windowWidth;
    screenHeight = windowHeight;
    const bool throughTarget = scale < 1.0f || windowSamples < sceneSamples;
    const float used = std::min(scale, 1.0f);
    drawingOffScreen = throughTarget && bilinearProgram != 0 &&
                       makeTarget(scaledSide(windowWidth, used), scaledSide(windowHeight, used),
                                  used < 1.0f ? scaledSamples : sceneSamples);
    if (!drawingOffScreen) {
        glBindFramebuffer(GL_FRAMEBUFFER, screenFramebuffer);
        glViewport(0, 0, windowWidth, windowHeight);
        return 1.0f;
    }
    glBindFramebuffer(GL_FRAMEBUFFER, sceneFramebuffer);
    glViewport(0, 0, width, height);
    return used;
}

void SceneTarget::present() {
    if (!drawingOffScreen) return;
    drawingOffScreen = false;
    if (width == screenWidth && height == screenHeight) {
        // Full size: resolved straight into the window, as a multisampled window resolves.
        glBindFramebuffer(GL_READ_FRAMEBUFFER, sceneFramebuffer);
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, screen);
        glBlitFramebuffer(0, 0, width, height, 0, 0, width, height, GL_COLOR_BUFFER_BIT, GL_NEAREST);
        glBindFramebuffer(GL_FRAMEBUFFER, screen);
        glViewport(0, 0, screenWidth, screenHeight);
        return;
    }
    if (samples > 0) {
        glBindFramebuffer(GL_READ_FRAMEBUFFER, sceneFramebuffer);
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, resolvedFramebuffer);
        glBlitFramebuffer(0, 0, width, height, 0, 0, width, height, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    }
    drawUpToScreen();
}

void SceneTarget::drawUpToScreen() {
    glBindFramebuffer(GL_FRAMEBUFFER, screen);
    glViewport(0, 0, screenWidth, screenHeight);
    // Every pixel is written over: nothing to clear, nothing to test.
    glDisable(GL_DEPTH_TEST);
    GLint previousVertexArray = 0;
    glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &previousVertexArray);
    glBindVertexArray(emptyVertexArray);
    const unsigned int program =
        drawUp == DrawUp::EdgeAware && edgeAwareProgram != 0 ? edgeAwareProgram : bilinearProgram;
    glUseProgram(program);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, resolvedTexture);
    glUniform1i(uniform(program, "scene"), 0);
    glDrawArrays(GL_TRIANGLES, 0, 3);
    glBindVertexArray(static_cast<GLuint>(previousVertexArray));
    glEnable(GL_DEPTH_TEST);
}

void SceneTarget::release() {
    freeTarget();
    if (bilinearProgram != 0) glDeleteProgram(bilinearProgram);
    if (edgeAwareProgram != 0) glDeleteProgram(edgeAwareProgram);
    if (emptyVertexArray != 0) glDeleteVertexArrays(1, &emptyVertexArray);
    bilinearProgram = edgeAwareProgram = 0;
    emptyVertexArray = 0;
}

// Keeps the target when the size is the same; false (and no target) when the driver
// cannot make a complete one.
bool SceneTarget::makeTarget(int targetWidth, int targetHeight, int targetSamples) {
    if (sceneFramebuffer != 0 && targetWidth == width && targetHeight == height && targetSamples == samples)
        return true;
    freeTarget();
    width = targetWidth;
    height = targetHeight;
    samples = targetSamples;
    glGenTextures(1, &resolvedTexture);
    glBindTexture(GL_TEXTURE_2D, resolvedTexture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);

    glGenRenderbuffers(1, &depthStencilBuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, depthStencilBuffer);
    glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, GL_DEPTH24_STENCIL8, width, height);
    glGenFramebuffers(1, &sceneFramebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, sceneFramebuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER,
                              depthStencilBuffer);
    bool complete = true;
    if (samples == 0) {
        // No resolve: the scene is drawn into the very texture that is drawn up.
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, resolvedTexture, 0);
    } else {
        glGenRenderbuffers(1, &colourBuffer);
        glBindRenderbuffer(GL_RENDERBUFFER, colourBuffer);
        glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, GL_RGBA8, width, height);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colourBuffer);
        complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
        glGenFramebuffers(1, &resolvedFramebuffer);
        glBindFramebuffer(GL_FRAMEBUFFER, resolvedFramebuffer);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, resolvedTexture, 0);
    }
    complete = complete && glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_FRAMEBUFFER, screen);
    if (!complete) freeTarget();
    return complete;
}

void SceneTarget::freeTarget() {
    if (sceneFramebuffer != 0) glDeleteFramebuffers(1, &sceneFramebuffer);
    if (resolvedFramebuffer != 0) glDeleteFramebuffers(1, &resolvedFramebuffer);
    if (colourBuffer != 0) glDeleteRenderbuffers(1, &colourBuffer);
    if (depthStencilBuffer != 0) glDeleteRenderbuffers(1, &depthStencilBuffer);
    if (resolvedTexture != 0) glDeleteTextures(1, &resolvedTexture);
    sceneFramebuffer = resolvedFramebuffer = colourBuffer = depthStencilBuffer = resolvedTexture = 0;
    width = height = samples = 0;
}

}  // namespace zarnhold
