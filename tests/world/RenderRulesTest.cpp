// The rules the renderer decides by, each on plain values: what the view cull skips, which
// lights a draw keeps, how far a fixed shadow may rule a light out, which rooms hide a
// sphere, which lights each level triangle can receive, and which depth cube a light is lent.
#include <vector>

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include "bench/Ssim.h"
#include "render/CubeDepthTiles.h"
#include "render/DepthCubePool.h"
#include "render/Light.h"
#include "render/LitRules.h"
#include "render/ShadowFaces.h"
#include "scene/RoomGraph.h"

using namespace zarnhold;

namespace {

std::vector<int> listIndices(const std::vector<LitLightSlot>& slots) {
    std::vector<int> out;
    for (const LitLightSlot& slot : slots) out.push_back(slot.listIndex);
    return out;
}

// Every texel of every face of a `size` cube at `depth`.
CubeDepthTiles uniformTiles(int size, float depth) {
    CubeDepthTiles tiles;
    const std::vector<float> face(static_cast<std::size_t>(size) * size, depth);
    for (int f = 0; f < 6; ++f) tiles.setFace(f, face, size);
    return tiles;
}

}  // namespace

TEST(ViewCull, ASphereIsSkippedOnlyWhenWhollyBeyondOneClipPlane) {
    // The eye at the origin looking down -z, 90 degrees wide: the right plane is x = -z.
    const glm::mat4 viewProjection = glm::perspective(glm::radians(90.0f), 1.0f, 0.1f, 100.0f);
    EXPECT_FALSE(outsideView(viewProjection, {0, 0, -10}, 1.0f)) << "straight ahead";
    EXPECT_TRUE(outsideView(viewProjection, {0, 0, 10}, 1.0f)) << "behind the eye";
    EXPECT_TRUE(outsideView(viewProjection, {0, 0, -120}, 1.0f)) << "past the far plane";
    // Centre 1 beyond the right plane (x - (-z) = sqrt 2 over its length sqrt 2).
    EXPECT_FALSE(outsideView(viewProjection, {11, 0, -10}, 1.5f)) << "reaching back into the view";
    EXPECT_TRUE(outsideView(viewProjection, {11, 0, -10}, 0.5f));
}

TEST(LightMasks, ADrawKeepsTheMaskedLightsInListOrderWithSlotsFromZero) {
    std::vector<Light> lights(4);
    for (int i = 0; i < 4; ++i) lights[i].position = glm::vec3(i * 5.0f, 0, 0);
    std::vector<Light*> list;
    for (Light& light : lights) list.push_back(&light);
    const std::vector<LitLightSlot> near = selectLitLights(glm::vec3(0.0f), list);
    ASSERT_EQ(listIndices(near), (std::vector<int>{0, 1, 2, 3}));

    const std::vector<LitLightSlot> kept = lightsInMask(near, 0b1010u);
    ASSERT_EQ(listIndices(kept), (std::vector<int>{1, 3}));
    EXPECT_EQ(kept[0].slot, 0);
    EXPECT_EQ(kept[1].slot, 1);
    EXPECT_EQ(kept[1].textureUnit, firstShadowUnit + 3) << "a light's unit follows the list, not the slot";
    // A mask has 32 bits: a light further down the list is always kept.
    EXPECT_EQ(listIndices(lightsInMask({{40, 0, 50}}, 0u)), (std::vector<int>{40}));

    EXPECT_TRUE(sameLights(kept, lightsInMask(near, 0b1010u)));
    EXPECT_FALSE(sameLights(kept, lightsInMask(near, 0b0110u)));
    EXPECT_FALSE(sameLights(kept, near));
}

TEST(ShadowBias, AFixedShadowRulesALightOutOnlyBelowTheLitShadersBiasedDepth) {
    for (float d = 0.5f; d < 100.0f; d += 0.5f) {
        // The most the lit shader's bias can take off before it compares with the cube.
        const float biasedDepth = (d - (0.015f + d * (2.0f / 1024.0f) * 5.75f)) / 100.0f;
        ASSERT_LT(litDepthFloor(d), biasedDepth) << "at " << d;
        ASSERT_GT(litDepthFloor(d), biasedDepth - 1e-4f) << "and not far below it, at " << d;
    }
    // Walls 2 units from the light all round (depth 0.02): a box 5 away is behind them, a
    // box 1 away is in front of them, a box around the light is never ruled out.
    const CubeDepthTiles walls = uniformTiles(64, 0.02f);
    const glm::vec3 light(0.0f);
    EXPECT_FALSE(mayLightPast(walls, light, {4.5f, -0.5f, -0.5f}, {5.5f, 0.5f, 0.5f}, 64));
    EXPECT_TRUE(mayLightPast(walls, light, {0.8f, -0.2f, -0.2f}, {1.2f, 0.2f, 0.2f}, 64));
    EXPECT_TRUE(mayLightPast(walls, light, {-1, -1, -1}, {1, 1, 1}, 64));
    // One face left open (+X, the far plane's depth 1) lets the light reach the box there.
    CubeDepthTiles open = walls;
    open.setFace(0, std::vector<float>(64 * 64, 1.0f), 64);
    EXPECT_TRUE(mayLightPast(open, light, {4.5f, -0.5f, -0.5f}, {5.5f, 0.5f, 0.5f}, 64));
}

