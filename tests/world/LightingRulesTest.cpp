// Light crystals' light positions, the flicker, and which lights a lit draw takes.
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "render/CubeDepthTiles.h"
#include "render/Flicker.h"
#include "render/Light.h"
#include "render/LightCrystal.h"
#include "render/LitDraw.h"
#include "render/ShadowFaces.h"
#include "run/LevelPlaces.h"
#include "scene/RunRandom.h"

using namespace zarnhold;

TEST(LightCrystalLight, SitsOneUnitInFrontAlongTheCrystalsOwnZ) {
    const glm::vec3 base(2.0f, 3.0f, 4.0f);
    const glm::vec3 west = crystalLightPosition(base, -1.57f);
    EXPECT_NEAR(west.x, 1.0f, 1e-4f);
    EXPECT_NEAR(west.y, 3.0f, 1e-6f);
    EXPECT_NEAR(west.z, 4.00095f, 2e-5f);
    const glm::vec3 east = crystalLightPosition(base, 1.57f);
    EXPECT_NEAR(east.x, 3.0f, 1e-4f);
    EXPECT_NEAR(east.z, 4.00095f, 2e-5f);
    const glm::vec3 back = crystalLightPosition(base, 3.14f);
    EXPECT_NEAR(back.x, 2.0019f, 2e-5f);
    EXPECT_NEAR(back.z, 3.0f, 1e-4f);
}

TEST(LightCrystalLight, TenPlacementsInTableOrder) {
    const auto& placements = levelPlaces().lightCrystals;
    ASSERT_EQ(placements.size(), 10u);
    EXPECT_EQ(placements[0].renderPos, glm::vec3(-6.7f, -4.0f, 51.0f));
    EXPECT_EQ(placements[7].renderPos, glm::vec3(-11.6f, -0.6f, 76.6f));
    EXPECT_FLOAT_EQ(placements[4].angleRadians, 3.14f);
    // The second crystal's light lands at (1.18, -0.7, 0) in the render frame.
    const glm::vec3 second = crystalLightPosition(placements[1].renderPos, placements[1].angleRadians);
    EXPECT_NEAR(second.x, 1.18f, 1e-4f);
    EXPECT_NEAR(second.y, -0.7f, 1e-6f);
}

TEST(Flicker, StepsAtMostASixthAndStaysInItsBand) {
    EXPECT_FLOAT_EQ(flickerStep(1.0f, 0.5f), 1.0f);
    EXPECT_NEAR(flickerStep(1.0f, 1.0f), 1.0f + 1.0f / 6.0f, 1e-6f);
    EXPECT_NEAR(flickerStep(1.0f, 0.0f), 1.0f - 1.0f / 6.0f, 1e-6f);
    // Below 0.5 it is pushed up by 0.1, at 2.0 and above down by 0.1.
    EXPECT_NEAR(flickerStep(0.55f, 0.0f), 0.55f - 1.0f / 6.0f + 0.1f, 1e-6f);
    EXPECT_NEAR(flickerStep(1.95f, 1.0f), 1.95f + 1.0f / 6.0f - 0.1f, 1e-6f);

    // A long random walk from the start value stays roughly between 0.3 and 2.2: a run of
    // high draws may carry it a little past the band for a moment, never far.
    RunRandom random(12345);
    float luminocity = 0.6f;
    int outside = 0;
    for (int step = 0; step < 100000; ++step) {
        luminocity = flickerStep(luminocity, random.unit());
        ASSERT_GT(luminocity, 0.0f);
        ASSERT_LT(luminocity, 3.0f);
        outside += luminocity < 0.5f - 1.0f / 6.0f || luminocity > 2.0f + 1.0f / 6.0f;
    }
    EXPECT_LT(outside, 100);

    // Steps come 60 a second of game time, one at most in each 10 ms tick.
    int steps = 0;
    for (long tick = 0; tick < 1000; ++tick) {
        const int inTick = flickerStepsInTick(tick);
        ASSERT_TRUE(inTick == 0 || inTick == 1) << tick;
        steps += inTick;
        if (tick == 4) {
            EXPECT_EQ(steps, 3) << "three in the first five ticks";
        }
    }
    EXPECT_EQ(steps, 600);
}

namespace {
Light lightAt(float x, float y, float z) {
    return Light(1, 1, 1, 1, x, y, z, 2, 0, 0, 0, 1, 0, 0);
}
}  // namespace

TEST(LitLightSelection, StrictlyCloserThan25) {
    Light exactly = lightAt(25.0f, 0.0f, 0.0f);
    Light inside = lightAt(0.0f, 24.99f, 0.0f);
    std::vector<Light*> lights = {&exactly, &inside};
    const auto chosen = selectLitLights(glm::vec3(0.0f), lights);
    ASSERT_EQ(chosen.size(), 1u);
    EXPECT_EQ(chosen[0].listIndex, 1);
    EXPECT_EQ(chosen[0].slot, 0);
    EXPECT_EQ(chosen[0].textureUnit, 11);
}

