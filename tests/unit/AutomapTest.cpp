// The map's geometry: the seen rooms' outlines with gaps where their walls open, the
// goal's room before it is seen, the arrow and the way to the goal, all inside the panel.
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include <glm/glm.hpp>
#include <gtest/gtest.h>

#include "render/Automap.h"
#include "scene/RoomGraph.h"

using namespace zarnhold;

namespace {

RoomGraph::Portal opening(int a, int b, glm::vec3 c0, glm::vec3 c1, glm::vec3 c2, glm::vec3 c3) {
    return {a, b, {c0, c1, c2, c3}};
}

// A 4 x 4 hall (0), a corridor leaving its +x wall through a doorway at z 1.5..2.5 (1) and
// going on through its far end into a room a step up (3); a cellar under the hall through
// a hole in its floor (2); the goal's room, far off along -z (4).
RoomGraph dungeon() {
    RoomGraph graph;
    graph.rooms = {{{0, 0, 0}, {4, 3, 4}},
                   {{4, 0, 1}, {10, 3, 3}},
                   {{1, -10, 1}, {3, -4, 3}},
                   {{10, 1.8f, 0}, {14, 5, 4}},
                   {{16, 0, -34}, {24, 3, -26}}};
    graph.portals = {
        opening(0, 1, {4, 0, 1.5f}, {4, 0, 2.5f}, {4, 2, 2.5f}, {4, 2, 1.5f}),
        opening(0, 2, {1, 0, 1}, {3, 0, 1}, {3, 0, 3}, {1, 0, 3}),
        opening(1, 3, {10, 0, 1}, {10, 0, 3}, {10, 3, 3}, {10, 3, 1}),
    };
    return graph;
}

// x and z of a ground segment's two ends.
using Segment = std::array<float, 4>;

// Whether the lines of `mark` are exactly the ground segments `expected` (either way
// round), as the map's frame places them.
void expectSegments(const AutomapDrawing& drawing, AutomapMark mark, const std::vector<Segment>& expected) {
    std::vector<AutomapLine> drawn;
    for (const AutomapLine& line : drawing.lines) {
        if (line.mark == mark) drawn.push_back(line);
    }
    ASSERT_EQ(drawn.size(), expected.size()) << "mark " << static_cast<int>(mark);
    const auto near = [](glm::vec2 a, glm::vec2 b) { return glm::length(a - b) < 1e-3f; };
    for (const Segment& s : expected) {
        const glm::vec2 a = drawing.frame.toPanel({s[0], 0.0f, s[1]});
        const glm::vec2 b = drawing.frame.toPanel({s[2], 0.0f, s[3]});
        const auto match = std::find_if(drawn.begin(), drawn.end(), [&](const AutomapLine& line) {
            return (near(line.from, a) && near(line.to, b)) || (near(line.from, b) && near(line.to, a));
        });
        EXPECT_NE(match, drawn.end())
            << "no line from (" << s[0] << ", " << s[1] << ") to (" << s[2] << ", " << s[3] << ")";
        if (match != drawn.end()) drawn.erase(match);
    }
}

void expectInside(const AutomapDrawing& drawing, glm::vec2 panel) {
    std::vector<glm::vec2> points;
    for (const AutomapLine& line : drawing.lines) points.insert(points.end(), {line.from, line.to});
    for (const AutomapTriangle& t : drawing.triangles) {
        points.insert(points.end(), t.corners.begin(), t.corners.end());
    }
    for (const glm::vec2& p : points) {
        EXPECT_TRUE(p.x >= 0.0f && p.y >= 0.0f && p.x <= panel.x && p.y <= panel.y) << p.x << ", " << p.y;
    }
}

const std::vector<Segment> kGoalRoomOutline = {
    {16, -34, 24, -34}, {16, -26, 24, -26}, {16, -34, 16, -26}, {24, -34, 24, -26}};

glm::vec2 centroid(const AutomapTriangle& t) {
    return (t.corners[0] + t.corners[1] + t.corners[2]) / 3.0f;
}

}  // namespace

