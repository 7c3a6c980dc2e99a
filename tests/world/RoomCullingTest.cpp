// Which rooms the eye can see through the openings between them, the rooms file that
// says where they are, and the level's triangles grouped by room.
#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include <glm/glm.hpp>
#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include "render/RoomBatches.h"
#include "scene/ObjLoader.h"
#include "scene/Object3D.h"
#include "scene/RoomGraph.h"
#include "scene/RoomLoader.h"

using namespace zarnhold;

namespace {

const glm::mat4 kProjection = glm::perspective(glm::radians(45.0f), 16.0f / 9.0f, 0.1f, 100.0f);

glm::mat4 looking(glm::vec3 eye, glm::vec3 at) {
    return kProjection * glm::lookAt(eye, at, glm::vec3(0.0f, 1.0f, 0.0f));
}

// Three rooms in a row along -z, 4 wide and 3 high: A (z 0..-4), B (-4..-8), C (-8..-12),
// joined by 1-wide doorways. The A-B doorway is at x 0..1; the B-C doorway at x `cx`..cx+1.
RoomGraph threeRooms(float cx) {
    RoomGraph graph;
    graph.rooms = {{{-2, 0, -4}, {2, 3, 0}}, {{-2, 0, -8}, {2, 3, -4}}, {{-2, 0, -12}, {2, 3, -8}}};
    graph.portals = {
        {0, 1, {glm::vec3(0, 0, -4), glm::vec3(1, 0, -4), glm::vec3(1, 2, -4), glm::vec3(0, 2, -4)}},
        {1,
         2,
         {glm::vec3(cx, 0, -8), glm::vec3(cx + 1, 0, -8), glm::vec3(cx + 1, 2, -8), glm::vec3(cx, 2, -8)}}};
    return graph;
}

std::vector<int> depths(const std::vector<RoomGraph::Sight>& sights) {
    std::vector<int> d;
    for (const RoomGraph::Sight& s : sights) d.push_back(s.depth);
    return d;
}

}  // namespace

