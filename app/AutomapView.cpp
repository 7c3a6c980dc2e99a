#include "app/AutomapView.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include <GL/glew.h>

#include "game/CameraState.h"
#include "render/Level.h"
#include "run/LevelPlaces.h"
#include "scene/ShaderLoader.h"

namespace zarnhold {

namespace {

constexpr int kFloatsPerCorner = 6;
const glm::vec4 kBackground(0.010f, 0.014f, 0.028f, 0.78f);
const glm::vec4 kPanelFrame(0.25f, 0.50f, 1.00f, 0.85f);

void addCorner(std::vector<float>& corners, glm::vec2 at, const glm::vec4& colour) {
    corners.insert(corners.end(), {at.x, at.y, colour.r, colour.g, colour.b, colour.a});
}

void addTriangle(std::vector<float>& corners, glm::vec2 a, glm::vec2 b, glm::vec2 c,
                 const glm::vec4& colour) {
    addCorner(corners, a, colour);
    addCorner(corners, b, colour);
    addCorner(corners, c, colour);
}

void addQuad(std::vector<float>& corners, glm::vec2 low, glm::vec2 high, const glm::vec4& colour) {
    addTriangle(corners, low, {high.x, low.y}, high, colour);
    addTriangle(corners, low, high, {low.x, high.y}, colour);
}

// A line as a quad `width` wide, its ends carried on by half the width, so that the sides
// of an outline meet at square corners. Core profiles draw no lines wider than a pixel.
void addStroke(std::vector<float>& corners, glm::vec2 from, glm::vec2 to, float width,
               const glm::vec4& colour) {
    const float length = glm::length(to - from);
    if (length <= 0.0f) return;
    const glm::vec2 along = (to - from) / length * (0.5f * width);
    const glm::vec2 across(-along.y, along.x);
    const glm::vec2 a = from - along + across, b = from - along - across;
    const glm::vec2 c = to + along - across, d = to + along + across;
    addTriangle(corners, a, b, c, colour);
    addTriangle(corners, a, c, d, colour);
}

// The background, its frame, the lines `lineWidth` pixels wide, then the triangles.
std::vector<float> panelCorners(const AutomapDrawing& drawing, glm::vec2 size, float lineWidth) {
    std::vector<float> corners;
    corners.reserve((12 + 6 * drawing.lines.size() + 3 * drawing.triangles.size()) * kFloatsPerCorner);
    addQuad(corners, glm::vec2(0.0f), size, kBackground);
    const glm::vec2 in(0.5f * lineWidth);
    const glm::vec2 corner[4] = {in, {size.x - in.x, in.y}, size - in, {in.x, size.y - in.y}};
    for (int i = 0; i < 4; ++i) addStroke(corners, corner[i], corner[(i + 1) % 4], lineWidth, kPanelFrame);
    for (const AutomapLine& line : drawing.lines) {
        addStroke(corners, line.from, line.to, lineWidth, AutomapView::colourOf(line.mark));
    }
    for (const AutomapTriangle& t : drawing.triangles) {
        addTriangle(corners, t.corners[0], t.corners[1], t.corners[2], AutomapView::colourOf(t.mark));
    }
    return corners;
}

}  // namespace

void AutomapView::init() {
    program = buildShaderProgram("automap.vert", "automap.frag", nullptr);
    panelSizeLocation = uniform(program, "panelSize");
    GLint previousArray = 0;
    glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &previousArray);
    glGenVertexArrays(1, &vertexArray);
    glBindVertexArray(vertexArray);
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    const GLsizei stride = kFloatsPerCorner * sizeof(float);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, stride, nullptr);
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 4, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<const void*>(2 * sizeof(float)));
    glBindVertexArray(static_cast<GLuint>(previousArray));
}

void AutomapView::draw(const CameraState& player, int windowWidth, int windowHeight) {
    const MapPanel panel = panelIn(windowWidth, windowHeight);
    drawShapes(drawingFor(player, panel), panel);
}

void AutomapView::drawShapes(const AutomapDrawing& drawing, const MapPanel& panel) {
    if (panel.width <= 0 || panel.height <= 0) return;
    const float lineWidth = std::max(1.5f, panel.height / 280.0f);
    const std::vector<float> corners = panelCorners(drawing, glm::vec2(panel.width, panel.height), lineWidth);
    GLint previousArray = 0, previousViewport[4] = {};
    glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &previousArray);
    glGetIntegerv(GL_VIEWPORT, previousViewport);
    glViewport(panel.x, panel.y, panel.width, panel.height);
    glBindVertexArray(vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(corners.size() * sizeof(float)), corners.data(),
                 GL_STREAM_DRAW);
    glUseProgram(program);
    glUniform2f(panelSizeLocation, static_cast<float>(panel.width), static_cast<float>(panel.height));
    // Flat shapes over the finished view, in order; the window's own alpha is kept.
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ZERO, GL_ONE);
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(corners.size() / kFloatsPerCorner));
    glDisable(GL_BLEND);
    glEnable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST);
    glBindVertexArray(static_cast<GLuint>(previousArray));
    glViewport(previousViewport[0], previousViewport[1], previousViewport[2], previousViewport[3]);
}

MapPanel AutomapView::panelIn(int windowWidth, int windowHeight) {
    const int width = windowWidth * 7 / 10, height = windowHeight * 7 / 10;
    return {(windowWidth - width) / 2, (windowHeight - height) / 2, width, height};
}

AutomapDrawing AutomapView::drawingFor(const CameraState& player, const MapPanel& panel) {
    static const RoomGraph noRooms;
    const Level* level = player.level;
    AutomapInput input;
    if (level != nullptr) input.roomsSeen = level->roomsSeen;
    // The rooms lie in the level's frame, which is the physics frame.
    input.playerPos = renderToPhysics(player.drawnEye());
    // The angle is never wrapped: brought within a turn before it loses its fraction as a float.
    input.facingRadians = static_cast<float>(std::remainder(player.horizontalAngle, 2.0 * 3.14159265358979));
    input.goalPos = renderToPhysics(levelPlaces().goalCrystalRenderPos);
    input.panelSize = glm::vec2(panel.width, panel.height);
    return Automap(level != nullptr ? level->roomGraph : noRooms).draw(input);
}

glm::vec4 AutomapView::colourOf(AutomapMark mark) {
    switch (mark) {
        case AutomapMark::Room: return {0.80f, 0.86f, 0.95f, 1.0f};
        case AutomapMark::OtherFloor: return {0.36f, 0.42f, 0.55f, 1.0f};
        case AutomapMark::GoalRoom: return {0.95f, 0.35f, 0.85f, 1.0f};
        case AutomapMark::GoalWay: return {0.62f, 0.24f, 0.58f, 1.0f};
        case AutomapMark::Goal: return {1.00f, 0.50f, 0.95f, 1.0f};
        case AutomapMark::Player: return {1.00f, 0.84f, 0.30f, 1.0f};
    }
    return glm::vec4(1.0f);
}

}  // namespace zarnhold
