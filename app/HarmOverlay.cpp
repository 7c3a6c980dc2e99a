#include "app/HarmOverlay.h"

#include <GL/glew.h>

#include "scene/ShaderLoader.h"

namespace zarnhold {

namespace {

// A glow's half size each way, in normalised device coordinates (the window is 2 by 2).
constexpr float glowHalfWidth = 0.55f;
constexpr float glowHalfHeight = 0.7f;
// The strongest a glow and the flash cover the view with their red.
constexpr float glowAlpha = 0.85f;
constexpr float flashAlpha = 0.3f;

}  // namespace

void HarmOverlay::init() {
    program = buildShaderProgram("harmmark.vert", "harmmark.frag", nullptr);
    GLint linked = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked != GL_TRUE) {
        glDeleteProgram(program);
        program = 0;
        return;
    }
    glGenVertexArrays(1, &emptyVertexArray);
}

void HarmOverlay::release() {
    if (program != 0) glDeleteProgram(program);
    if (emptyVertexArray != 0) glDeleteVertexArrays(1, &emptyVertexArray);
    program = emptyVertexArray = 0;
}

void HarmOverlay::sideAnchor(HarmMarks::Side side, float& x, float& y) {
    static const float anchors[HarmMarks::sideCount][2] = {{0, 1},  {1, 1},   {1, 0},  {1, -1},
                                                           {0, -1}, {-1, -1}, {-1, 0}, {-1, 1}};
    x = anchors[side][0];
    y = anchors[side][1];
}

void HarmOverlay::draw(const std::array<float, HarmMarks::sideCount>& sides, float flash) const {
    bool any = flash > 0.0f;
    for (float strength : sides) any = any || strength > 0.0f;
    if (program == 0 || !any) return;
    GLint previousVertexArray = 0;
    glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &previousVertexArray);
    glBindVertexArray(emptyVertexArray);
    glUseProgram(program);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    if (flash > 0.0f) drawRect(-1.0f, -1.0f, 1.0f, 1.0f, flashAlpha * flash, 0.0f);
    for (int side = 0; side < HarmMarks::sideCount; ++side) {
        if (sides[side] <= 0.0f) continue;
        float x = 0.0f, y = 0.0f;
        sideAnchor(static_cast<HarmMarks::Side>(side), x, y);
        drawRect(x - glowHalfWidth, y - glowHalfHeight, x + glowHalfWidth, y + glowHalfHeight,
                 glowAlpha * sides[side], 1.0f);
    }
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glBindVertexArray(static_cast<GLuint>(previousVertexArray));
}

void HarmOverlay::drawRect(float x0, float y0, float x1, float y1, float alpha, float glow) const {
    glUniform4f(uniform(program, "rect"), x0, y0, x1, y1);
    glUniform1f(uniform(program, "glow"), glow);
    glUniform4f(uniform(program, "colour"), 0.75f, 0.02f, 0.0f, alpha);
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
}

}  // namespace zarnhold