TEST(RoomSight, ASphereIsHiddenOnlyInsideAnUnseenRoomAndNoSeenOne) {
    RoomGraph graph;
    graph.rooms = {{{0, 0, 0}, {10, 5, 10}}, {{8, 0, 0}, {20, 5, 10}}};
    std::vector<RoomGraph::Sight> sights(2);
    sights[0].depth = 0;   // the eye's room
    sights[1].depth = -1;  // not seen
    EXPECT_TRUE(graph.hidesSphere(sights, {15, 2, 5}, 1.0f)) << "in the unseen room only";
    EXPECT_FALSE(graph.hidesSphere(sights, {9, 2, 5}, 0.5f)) << "where the two boxes overlap";
    EXPECT_FALSE(graph.hidesSphere(sights, {5, 2, 5}, 1.0f)) << "in the seen room";
    EXPECT_FALSE(graph.hidesSphere(sights, {19.5f, 2, 5}, 1.0f)) << "sticking out of every room";
    EXPECT_FALSE(graph.hidesSphere({sights[0]}, {15, 2, 5}, 1.0f)) << "sights of another graph";
}

TEST(TriangleLightMasks, ClearTheBitOfEachLightThatCannotReachTheTrianglesBox) {
    const std::vector<glm::vec3> positions = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {5, 0, 0}, {6, 0, 0}};
    const std::vector<std::uint16_t> indices = {0, 1, 2, 3, 4, 2};
    // The model moves everything 10 along x; light 1 cannot reach anything past x = 14.
    const glm::mat4 model = glm::translate(glm::mat4(1.0f), glm::vec3(10, 0, 0));
    std::vector<glm::vec3> lows;
    const auto mayLight = [&](int light, glm::vec3 low, glm::vec3 high) {
        if (light == 0) lows.push_back(low);
        return !(light == 1 && high.x > 14.0f);
    };
    const std::vector<unsigned int> masks = triangleLightMasks(positions, indices, model, 40, mayLight);
    ASSERT_EQ(masks.size(), 2u);
    EXPECT_EQ(masks[0], ~0u);
    EXPECT_EQ(masks[1], ~0u & ~2u);
    ASSERT_EQ(lows.size(), 2u);
    EXPECT_EQ(lows[1], glm::vec3(10, 0, 0)) << "the box is the moved triangle's";
}

TEST(CubePool, LendsTheFirstFreeCubeOfTheSizeAskedElseANewOne) {
    const std::vector<int> sizes = {1024, 512, 1024};
    EXPECT_EQ(DepthCubePool::pick(sizes, 0, 1024), 0u);
    EXPECT_EQ(DepthCubePool::pick(sizes, 1, 1024), 2u) << "the first is lent";
    EXPECT_EQ(DepthCubePool::pick(sizes, 2, 512), 3u) << "the 512 one is lent: a new one";
    EXPECT_EQ(DepthCubePool::pick(sizes, 0, 512), 1u);
    EXPECT_EQ(DepthCubePool::pick({}, 0, 1024), 0u);
}

TEST(StructuralSimilarity, IsOneForTheSamePictureAndFallsMoreForLostEdgesThanForBrightness) {
    // A checker of 4-pixel squares: all edges.
    const int width = 64, height = 48;
    std::vector<unsigned char> checker(width * height * 3), brighter(checker.size()), flat(checker.size());
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const unsigned char v = ((x / 4 + y / 4) % 2) ? 200 : 50;
            for (int c = 0; c < 3; ++c) {
                const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3 + c;
                checker[i] = v;
                brighter[i] = static_cast<unsigned char>(v + 20);
                flat[i] = 125;  // the checker blurred away
            }
        }
    }
    EXPECT_DOUBLE_EQ(structuralSimilarity(checker, checker, width, height), 1.0);
    const double lighter = structuralSimilarity(checker, brighter, width, height);
    const double blurred = structuralSimilarity(checker, flat, width, height);
    EXPECT_GT(lighter, 0.95);
    EXPECT_LT(blurred, 0.1);
}
