// The main loop's own frames in a real window, with the keys and the mouse of a script: a
// run starts from the intro, F1 shows the cube-map viewer, a fall from the chasm's bridge
// ends the run on the game-over picture, and Space there starts the next one.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include <GL/glew.h>
#include <btBulletDynamicsCommon.h>
#include <gtest/gtest.h>

#include "app/Game.h"
#include "app/GameState.h"
#include "game/CameraState.h"
#include "tests/ScriptedInput.h"
#include "tests/gl/GlContext.h"

namespace {

// The last frame drawn, as a binary PPM, for a person to look at. (A software renderer
// keeps the back buffer's pixels through the swap; a hidden window has no front one.)
void saveLastFrame(const std::string& path) {
    std::vector<unsigned char> rgb(testWidth * testHeight * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, testWidth, testHeight, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << testWidth << " " << testHeight << "\n255\n";
    for (int y = testHeight - 1; y >= 0; --y) {
        out.write(reinterpret_cast<const char*>(&rgb[static_cast<std::size_t>(y) * testWidth * 3]), testWidth * 3);
    }
}

// Whether the last frame drawn is grey (red = green = blue) at a few points of the upper
// right quarter, where the cube-map viewer shows depths.
bool upperRightIsGrey() {
    bool grey = true;
    for (const int x : {1000, 1200, 1400}) {
        for (const int y : {500, 650, 800}) {
            unsigned char rgba[4] = {};
            glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
            grey = grey && rgba[0] == rgba[1] && rgba[1] == rgba[2];
        }
    }
    return grey;
}

glm::vec3 bodyOrigin(const CameraState& player) {
    btTransform transform;
    player.body->getMotionState()->getWorldTransform(transform);
    return {transform.getOrigin().x(), transform.getOrigin().y(), transform.getOrigin().z()};
}

}  // namespace

TEST(PlayingFrames, AFallFromTheBridgeEndsTheRunOnTheGameOverPictureAndSpaceStartsAnother) {
    Game game;
    ScriptedInput input;
    game.window = testWindow();
    game.platform = Platform(testWindow());
    game.width = testWidth;
    game.height = testHeight;
    game.input = &input;
    useGameDrawState();
    game.initPictures();
    GameState = INTRO;
    // A clock that ticks ten frames a second, as a software renderer draws them.
    double clock = 0.0;
    const auto frame = [&] {
        clock += 0.1;
        game.runFrame(clock);
        return glGetError() == GL_NO_ERROR;
    };

    // Building a run prints the programs' link logs.
    testing::internal::CaptureStdout();
    input.press(keys::space);
    EXPECT_TRUE(frame());
    input.release(keys::space);
    testing::internal::GetCapturedStdout();
    ASSERT_EQ(GameState, PLAYING) << "Space on the intro builds a run";
    auto* player = dynamic_cast<CameraState*>(game.sceneObjects.at(11));
    ASSERT_NE(player, nullptr);

    // F1 shows the second light's cube map over the upper right of the view, and hides it.
    EXPECT_TRUE(frame());
    EXPECT_FALSE(upperRightIsGrey()) << "the lit dungeon is blue";
    input.press(keys::f1);
    EXPECT_TRUE(frame());
    EXPECT_TRUE(upperRightIsGrey());
    EXPECT_TRUE(frame());
    EXPECT_TRUE(upperRightIsGrey()) << "held down, the key toggles once";
    input.release(keys::f1);
    EXPECT_TRUE(frame());
    input.press(keys::f1);
    EXPECT_TRUE(frame());
    input.release(keys::f1);
    EXPECT_FALSE(upperRightIsGrey());

    // The player is put in the middle of the bridge (walking there is the route test's
    // work), then turns a quarter to the east and walks off its edge.
    btTransform onBridge;
    onBridge.setIdentity();
    onBridge.setOrigin(btVector3(-11.3f, -1.6f, -47.0f));
    player->body->setWorldTransform(onBridge);
    player->body->getMotionState()->setWorldTransform(onBridge);
    player->body->setLinearVelocity(btVector3(0.0f, 0.0f, 0.0f));
    input.at.x = testWidth / 2 + 1571;
    EXPECT_TRUE(frame());
    // W is let go once the body has left the bridge: a player who keeps pushing clings to
    // the chasm's wall for as long as the key is held.
    input.press(keys::w);
    bool clean = true;
    for (int i = 0; i < 300 && GameState == PLAYING; ++i) {
        clean = frame() && clean;
        if (bodyOrigin(*player).y < -2.5f) input.release(keys::w);
    }
    EXPECT_TRUE(clean) << "a GL error in a playing frame";
    EXPECT_EQ(GameState, GAME_OVER);
    EXPECT_LE(game.getHealth(), 0.0f);
    EXPECT_LT(bodyOrigin(*player).y, -10.0f) << "the body fell into the chasm";
    if (const char* folder = std::getenv("ZARNHOLD_SHOTS")) {
        saveLastFrame(std::string(folder) + "/game-over-after-the-chasm.ppm");
    }

    EXPECT_TRUE(frame());
    EXPECT_EQ(GameState, GAME_OVER) << "the picture stays until a key";
    testing::internal::CaptureStdout();
    input.press(keys::space);
    EXPECT_TRUE(frame());
    input.release(keys::space);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(GameState, PLAYING);
    EXPECT_EQ(game.getHealth(), 1000.0f);
    auto* next = dynamic_cast<CameraState*>(game.sceneObjects.at(11));
    ASSERT_NE(next, nullptr);
    EXPECT_NEAR(bodyOrigin(*next).z, 6.5f, 1e-4f) << "the new run starts at the start";
}
