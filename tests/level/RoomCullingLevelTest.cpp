// The rooms the eye can see, against the generated level.
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
#include "tests/LevelQuery.h"

using namespace zarnhold;

namespace {

glm::mat4 looking(glm::vec3 eye, glm::vec3 at) {
    const glm::mat4 projection = glm::perspective(glm::radians(45.0f), 16.0f / 9.0f, 0.1f, 100.0f);
    return projection * glm::lookAt(eye, at, glm::vec3(0.0f, 1.0f, 0.0f));
}

}  // namespace

// Against the generated level: from random places in its rooms, every point of a level
// triangle that nothing hides from the eye is in a run that is drawn, on the part of the
// screen that run keeps to.
TEST(RoomBatching, EveryTriangleInPlainSightInTheLevelIsDrawn) {
    Object3D level;
    testing::internal::CaptureStdout();
    ASSERT_TRUE(readObjModel(level, "External\\Models\\Levels\\Level1n.obj"));
    const RoomGraph graph = readRoomGraph("External\\Models\\Levels\\Level1n.rooms");
    const std::string printed = testing::internal::GetCapturedStdout();
    ASSERT_FALSE(graph.empty()) << printed;
    level.buildIndexedGeometry();
    RoomBatches batches;
    batches.build(graph, level.indexedPositions, level.indices);
    for (const RoomBatches::Batch& batch : batches.batches) {
        EXPECT_FALSE(batch.rooms.empty()) << "every triangle of the level lies in a room";
    }
    const LevelQuery query(level.triangles);
    const std::vector<std::uint16_t>& order = batches.drawOrder;
    std::mt19937 random(7);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    const std::size_t triangles = order.size() / 3;
    int checked = 0;
    for (int trial = 0; trial < 30000; ++trial) {
        const RoomGraph::Box& box = graph.rooms[random() % graph.rooms.size()];
        const glm::vec3 inset(0.3f);
        const glm::vec3 eye =
            box.low + inset +
            (box.high - box.low - 2.0f * inset) * glm::vec3(unit(random), unit(random), unit(random));
        // Inside, where a player could look from: clear of walls, over a floor and under a
        // ceiling that face it (not under a sloping floor, say).
        if (query.clearance(eye, 0.2f) < 0.2f) continue;
        const LevelQuery::Hit below = query.castRay(eye, {0.0f, -1.0f, 0.0f}, 100.0f);
        const LevelQuery::Hit above = query.castRay(eye, {0.0f, 1.0f, 0.0f}, 100.0f);
        if (!below.found || below.normal.y <= 0.0f || !above.found || above.normal.y >= 0.0f) continue;
        const std::size_t t = random() % triangles;
        const glm::vec3 a = level.indexedPositions[order[3 * t]];
        const glm::vec3 b = level.indexedPositions[order[3 * t + 1]];
        const glm::vec3 c = level.indexedPositions[order[3 * t + 2]];
        float u = unit(random), v = unit(random);
        if (u + v > 1.0f) u = 1.0f - u, v = 1.0f - v;
        const glm::vec3 point = a + u * (b - a) + v * (c - a);
        const glm::vec3 toPoint = point - eye;
        const float distance = glm::length(toPoint);
        // Back faces are not drawn; points in line with the up direction have no camera here.
        if (glm::dot(glm::cross(b - a, c - a), -toPoint) <= 0.0f || distance < 0.2f || distance > 90.0f ||
            std::abs(toPoint.y) > 0.99f * distance) {
            continue;
        }
        const LevelQuery::Hit hit = query.castRay(eye, toPoint / distance, distance - 0.02f);
        if (hit.found) continue;
        ++checked;
        // The camera looks straight at the point, which is then in the middle of the screen.
        bool drawn = false;
        for (const IndexRange& range : batches.rangesFor(graph.seenRooms(looking(eye, point), eye))) {
            const bool holds = 3 * t >= range.first && 3 * t < range.first + range.count;
            drawn = drawn || (holds && glm::all(glm::lessThanEqual(range.screenLow, glm::vec2(0.0f))) &&
                              glm::all(glm::greaterThanEqual(range.screenHigh, glm::vec2(0.0f))));
        }
        EXPECT_TRUE(drawn) << "eye (" << eye.x << ", " << eye.y << ", " << eye.z << ") point (" << point.x
                           << ", " << point.y << ", " << point.z << ")";
        if (!drawn) break;
    }
    EXPECT_GT(checked, 1000);
}