TEST(LitLightSelection, SlotsCountChosenLightsWhileUnitsFollowTheList) {
    Light near0 = lightAt(1, 0, 0), far1 = lightAt(100, 0, 0), near2 = lightAt(0, 0, 3);
    Light nanLight = lightAt(std::numeric_limits<float>::quiet_NaN(), 0, 0);
    std::vector<Light*> lights = {&near0, &far1, &near2, &nanLight};
    const auto chosen = selectLitLights(glm::vec3(0.0f), lights);
    ASSERT_EQ(chosen.size(), 2u);
    EXPECT_EQ(chosen[0].slot, 0);
    EXPECT_EQ(chosen[0].textureUnit, 10);
    EXPECT_EQ(chosen[1].listIndex, 2);
    EXPECT_EQ(chosen[1].slot, 1);
    EXPECT_EQ(chosen[1].textureUnit, 12);
    EXPECT_TRUE(selectLitLights(glm::vec3(0.0f), {}).empty());
}

TEST(ShadowFaces, ProjectionAndFaceMatricesAsTheCubeExpects) {
    const glm::mat4 p = shadowFaceProjection();
    EXPECT_EQ(p[0][0], 1.0f);
    EXPECT_EQ(p[1][1], 1.0f);
    EXPECT_FLOAT_EQ(p[2][2], -1.002002f);
    EXPECT_FLOAT_EQ(p[3][2], -0.2002002f);
    EXPECT_EQ(p[2][3], -1.0f);
    EXPECT_EQ(p[3][3], 0.0f);
    // A point 10 units along each face's look direction lands in the middle of that face.
    Light light = lightAt(3, -2, 7);
    const glm::vec3 looks[6] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
    for (int face = 0; face < 6; ++face) {
        const glm::vec4 clip = light.faceMatrix(face) * glm::vec4(light.position + 10.0f * looks[face], 1);
        EXPECT_NEAR(clip.x / clip.w, 0.0f, 1e-5f) << face;
        EXPECT_NEAR(clip.y / clip.w, 0.0f, 1e-5f) << face;
        EXPECT_GT(clip.w, 0.0f) << face;
    }
}

TEST(ShadowFaces, ASphereTouchesTheFacesItOverlapsUpToTheFarPlane) {
    const glm::vec3 light(10.0f, -2.0f, 5.0f);
    // On the +X axis, then across the +X / +Y edge, then the corner of +X, -Y and -Z.
    EXPECT_EQ(shadowFacesTouched(light, light + glm::vec3(5, 0, 0), 1.0f), 1u << 0);
    EXPECT_EQ(shadowFacesTouched(light, light + glm::vec3(5, 5, 0), 0.5f), (1u << 0) | (1u << 2));
    EXPECT_EQ(shadowFacesTouched(light, light + glm::vec3(5, -5, -5), 0.5f),
              (1u << 0) | (1u << 3) | (1u << 5));
    // Around the light, every face; beyond the far plane by more than the radius, none.
    EXPECT_EQ(shadowFacesTouched(light, light, 0.2f), allShadowFaces);
    EXPECT_EQ(shadowFacesTouched(light, light + glm::vec3(0, 0, -100.9f), 1.0f), 1u << 5);
    EXPECT_EQ(shadowFacesTouched(light, light + glm::vec3(0, 0, -101.1f), 1.0f), 0u);
    EXPECT_EQ(shadowFacesTouched(light, glm::vec3(std::nanf("")), 1.0f), allShadowFaces);
}

TEST(ShadowFaces, TileMaximaCoverEveryTexelOfARectangleAndNoMore) {
    const int size = 64;
    CubeDepthTiles tiles;
    EXPECT_FALSE(tiles.ready());
    EXPECT_EQ(tiles.farthestIn(0, {0, 0, 8, 8}), 1.0f) << "unknown: as far as can be";
    std::vector<float> depths(size * size, 0.25f);
    // One far texel in the last column of the lower left tile, one in the upper right.
    depths[5 * size + 31] = 0.5f;
    depths[63 * size + 63] = 0.75f;
    for (int face = 0; face < 6; ++face) tiles.setFace(face, depths, size);
    EXPECT_TRUE(tiles.ready());
    EXPECT_EQ(tiles.farthestIn(2, {0, 0, 32, 32}), 0.5f);
    EXPECT_EQ(tiles.farthestIn(2, {32, 0, 64, 32}), 0.25f) << "x1 is past the rectangle";
    EXPECT_EQ(tiles.farthestIn(2, {31, 0, 33, 1}), 0.5f);
    EXPECT_EQ(tiles.farthestIn(2, {40, 40, 64, 64}), 0.75f);
    EXPECT_EQ(tiles.farthestIn(2, {40, 40, 40, 64}), 1.0f) << "an empty rectangle rules nothing out";
}