TEST(Automap, SeenRoomsAreOutlinedWithGapsWhereTheirWallsOpenAndTheGoalsRoomAlsoUnseen) {
    const RoomGraph graph = dungeon();
    AutomapInput input;
    // Every room seen but the goal's.
    input.roomsSeen = {true, true, true, true};
    input.playerPos = {2.0f, 1.6f, 2.0f};
    input.goalPos = {20.0f, 1.0f, -30.0f};
    input.panelSize = {700.0f, 500.0f};
    const AutomapDrawing drawing = Automap(graph).draw(input);

    // The doorway leaves a gap in the hall's +x wall and in the corridor's end; the
    // corridor's far end is all opening, and so is the part of the step-up room's side that
    // it meets; a hole in a floor cuts no wall. The room a step up is on the player's floor
    // though its floor is above the eye; the cellar is not.
    const std::vector<Segment> hall = {
        {0, 0, 4, 0}, {0, 4, 4, 4}, {0, 0, 0, 4}, {4, 0, 4, 1.5f}, {4, 2.5f, 4, 4}};
    const std::vector<Segment> corridor = {{4, 1, 10, 1}, {4, 3, 10, 3}, {4, 1, 4, 1.5f}, {4, 2.5f, 4, 3}};
    const std::vector<Segment> stepUp = {
        {10, 0, 14, 0}, {10, 4, 14, 4}, {14, 0, 14, 4}, {10, 0, 10, 1}, {10, 3, 10, 4}};
    std::vector<Segment> floor = hall;
    floor.insert(floor.end(), corridor.begin(), corridor.end());
    floor.insert(floor.end(), stepUp.begin(), stepUp.end());
    expectSegments(drawing, AutomapMark::Room, floor);
    expectSegments(drawing, AutomapMark::OtherFloor,
                   {{1, 1, 3, 1}, {1, 3, 3, 3}, {1, 1, 1, 3}, {3, 1, 3, 3}});
    expectSegments(drawing, AutomapMark::GoalRoom, kGoalRoomOutline);
    // Under the player's floor: drawn first.
    EXPECT_EQ(drawing.lines.front().mark, AutomapMark::OtherFloor);

    // Seen from above with -z up and +x right, the same scale both ways.
    const glm::vec2 origin = drawing.frame.toPanel({0, 0, 0});
    const glm::vec2 east = drawing.frame.toPanel({4, 0, 0}) - origin;
    const glm::vec2 north = drawing.frame.toPanel({0, 9, -4}) - origin;
    EXPECT_GT(east.x, 0.0f);
    EXPECT_NEAR(east.y, 0.0f, 1e-4f);
    EXPECT_NEAR(north.x, 0.0f, 1e-4f);
    EXPECT_NEAR(north.y, east.x, 1e-3f);
    // The rooms span 38 units in z (-34 to 4): they fill most of the panel's height.
    EXPECT_GT(drawing.frame.pixelsPerUnit * 38.0f, 0.8f * input.panelSize.y);
    expectInside(drawing, input.panelSize);
}

TEST(Automap, TheArrowPointsTheWayThePlayerFacesAndALineLeadsToTheGoalBeforeItIsSeen) {
    const RoomGraph graph = dungeon();
    const glm::vec2 panel(800.0f, 450.0f);
    const float r = std::sqrt(0.5f);
    struct Case {
        float facing;
        glm::vec2 ahead;
    };
    // A quarter turn from -z (up on the map) faces +x (right).
    for (const Case& c : {Case{0.0f, {0, 1}}, Case{1.5707963f, {1, 0}}, Case{3.1415927f, {0, -1}},
                          Case{-1.5707963f, {-1, 0}}, Case{0.7853982f, {r, r}}}) {
        AutomapInput input;
        input.playerPos = {2.0f, 1.6f, 2.0f};
        input.facingRadians = c.facing;
        input.goalPos = {20.0f, 1.0f, -30.0f};
        input.panelSize = panel;
        const AutomapDrawing drawing = Automap(graph).draw(input);

        ASSERT_EQ(drawing.triangles.size(), 3u);
        const AutomapTriangle& arrow = drawing.triangles.back();
        EXPECT_EQ(arrow.mark, AutomapMark::Player);
        const glm::vec2 pointing = glm::normalize(arrow.corners[0] - centroid(arrow));
        EXPECT_NEAR(pointing.x, c.ahead.x, 1e-4f) << c.facing;
        EXPECT_NEAR(pointing.y, c.ahead.y, 1e-4f) << c.facing;

        // Nothing seen: only the goal's room is outlined, and the way to it leads 18 east
        // and 32 north (up) from the player to the goal's diamond.
        expectSegments(drawing, AutomapMark::GoalRoom, kGoalRoomOutline);
        EXPECT_EQ(drawing.lines.size(), 5u);
        const AutomapLine& way = drawing.lines.back();
        EXPECT_EQ(way.mark, AutomapMark::GoalWay);
        const glm::vec2 wayDirection = glm::normalize(way.to - way.from);
        const glm::vec2 expected = glm::normalize(glm::vec2(18.0f, 32.0f));
        EXPECT_NEAR(wayDirection.x, expected.x, 1e-4f);
        EXPECT_NEAR(wayDirection.y, expected.y, 1e-4f);
        EXPECT_LT(glm::length(way.from - centroid(arrow)), 0.1f * panel.y);
        const glm::vec2 goal = 0.5f * (centroid(drawing.triangles[0]) + centroid(drawing.triangles[1]));
        EXPECT_LT(glm::length(goal - way.to), 1e-3f);
        EXPECT_EQ(drawing.triangles[0].mark, AutomapMark::Goal);
        expectInside(drawing, panel);
    }
}