TEST(RoomSight, ThroughAlignedDoorwaysEveryRoomIsSeenOnANarrowingPartOfTheScreen) {
    const RoomGraph graph = threeRooms(0.0f);
    const glm::vec3 eye(0.5f, 1.0f, -1.0f);
    const std::vector<RoomGraph::Sight> sights = graph.seenRooms(looking(eye, {0.5f, 1.0f, -10.0f}), eye);
    EXPECT_EQ(depths(sights), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(sights[0].low, glm::vec2(-1.0f));
    EXPECT_EQ(sights[0].high, glm::vec2(1.0f));
    // The far doorway looks smaller than the near one, and both sit round the middle.
    const float nearWidth = sights[1].high.x - sights[1].low.x;
    const float farWidth = sights[2].high.x - sights[2].low.x;
    EXPECT_GT(nearWidth, 0.1f);
    EXPECT_LT(farWidth, nearWidth);
    EXPECT_LT(sights[2].low.x, 0.0f);
    EXPECT_GT(sights[2].high.x, 0.0f);
}

TEST(RoomSight, RoomsBehindTheEyeOrOutOfLineWithTheDoorwaysAreNotSeen) {
    const glm::vec3 eye(0.5f, 1.0f, -1.0f);
    // Looking back, away from the doorway.
    EXPECT_EQ(depths(threeRooms(0.0f).seenRooms(looking(eye, {0.5f, 1.0f, 5.0f}), eye)),
              (std::vector<int>{0, -1, -1}));
    // The second doorway at the far side: no straight line passes through both.
    const RoomGraph offset = threeRooms(-2.0f);
    EXPECT_EQ(depths(offset.seenRooms(looking(eye, {0.5f, 1.0f, -10.0f}), eye)),
              (std::vector<int>{0, 1, -1}));
    // From the side of the first doorway at a slant, the second one comes into line.
    const glm::vec3 slanted(1.5f, 1.0f, -0.5f);
    EXPECT_EQ(depths(offset.seenRooms(looking(slanted, {-1.5f, 1.0f, -8.0f}), slanted)),
              (std::vector<int>{0, 1, 2}));
}

TEST(RoomSight, AnEyeInADoorwayOrOutsideEveryRoomSeesPlainly) {
    const RoomGraph graph = threeRooms(0.0f);
    // Standing in the doorway, looking along the wall: both rooms either side are seen.
    const glm::vec3 inDoorway(0.5f, 1.0f, -4.0f);
    const std::vector<int> along =
        depths(graph.seenRooms(looking(inDoorway, {-2.0f, 1.0f, -4.0f}), inDoorway));
    EXPECT_EQ(along[0], 0);
    EXPECT_EQ(along[1], 0);
    // Just short of the doorway, looking along the wall it is cut in.
    const glm::vec3 nearDoorway(0.5f, 1.0f, -3.75f);
    EXPECT_GE(depths(graph.seenRooms(looking(nearDoorway, {5.0f, 1.0f, -3.75f}), nearDoorway))[1], 0);
    // Outside every room, nothing is known: everything is drawn, everywhere.
    const glm::vec3 outside(10.0f, 1.0f, 0.0f);
    for (const RoomGraph::Sight& sight : graph.seenRooms(looking(outside, {10.0f, 1.0f, -5.0f}), outside)) {
        EXPECT_EQ(sight.depth, 0);
        EXPECT_EQ(sight.low, glm::vec2(-1.0f));
        EXPECT_EQ(sight.high, glm::vec2(1.0f));
    }
}

TEST(RoomSight, ALoopOfRoomsEndsAndEveryRoomOnItIsSeen) {
    // Four rooms round a square courtyard, each opening into the next.
    RoomGraph ring;
    ring.rooms = {
        {{0, 0, 0}, {4, 3, 4}}, {{4, 0, 0}, {8, 3, 4}}, {{4, 0, 4}, {8, 3, 8}}, {{0, 0, 4}, {4, 3, 8}}};
    auto wallX = [](float x, float z0) {
        return std::array<glm::vec3, 4>{glm::vec3(x, 0, z0), glm::vec3(x, 0, z0 + 4), glm::vec3(x, 3, z0 + 4),
                                        glm::vec3(x, 3, z0)};
    };
    auto wallZ = [](float z, float x0) {
        return std::array<glm::vec3, 4>{glm::vec3(x0, 0, z), glm::vec3(x0 + 4, 0, z), glm::vec3(x0 + 4, 3, z),
                                        glm::vec3(x0, 3, z)};
    };
    ring.portals = {{0, 1, wallX(4, 0)}, {1, 2, wallZ(4, 4)}, {2, 3, wallX(4, 4)}, {3, 0, wallZ(4, 0)}};
    const glm::vec3 eye(1.0f, 1.5f, 1.0f);
    EXPECT_EQ(depths(ring.seenRooms(looking(eye, {7.0f, 1.5f, 7.0f}), eye)), (std::vector<int>{0, 1, 2, 1}));
}

TEST(RoomFile, ReadsRoomsAndPortalsAndSkipsCommentsBlankLinesAndOtherWords) {
    RoomGraph graph;
    std::string problem;
    ASSERT_TRUE(
        parseRoomGraph("# rooms\n\nroom 0 0 0 1 2 3\nroom -1 -1 -1 0 0 0\r\n"
                       "note something else\nportal 1 0 0 0 0 0 1 0 0 1 1 0 0 1\n",
                       graph, problem))
        << problem;
    ASSERT_EQ(graph.rooms.size(), 2u);
    EXPECT_EQ(graph.rooms[0].high, glm::vec3(1, 2, 3));
    EXPECT_EQ(graph.rooms[1].low, glm::vec3(-1));
    ASSERT_EQ(graph.portals.size(), 1u);
    EXPECT_EQ(graph.portals[0].a, 1);
    EXPECT_EQ(graph.portals[0].b, 0);
    EXPECT_EQ(graph.portals[0].corners[2], glm::vec3(0, 1, 1));
}

TEST(RoomFile, AMalformedLineLeavesTheGraphAsItWasAndSaysWhere) {
    const std::string good = "room 0 0 0 1 1 1\n";
    const std::vector<std::string> bad = {
        "room 0 0 0 1 1\n",                                // five numbers
        "room 0 0 0 1 1 1 7\n",                            // seven
        "room 0 0 nan 1 1 1\n",                            // not finite
        "room 0 0 0 1 1 1e99\n",                           // out of range
        "room 2 0 0 1 1 1\n",                              // inside out
        "room 0 0 0 1x 1 1\n",                             // not a number
        "portal 0 1 0 0 0 1 0 0 1 1 0 0 1 0\n",            // no room 1
        "portal 0 -1 0 0 0 1 0 0 1 1 0 0 1 0\n",           // negative
        "portal 0 0 0 0 0 1 0 0 1 1 0 0 1\n",              // a corner short
        "portal 0 99999999999 0 0 0 1 0 0 1 1 0 0 1 0\n",  // does not fit
    };
    for (const std::string& line : bad) {
        RoomGraph graph;
        graph.rooms.push_back({{5, 5, 5}, {6, 6, 6}});
        std::string problem;
        EXPECT_FALSE(parseRoomGraph(good + line, graph, problem)) << line;
        ASSERT_EQ(graph.rooms.size(), 1u) << line;
        EXPECT_EQ(graph.rooms[0].low, glm::vec3(5)) << line;
        EXPECT_TRUE(graph.portals.empty()) << line;
        EXPECT_FALSE(problem.empty()) << line;
        if (line.rfind("room", 0) == 0) {
            EXPECT_EQ(problem.rfind("line 2:", 0), 0u) << problem;
        }
    }
}

TEST(RoomFile, AMissingFileGivesAnEmptyGraphAndSaysSo) {
    testing::internal::CaptureStdout();
    const RoomGraph graph = readRoomGraph("External\\Models\\Levels\\NoSuchLevel.rooms");
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_TRUE(graph.empty());
    EXPECT_NE(printed.find("NoSuchLevel.rooms"), std::string::npos) << printed;
}

TEST(RoomBatching, TrianglesAreRegroupedByRoomAndOnlySeenRoomsAreDrawnNearestFirst) {
    const RoomGraph graph = threeRooms(0.0f);
    // A floor triangle in each room (C's first), a wall in A, a post standing in A, and
    // a triangle far outside every room.
    const std::vector<glm::vec3> positions = {
        {-1, 0, -9}, {1, 0, -9},  {0, 0, -11},    // C floor
        {-1, 0, -1}, {1, 0, -1},  {0, 0, -3},     // A floor
        {-1, 0, -5}, {1, 0, -5},  {0, 0, -7},     // B floor
        {-2, 0, -1}, {-2, 2, -1}, {-2, 0, -3},    // A wall
        {0, 0, -2},  {0, 2, -2},  {0.5f, 0, -2},  // a post in A
        {50, 0, 50}, {51, 0, 50}, {50, 0, 51},    // outside
    };
    std::vector<std::uint16_t> indices(positions.size());
    for (std::size_t i = 0; i < indices.size(); ++i) indices[i] = static_cast<std::uint16_t>(i);
    RoomBatches batches;
    batches.build(graph, positions, indices);
    std::vector<std::uint16_t> sorted = batches.drawOrder;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, indices) << "the same corners, regrouped";

    auto firstCornerOf = [&](const IndexRange& range) { return positions[batches.drawOrder[range.first]]; };
    auto drawnFirstCorners = [&](const std::vector<RoomGraph::Sight>& sights) {
        std::vector<glm::vec3> corners;
        for (const IndexRange& range : batches.rangesFor(sights)) {
            for (std::size_t i = range.first; i < range.first + range.count; i += 3) {
                corners.push_back(positions[batches.drawOrder[i]]);
            }
        }
        return corners;
    };
    const glm::vec3 eye(0.5f, 1.0f, -1.0f);
    // Looking away from the doorway: A and what lies outside every room.
    const std::vector<glm::vec3> away = drawnFirstCorners(graph.seenRooms(looking(eye, {0.5f, 1, 5}), eye));
    EXPECT_EQ(away.size(), 4u);
    EXPECT_EQ(std::count(away.begin(), away.end(), glm::vec3(-1, 0, -9)), 0);
    EXPECT_EQ(std::count(away.begin(), away.end(), glm::vec3(50, 0, 50)), 1);
    // Looking down the rooms: everything, A's post before A's floor and wall, A before B before C.
    const std::vector<glm::vec3> down = drawnFirstCorners(graph.seenRooms(looking(eye, {0.5f, 1, -10}), eye));
    ASSERT_EQ(down.size(), 6u);
    auto at = [&](glm::vec3 corner) { return std::find(down.begin(), down.end(), corner) - down.begin(); };
    EXPECT_LT(at({0, 0, -2}), at({-1, 0, -1}));
    EXPECT_LT(at({0, 0, -2}), at({-2, 0, -1}));
    EXPECT_LT(at({-1, 0, -1}), at({-1, 0, -5}));
    EXPECT_LT(at({-1, 0, -5}), at({-1, 0, -9}));
    // The far room's run keeps to the part of the screen its doorway shows.
    for (const IndexRange& range : batches.rangesFor(graph.seenRooms(looking(eye, {0.5f, 1, -10}), eye))) {
        if (firstCornerOf(range) == glm::vec3(-1, 0, -9)) {
            EXPECT_GT(range.screenLow.x, -0.5f);
        }
    }
}
