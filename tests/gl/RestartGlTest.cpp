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
#include "app/LevelPlaces.h"
#include "app/Screen.h"
#include "game/CameraState.h"
#include "game/Shield.h"
#include "game/Sword.h"
#include "render/Level.h"
#include "render/Light.h"
#include "render/LightCrystal.h"
#include "scene/GlLedger.h"
#include "tests/ScriptedInput.h"
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

void attachTestWindow(Game& game, ScriptedInput& input) {
    game.window = testWindow();
    game.width = testWidth;
    game.height = testHeight;
    game.input = &input;
    input.placeCursor(testWidth / 2, testHeight / 2);
    useGameDrawState();
    game.initPictures();
}

// One playing frame as the main loop draws it, then the game-over picture the restart
// comes from; true when GL reported no error.
bool drawFrames(Game& game) {
    game.stepPhysics();
    game.flickerLights();
    game.updateObjects();
    game.renderShadowMaps();
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, game.width, game.height);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    game.renderObjects();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    game.gameOverScreen->render(game.view, game.projection, game.lightList);
    glFinish();
    return glGetError() == GL_NO_ERROR;
}

// The run's objects in the order every frame relies on: the ten light crystals in their
// placement order, the level, the player, the sword; the crystals' and the level's meshes
// cast shadows in the same order (the sword none), and the lights are listed in crystal order.
void expectRunOrder(const Game& game) {
    ASSERT_EQ(game.sceneObjects.size(), 13u);
    ASSERT_EQ(game.shadowCasterRoot.children.size(), 11u);
    ASSERT_EQ(game.lightList.size(), 10u);
    const auto& crystals = levelPlaces().lightCrystals;
    for (std::size_t i = 0; i < 10; ++i) {
        auto* crystal = dynamic_cast<LightCrystal*>(game.sceneObjects[i]);
        ASSERT_NE(crystal, nullptr) << "scene object " << i;
        EXPECT_EQ(glm::vec3(crystal->modelMatrix[3]), crystals[i].renderPos) << "crystal " << i;
        EXPECT_EQ(game.shadowCasterRoot.children[i], static_cast<Node*>(crystal)) << "caster " << i;
        EXPECT_EQ(game.lightList[i], &crystal->light) << "light " << i;
    }
    auto* level = dynamic_cast<Level*>(game.sceneObjects[10]);
    ASSERT_NE(level, nullptr);
    EXPECT_EQ(game.shadowCasterRoot.children[10], static_cast<Node*>(level));
    auto* player = dynamic_cast<CameraState*>(game.sceneObjects[11]);
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(game.playerPosition, &player->position);
    auto* sword = dynamic_cast<Sword*>(game.sceneObjects[12]);
    ASSERT_NE(sword, nullptr);
    EXPECT_EQ(sword->player, player);
    EXPECT_FALSE(sword->triangles.empty());
}

}  // namespace

TEST(RunBuilding, EveryRunHoldsTheSameObjectsInOrderAndARestartReplacesThemAll) {
    testing::internal::CaptureStdout();
    Game game;
    ScriptedInput input;
    attachTestWindow(game, input);
    game.buildWorld();
    expectRunOrder(game);
    EXPECT_EQ(game.getHealth(), 1000.0f);
    ASSERT_NE(game.world, nullptr);
    EXPECT_EQ(game.world->getNumCollisionObjects(), 2) << "the level's body and the player's";

    game.reduceHealth(600.0f);
    btDiscreteDynamicsWorld* firstWorld = game.world;
    const AppState* firstPlayer = game.sceneObjects[11];
    game.buildWorld();
    EXPECT_NE(game.world, firstWorld);
    expectRunOrder(game);
    EXPECT_NE(game.sceneObjects[11], firstPlayer);
    EXPECT_EQ(game.world->getNumCollisionObjects(), 2) << "only the new run's bodies";
    EXPECT_EQ(game.getHealth(), 1000.0f);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out.find("Framebuffer not OK!"), std::string::npos);
    EXPECT_EQ(out.find("Impossible to open the file"), std::string::npos) << out;
    EXPECT_EQ(out.find("Image could not be opened"), std::string::npos) << out;
}

TEST(RunBuilding, TwentyRestartsDrawCleanlyAndDoNotGrowMemoryOrGlObjects) {
    testing::internal::CaptureStdout();
    Game game;
    ScriptedInput input;
    attachTestWindow(game, input);
    game.buildWorld();
    EXPECT_TRUE(drawFrames(game)) << "run 1";
    const long memoryAfterFirst = residentKilobytes();
    const int namesAfterFirst = liveGlNames();
    for (int run = 2; run <= 20; ++run) {
        // An object that leaves its own vertex array bound when its run is freed must not
        // leave the next run's draws without one.
        auto* player = dynamic_cast<CameraState*>(game.sceneObjects.at(11));
        ASSERT_NE(player, nullptr);
        glBindVertexArray(player->shield->vertexArray);
        game.buildWorld();
        EXPECT_TRUE(drawFrames(game)) << "run " << run;
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
    ScriptedInput input;
    attachTestWindow(game, input);
    game.buildWorld();
    // The plain pass draws into a light of its own: were it to share the cube, a cached pass
    // that wrote nothing would leave the plain pass's depths to compare with themselves.
    GlLedger plainObjects;
    plainObjects.activate();
    Light plain;
    plain.setUpShadowMap();
    plainObjects.deactivate();
    testing::internal::GetCapturedStdout();
    // Twice: the first pass fills the caches, the second starts from them.
    for (int pass = 0; pass < 2; ++pass) {
        for (std::size_t i = 0; i < game.lightList.size(); ++i) {
            Light& light = *game.lightList[i];
            plain.position = light.position;
            plain.renderShadowMapReference(game.shadowCasterRoot);
            light.renderShadowMap(game.shadowCasterRoot);
            EXPECT_TRUE(cubeDepths(light.shadowCubeMap) == cubeDepths(plain.shadowCubeMap))
                << "light " << i << ", pass " << pass;
        }
    }
    plainObjects.releaseAll();
}
