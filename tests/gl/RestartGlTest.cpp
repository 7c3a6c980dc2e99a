// Building runs one after another in a real context: each run holds the same objects, and
// a restart frees what the previous run made (GL objects, physics world, scene objects).
#include <cstdint>
#include <fstream>
#include <malloc.h>
#include <string>
#include <vector>

#include <GL/glew.h>
#include <btBulletDynamicsCommon.h>
#include <gtest/gtest.h>

#include "app/Game.h"
#include "app/GameState.h"
#include "render/Light.h"
#include "tests/gl/GlContext.h"

namespace {

// Resident memory once the allocator has handed back what is free: a run allocates and
// frees hundreds of MB of depth cubes, and what the allocator keeps cached is not growth.
long residentKilobytes() {
    malloc_trim(0);
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    }
    return -1;
}

// How many GL object names are alive, of every kind a run makes.
int liveGlNames() {
    GLuint probe = 0;
    glGenTextures(1, &probe);
    glDeleteTextures(1, &probe);
    const GLuint highest = probe + 4096;
    int live = 0;
    for (GLuint name = 1; name < highest; ++name) {
        live += glIsTexture(name) + glIsBuffer(name) + glIsProgram(name) + glIsFramebuffer(name) +
                glIsVertexArray(name);
    }
    return live;
}

void attachTestWindow(Game& game) {
    game.window = testWindow();
    game.width = testWidth;
    game.height = testHeight;
    useGameDrawState();
    game.initPictures();
}

}  // namespace

TEST(RunBuilding, EveryRunHoldsTheSameObjectsAndARestartReplacesThemAll) {
    testing::internal::CaptureStdout();
    Game game;
    attachTestWindow(game);
    game.buildWorld();
    const std::size_t objects = game.sceneObjects.size();
    const std::size_t casters = game.shadowCasterRoot.children.size();
    EXPECT_EQ(game.lightList.size(), 10u);
    EXPECT_GE(objects, 12u) << "ten light crystals, the level and the player at least";
    EXPECT_GE(casters, 11u);
    EXPECT_EQ(game.getHealth(), 1000.0f);
    ASSERT_NE(game.world, nullptr);
    const int bodies = game.world->getNumCollisionObjects();
    EXPECT_GE(bodies, 1) << "the level's body";
    const Light* firstLight = game.lightList.front();
    const glm::vec3 firstLightPosition = firstLight->position;

    game.reduceHealth(600.0f);
    btDiscreteDynamicsWorld* firstWorld = game.world;
    game.buildWorld();
    EXPECT_NE(game.world, firstWorld);
    EXPECT_EQ(game.sceneObjects.size(), objects);
    EXPECT_EQ(game.shadowCasterRoot.children.size(), casters);
    EXPECT_EQ(game.lightList.size(), 10u);
    EXPECT_EQ(game.world->getNumCollisionObjects(), bodies) << "only the new run's bodies";
    EXPECT_EQ(game.getHealth(), 1000.0f);
    EXPECT_EQ(game.lightList.front()->position, firstLightPosition);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out.find("Framebuffer not OK!"), std::string::npos);
    EXPECT_EQ(out.find("Impossible to open the file"), std::string::npos) << out;
    EXPECT_EQ(out.find("Image could not be opened"), std::string::npos) << out;
}

TEST(RunBuilding, TwentyRestartsDoNotGrowMemoryOrGlObjects) {
    testing::internal::CaptureStdout();
    Game game;
    attachTestWindow(game);
    game.buildWorld();
    game.renderShadowMaps();
    glFinish();
    const long memoryAfterFirst = residentKilobytes();
    const int namesAfterFirst = liveGlNames();
    for (int run = 2; run <= 20; ++run) {
        game.buildWorld();
        game.renderShadowMaps();
        glFinish();
    }
    const long memoryAfterLast = residentKilobytes();
    const int namesAfterLast = liveGlNames();
    testing::internal::GetCapturedStdout();
    std::printf("resident memory after run 1: %ld kB, after run 20: %ld kB; live GL names %d -> %d\n",
                memoryAfterFirst, memoryAfterLast, namesAfterFirst, namesAfterLast);
    EXPECT_EQ(namesAfterLast, namesAfterFirst);
    EXPECT_LT(memoryAfterLast - memoryAfterFirst, 8 * 1024) << "kB grown over 19 restarts";
}

namespace {

std::vector<std::uint32_t> cubeDepths(GLuint cube) {
    std::vector<std::uint32_t> depths(1024 * 1024 * 6);
    glBindTexture(GL_TEXTURE_CUBE_MAP, cube);
    for (int face = 0; face < 6; ++face) {
        glGetTexImage(GL_TEXTURE_CUBE_MAP_POSITIVE_X + face, 0, GL_DEPTH_COMPONENT, GL_UNSIGNED_INT,
                      depths.data() + face * 1024 * 1024);
    }
    return depths;
}

}  // namespace

TEST(RunBuilding, EveryLightsCachedShadowEqualsThePlainPassOverTheRealLevel) {
    testing::internal::CaptureStdout();
    Game game;
    attachTestWindow(game);
    game.buildWorld();
    testing::internal::GetCapturedStdout();
    // Twice: the first pass fills the caches, the second starts from them.
    for (int pass = 0; pass < 2; ++pass) {
        for (std::size_t i = 0; i < game.lightList.size(); ++i) {
            Light& light = *game.lightList[i];
            light.renderShadowMapReference(game.shadowCasterRoot);
            const std::vector<std::uint32_t> reference = cubeDepths(light.shadowCubeMap);
            light.renderShadowMap(game.shadowCasterRoot);
            EXPECT_TRUE(cubeDepths(light.shadowCubeMap) == reference) << "light " << i << ", pass " << pass;
        }
    }
}
