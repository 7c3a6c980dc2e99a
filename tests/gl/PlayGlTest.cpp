// The main loop's own frames in a real window, with the keys and the mouse of a script: a
// run starts from the intro, the health bar follows health (a loss shows pale, then
// drains), F1 shows the help (over the intro too), F3 the cube-map viewer and Tab the map,
// a fall from the chasm's bridge with Space held ends the run on the game-over picture for
// a fall, which waits for a fresh press of Space (not Enter) to start the next; touching
// the goal crystal with Enter held shows the won picture, which waits for a fresh press of
// Enter (not Space); F2's options change a setting with the arrows, apply it and write it.
// A scripted gamepad starts a run with A, walks with the left stick, turns with the right,
// and pulled out mid-run leaves nothing held. Losing the keyboard pauses a run.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <btBulletDynamicsCommon.h>
#include <gtest/gtest.h>

#include "app/AutomapView.h"
#include "app/Game.h"
#include "app/GamepadRules.h"
#include "app/HealthBar.h"
#include "app/HealthTrail.h"
#include "app/OptionsPanelDraw.h"
#include "app/SettingsFile.h"
#include "app/TickInput.h"
#include "app/WorldClock.h"
#include "game/CameraState.h"
#include "run/GameState.h"
#include "run/LevelPlaces.h"
#include "tests/ScriptedInput.h"
#include "tests/gl/GlContext.h"

using namespace zarnhold;

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
        out.write(reinterpret_cast<const char*>(&rgb[static_cast<std::size_t>(y) * testWidth * 3]),
                  testWidth * 3);
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

unsigned char redAt(int x, int y) {
    unsigned char rgba[4] = {};
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return rgba[0];
}

unsigned char greenAt(int x, int y) {
    unsigned char rgba[4] = {};
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return rgba[1];
}

// Whether the help panel's lit frame runs down its left side.
bool helpFrameShown() {
    const int left = (testWidth - testWidth * 3 / 5) / 2;
    bool lit = true;
    for (int y = testHeight / 3; y < testHeight * 2 / 3; y += 40) {
        unsigned char rgba[4] = {};
        glReadPixels(left + 9 * testWidth / 1600, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        lit = lit && rgba[2] > 150 && rgba[2] >= rgba[0];
    }
    return lit;
}

// Whether the window's pixel at `at` has `colour`, within a step of rounding per channel.
bool pixelIs(glm::ivec2 at, glm::vec4 colour) {
    unsigned char rgba[4] = {};
    glReadPixels(at.x, at.y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    for (int c = 0; c < 3; ++c) {
        if (std::abs(rgba[c] - colour[c] * 255.0f) > 2.0f) return false;
    }
    return true;
}

// How many pixels of `panel` have `colour`.
int pixelsOfColour(const MapPanel& panel, glm::vec4 colour) {
    std::vector<unsigned char> rgba(static_cast<std::size_t>(panel.width) * panel.height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(panel.x, panel.y, panel.width, panel.height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    int count = 0;
    for (std::size_t i = 0; i < rgba.size(); i += 4) {
        bool same = true;
        for (std::size_t c = 0; c < 3; ++c) same = same && std::abs(rgba[i + c] - colour[c] * 255.0f) <= 2.0f;
        count += same ? 1 : 0;
    }
    return count;
}

glm::vec3 bodyOrigin(const CameraState& player) {
    btTransform transform;
    player.body->getMotionState()->getWorldTransform(transform);
    return {transform.getOrigin().x(), transform.getOrigin().y(), transform.getOrigin().z()};
}

// Puts the player's body at `origin` (physics frame), at rest.
void placeBody(CameraState& player, const btVector3& origin) {
    btTransform transform;
    transform.setIdentity();
    transform.setOrigin(origin);
    player.body->setWorldTransform(transform);
    player.body->getMotionState()->setWorldTransform(transform);
    player.body->setLinearVelocity(btVector3(0.0f, 0.0f, 0.0f));
}

// The game in the test window on the intro picture, its keys and mouse a script's.
struct ScriptedLoop {
    explicit ScriptedLoop(const GameOptions& options = {}) : game(options) {
        game.window = testWindow();
        game.platform = Platform(testWindow());
        game.width = testWidth;
        game.height = testHeight;
        game.input = &input;
        useGameDrawState();
        game.initPictures();
        GameState = INTRO;
    }
    // One frame of the main loop, on a clock that ticks ten frames a second, as a
    // software renderer draws them; false on a GL error.
    bool frame() {
        clock += 0.1;
        game.runFrame(clock);
        return glGetError() == GL_NO_ERROR;
    }
    // A frame with `key` pressed, then let go; what it prints (building a run prints the
    // programs' link logs) is swallowed.
    bool press(int key) {
        testing::internal::CaptureStdout();
        input.press(key);
        const bool clean = frame();
        input.release(key);
        testing::internal::GetCapturedStdout();
        return clean;
    }
    // The current run's player, or nullptr.
    CameraState* player() const {
        return game.sceneObjects.size() > 11 ? dynamic_cast<CameraState*>(game.sceneObjects[11]) : nullptr;
    }

    Game game;
    ScriptedInput input;
    double clock = 0.0;
};

}  // namespace

TEST(PlayingFrames, F1ShowsTheHelpOverTheIntroAndHidesItAndSpaceStillStartsARun) {
    ScriptedLoop loop;
    EXPECT_TRUE(loop.frame());
    EXPECT_FALSE(helpFrameShown());
    loop.input.press(keys::f1);
    EXPECT_TRUE(loop.frame());
    EXPECT_TRUE(loop.frame());
    EXPECT_TRUE(helpFrameShown()) << "held down, the key toggles once";
    EXPECT_EQ(GameState, INTRO);
    loop.input.release(keys::f1);
    EXPECT_TRUE(loop.frame());
    EXPECT_TRUE(loop.press(keys::f1));
    EXPECT_FALSE(helpFrameShown());
    EXPECT_TRUE(loop.frame());

    EXPECT_TRUE(loop.press(keys::f1));
    EXPECT_TRUE(helpFrameShown());
    EXPECT_TRUE(loop.press(keys::space));
    EXPECT_EQ(GameState, PLAYING) << "Space on the intro builds a run, the help shown or not";
}

TEST(PlayingFrames, AFallFromTheBridgeEndsTheRunOnTheGameOverPictureAndSpaceNotEnterStartsAnother) {
    ScriptedLoop loop;
    Game& game = loop.game;
    ScriptedInput& input = loop.input;
    const auto frame = [&] { return loop.frame(); };

    EXPECT_TRUE(loop.press(keys::space));
    ASSERT_EQ(GameState, PLAYING) << "Space on the intro builds a run";
    CameraState* player = loop.player();
    ASSERT_NE(player, nullptr);

    // The health bar, lower left: red to its right end at full health. Halved, the half
    // just lost shows pale, then drains to dark within a second and a half of game time.
    EXPECT_TRUE(frame());
    const HealthBarLayout full = layoutHealthBar(testWidth, testHeight, 1000.0f);
    const int barY = full.fill.y + full.fill.height / 2;
    const int lostX = full.fill.x + full.fill.width * 3 / 4;
    EXPECT_GT(redAt(full.fill.x + full.fill.width - 2, barY), 150);
    game.reduceHealth(500.0f);
    EXPECT_TRUE(frame());
    EXPECT_GT(redAt(full.fill.x + full.fill.width / 4, barY), 150);
    EXPECT_GT(greenAt(lostX, barY), 150) << "the part just lost is pale";
    const double lostAt = game.runSeconds;
    while (redAt(lostX, barY) >= 40 && game.runSeconds < lostAt + 3.0) EXPECT_TRUE(frame());
    EXPECT_LT(redAt(lostX, barY), 40);
    EXPECT_GT(game.runSeconds - lostAt, HealthTrail::holdMs / 1000.0);
    EXPECT_LT(game.runSeconds - lostAt, 1.5);
    game.reduceHealth(-500.0f);

    // F1 shows the help over the middle of the view and hides it again.
    EXPECT_FALSE(helpFrameShown());
    input.press(keys::f1);
    EXPECT_TRUE(frame());
    EXPECT_TRUE(helpFrameShown());
    input.release(keys::f1);
    EXPECT_TRUE(frame());
    if (const char* folder = std::getenv("ZARNHOLD_SHOTS")) saveLastFrame(std::string(folder) + "/help.ppm");
    input.press(keys::f1);
    EXPECT_TRUE(frame());
    input.release(keys::f1);
    EXPECT_FALSE(helpFrameShown());

    // F3 shows the second light's cube map over the upper right of the view, and hides it.
    EXPECT_FALSE(upperRightIsGrey()) << "the lit dungeon is blue";
    input.press(keys::f3);
    EXPECT_TRUE(frame());
    EXPECT_TRUE(upperRightIsGrey());
    EXPECT_TRUE(frame());
    EXPECT_TRUE(upperRightIsGrey()) << "held down, the key toggles once";
    input.release(keys::f3);
    EXPECT_TRUE(frame());
    input.press(keys::f3);
    EXPECT_TRUE(frame());
    input.release(keys::f3);
    EXPECT_FALSE(upperRightIsGrey());

    // The player is put in the middle of the bridge (walking there is the route test's
    // work), then turns a quarter to the east and walks off its edge.
    placeBody(*player, btVector3(-11.3f, -1.6f, -47.0f));
    input.at.x = testWidth / 2 + 1571;
    EXPECT_TRUE(frame());
    // W is let go once the body has left the bridge: a player who keeps pushing clings to
    // the chasm's wall for as long as the key is held. Space is pressed then and held
    // through the death, as a player jumping in panic would.
    input.press(keys::w);
    bool clean = true;
    testing::internal::CaptureStdout();
    for (int i = 0; i < 300 && GameState == PLAYING; ++i) {
        clean = frame() && clean;
        if (bodyOrigin(*player).y < -2.0f) {
            input.release(keys::w);
            input.press(keys::space);
        }
    }
    const std::string endLines = testing::internal::GetCapturedStdout();
    EXPECT_TRUE(clean) << "a GL error in a playing frame";
    EXPECT_EQ(GameState, GAME_OVER);
    EXPECT_LE(game.getHealth(), 0.0f);
    EXPECT_EQ(game.runEndCause(), Harm::fall);
    EXPECT_NE(endLines.find(runEndLine(Harm::fall)), std::string::npos) << endLines;
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(frame());
        EXPECT_EQ(GameState, GAME_OVER) << "Space held from the run does not leave the picture";
    }
    input.release(keys::space);
    EXPECT_LT(bodyOrigin(*player).y, -10.0f) << "the body fell into the chasm";
    if (const char* folder = std::getenv("ZARNHOLD_SHOTS")) {
        saveLastFrame(std::string(folder) + "/game-over-after-the-chasm.ppm");
    }

    EXPECT_TRUE(frame());
    EXPECT_EQ(GameState, GAME_OVER) << "the picture stays until a key";
    EXPECT_TRUE(loop.press(keys::enter));
    EXPECT_EQ(GameState, GAME_OVER) << "Enter does not leave the game-over picture";
    EXPECT_TRUE(loop.press(keys::space));
    EXPECT_EQ(GameState, PLAYING);
    EXPECT_EQ(game.getHealth(), 1000.0f);
    CameraState* next = loop.player();
    ASSERT_NE(next, nullptr);
    EXPECT_NEAR(bodyOrigin(*next).z, 6.5f, 1e-4f) << "the new run starts at the start";
}

TEST(PlayingFrames, TheGoalCrystalShowsTheWonPictureWhichOnlyAFreshPressOfEnterLeaves) {
    ScriptedLoop loop;
    EXPECT_TRUE(loop.press(keys::space));
    ASSERT_EQ(GameState, PLAYING);
    CameraState* player = loop.player();
    ASSERT_NE(player, nullptr);

    // A new run starts without the map.
    loop.game.showMap = true;
    // Enter held through the win. The body is put on the goal room's floor under the goal
    // crystal, the eye (0.2 above the body's centre) at the crystal's height.
    loop.input.press(keys::enter);
    const glm::vec3 goal = renderToPhysics(levelPlaces().goalCrystalRenderPos);
    placeBody(*player, btVector3(goal.x, goal.y - 0.2f, goal.z));
    EXPECT_TRUE(loop.frame());
    ASSERT_EQ(GameState, WON) << "touching the goal crystal wins, and Enter held does not leave the picture";
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(loop.frame());
        EXPECT_EQ(GameState, WON) << "Enter held from the run does not leave the picture";
    }
    loop.input.release(keys::enter);
    EXPECT_TRUE(loop.frame());
    EXPECT_TRUE(loop.press(keys::space));
    EXPECT_EQ(GameState, WON) << "Space does not leave the won picture";

    EXPECT_TRUE(loop.press(keys::enter));
    EXPECT_EQ(GameState, PLAYING);
    EXPECT_EQ(loop.game.getHealth(), 1000.0f);
    CameraState* next = loop.player();
    ASSERT_NE(next, nullptr);
    EXPECT_NEAR(bodyOrigin(*next).z, 6.5f, 1e-4f) << "the new run starts at the start";
    EXPECT_FALSE(loop.game.showMap);
}

// Tab shows the map over the middle of the view: the outlines of the rooms seen from the
// start hall, and the goal crystal's mark where the map's geometry puts it, far off in a
// room not yet seen. Held, the key toggles once; pressed again, it hides the map.
TEST(PlayingFrames, TabShowsTheMapOfTheSeenRoomsAndMarksTheGoal) {
    ScriptedLoop loop;
    EXPECT_TRUE(loop.press(keys::space));
    ASSERT_EQ(GameState, PLAYING);
    CameraState* player = loop.player();
    ASSERT_NE(player, nullptr);
    const MapPanel panel = AutomapView::panelIn(testWidth, testHeight);
    const glm::vec4 outline = AutomapView::colourOf(AutomapMark::Room);
    const glm::vec4 goalMark = AutomapView::colourOf(AutomapMark::Goal);
    EXPECT_TRUE(loop.frame());
    const int outlineBefore = pixelsOfColour(panel, outline);

    loop.input.press(keys::tab);
    EXPECT_TRUE(loop.frame());
    EXPECT_TRUE(loop.frame());
    const AutomapDrawing drawing = AutomapView::drawingFor(*player, panel);
    ASSERT_EQ(drawing.triangles.size(), 3u);
    const glm::vec2 goalInPanel = drawing.frame.toPanel(renderToPhysics(levelPlaces().goalCrystalRenderPos));
    const glm::ivec2 goal = glm::ivec2(panel.x, panel.y) + glm::ivec2(glm::round(goalInPanel));
    EXPECT_TRUE(pixelIs(goal, goalMark)) << "held down, the key toggles once";
    // The start hall alone is outlined by several hundred pixels.
    EXPECT_GT(pixelsOfColour(panel, outline), outlineBefore + 400);
    if (const char* folder = std::getenv("ZARNHOLD_SHOTS")) saveLastFrame(std::string(folder) + "/map.ppm");

    loop.input.release(keys::tab);
    EXPECT_TRUE(loop.frame());
    EXPECT_TRUE(pixelIs(goal, goalMark));
    EXPECT_TRUE(loop.press(keys::tab));
    EXPECT_FALSE(pixelIs(goal, goalMark));
    EXPECT_LT(pixelsOfColour(panel, outline), outlineBefore + 100);
}

TEST(PlayingFrames, LosingTheKeyboardOrStartPausesTheRunTillAKeyIsPressedAndLetGoOrStartAgain) {
    ScriptedLoop loop;
    // A window that never had the keyboard (as under a bare X server) plays on.
    loop.input.focused = false;
    EXPECT_TRUE(loop.press(keys::space));
    ASSERT_EQ(GameState, PLAYING);
    EXPECT_TRUE(loop.frame());
    EXPECT_FALSE(loop.game.paused);
    loop.input.focused = true;
    EXPECT_TRUE(loop.frame());

    // It loses it: the world's clock stops, whatever is held meanwhile.
    loop.input.focused = false;
    EXPECT_TRUE(loop.frame());
    ASSERT_TRUE(loop.game.paused);
    const double stoppedAt = loop.game.runSeconds;
    loop.input.press(keys::w);
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(loop.frame());
    loop.input.release(keys::w);
    EXPECT_EQ(loop.game.runSeconds, stoppedAt);

    // Back in the window: nothing goes on until a key is pressed, nor while it is held.
    loop.input.focused = true;
    EXPECT_TRUE(loop.frame());
    EXPECT_TRUE(loop.game.paused);
    loop.input.press(keys::d);
    EXPECT_TRUE(loop.frame());
    EXPECT_TRUE(loop.game.paused) << "the key goes on once let go, so it does nothing else";
    loop.input.release(keys::d);
    EXPECT_TRUE(loop.frame());
    EXPECT_FALSE(loop.game.paused);
    EXPECT_TRUE(loop.frame());
    EXPECT_GT(loop.game.runSeconds, stoppedAt);

    // The pad's Start pauses, held it does nothing more, and pressed again goes on.
    loop.input.pad.start = true;
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(loop.frame());
    EXPECT_TRUE(loop.game.paused);
    loop.input.pad.start = false;
    EXPECT_TRUE(loop.frame());
    loop.input.pad.start = true;
    EXPECT_TRUE(loop.frame());
    EXPECT_FALSE(loop.game.paused);
}

TEST(PlayingFrames, EscapeOrClosingTheWindowEndsTheLoop) {
    ScriptedLoop loop;
    EXPECT_TRUE(loop.game.keepsRunning());
    glfwSetWindowShouldClose(testWindow(), GLFW_TRUE);
    EXPECT_FALSE(loop.game.keepsRunning()) << "the window's close button";
    glfwSetWindowShouldClose(testWindow(), GLFW_FALSE);
    EXPECT_TRUE(loop.game.keepsRunning());
    EXPECT_TRUE(loop.press(keys::escape));
    EXPECT_FALSE(loop.game.keepsRunning()) << "Escape, after its frame";
}

TEST(PlayingFrames, APadStartsARunWalksAndTurnsWithItsSticksAndPulledOutMidRunLeavesNothingHeld) {
    ScriptedLoop loop;
    Game& game = loop.game;
    GamepadState& pad = loop.input.pad;
    game.recordsTicks = true;
    testing::internal::CaptureStdout();
    pad.a = true;
    EXPECT_TRUE(loop.frame());
    pad.a = false;
    testing::internal::GetCapturedStdout();
    ASSERT_EQ(GameState, PLAYING) << "A on the intro builds a run";
    CameraState* player = loop.player();
    ASSERT_NE(player, nullptr);
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(loop.frame());

    // The left stick pushed ahead walks along the view: physics -z at the start's angles.
    const glm::vec3 before = bodyOrigin(*player);
    pad.leftStick = glm::vec2(0.0f, -1.0f);
    for (int i = 0; i < 20; ++i) EXPECT_TRUE(loop.frame());
    pad.leftStick = glm::vec2(0.0f);
    const glm::vec3 walked = bodyOrigin(*player) - before;
    EXPECT_LT(walked.z, -1.5f);
    EXPECT_LT(std::abs(walked.x), 0.2f);

    // The right stick pushed right turns right at its full rate over the frames' game time
    // (30 ms each, the most a frame advances), and the view follows.
    const double h = player->horizontalAngle;
    pad.rightStick = glm::vec2(1.0f, 0.0f);
    for (int i = 0; i < 10; ++i) EXPECT_TRUE(loop.frame());
    EXPECT_NEAR(player->horizontalAngle - h, 10 * longestWorldStepMs / 1000.0 * stickTurnRateAcross, 1e-9);
    EXPECT_NEAR(player->direction.x, std::sin(player->horizontalAngle), 1e-5f);

    // Everything held at once reaches the ticks (and so a recording), then the pad is
    // pulled out: the next tick holds nothing and the view stops turning.
    pad.leftStick = glm::vec2(-1.0f, 0.0f);
    pad.leftTrigger = 1.0f;
    pad.rightTrigger = 1.0f;
    pad.a = true;
    EXPECT_TRUE(loop.frame());
    const TickInput held = game.recorded().ticks.back();
    EXPECT_TRUE(held.left && held.jump && held.attack && held.block);
    EXPECT_TRUE(player->shieldRaised);
    pad = GamepadState();
    EXPECT_TRUE(loop.frame());
    const double turnedTo = player->horizontalAngle;
    EXPECT_TRUE(loop.frame());
    TickInput nothing = game.recorded().ticks.back();
    nothing.horizontalAngle = nothing.verticalAngle = 0.0;
    EXPECT_EQ(nothing, TickInput()) << "a pad pulled out holds nothing";
    EXPECT_FALSE(player->shieldRaised);
    EXPECT_FALSE(player->attackHeld);
    EXPECT_EQ(player->horizontalAngle, turnedTo);
}

TEST(PlayingFrames, F2ShowsTheOptionsWhoseArrowsChangeASettingAtOnceAndWriteItButNeverMoveThePlayer) {
    std::string pattern = (std::filesystem::temp_directory_path() / "zarnhold_options_XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    const std::string settingsFile = pattern + "/zarnhold/settings.ini";
    // The field of view comes from the command line: the file keeps its own until the
    // player changes it in the panel.
    GameOptions options = withSavedSettings(parseCommandLine({"--fov", "40"}).options, Settings{});
    options.settingsFile = settingsFile;
    ScriptedLoop loop(options);
    Game& game = loop.game;
    EXPECT_TRUE(loop.press(keys::space));
    ASSERT_EQ(GameState, PLAYING);
    CameraState* player = loop.player();
    ASSERT_NE(player, nullptr);
    for (int i = 0; i < 10; ++i) EXPECT_TRUE(loop.frame());
    const glm::vec3 before = bodyOrigin(*player);
    EXPECT_NEAR(game.projection[1][1], 1.0f / std::tan(glm::radians(20.0f)), 1e-4f) << "40 degrees";

    const PixelRect panel{(testWidth - testWidth * 3 / 5) / 2, (testHeight - testHeight * 3 / 5) / 2,
                          testWidth * 3 / 5, testHeight * 3 / 5};
    const auto markLit = [&](int row) {
        const PixelRect mark = layoutOptionsPanel(panel, game.settings(), row).mark;
        return greenAt(mark.x + mark.width / 2, mark.y + mark.height / 2) > 200;
    };
    // The volume's bar (row 3) is lit to its right end at 100, dark there below it.
    const auto volumeBarFull = [&] {
        const PixelRect bar = layoutOptionsPanel(panel, game.settings(), 0).bars[3];
        return redAt(bar.x + bar.width - bar.height / 2, bar.y + bar.height / 2) > 200;
    };
    EXPECT_FALSE(helpFrameShown());
    EXPECT_TRUE(loop.press(keys::f2));
    EXPECT_TRUE(helpFrameShown()) << "the panel's lit frame, where the help's is";
    EXPECT_TRUE(markLit(0));
    EXPECT_TRUE(volumeBarFull());
    // Each press is let go for a frame, as a player's finger is: a key held counts once.
    const auto tap = [&](int key) { return loop.press(key) && loop.frame(); };
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(tap(keys::down));
    EXPECT_TRUE(markLit(3));
    EXPECT_FALSE(markLit(0));
    if (const char* folder = std::getenv("ZARNHOLD_SHOTS"))
        saveLastFrame(std::string(folder) + "/options.ppm");
    EXPECT_FALSE(std::filesystem::exists(settingsFile)) << "choosing a row changes nothing";

    EXPECT_TRUE(tap(keys::left));
    EXPECT_EQ(game.settings().volume, 90.0f);
    EXPECT_FALSE(volumeBarFull());
    Settings written;
    written.volume = 90.0f;
    EXPECT_EQ(loadSettingsFile(settingsFile).settings, written)
        << "the command line's 40 degrees stay out of it";

    EXPECT_TRUE(tap(keys::up));
    EXPECT_TRUE(tap(keys::left));
    EXPECT_NEAR(game.projection[1][1], 1.0f / std::tan(glm::radians(17.5f)), 1e-4f) << "35 degrees, at once";
    written.fieldOfViewDegrees = 35.0f;
    EXPECT_EQ(loadSettingsFile(settingsFile).settings, written);

    const glm::vec3 after = bodyOrigin(*player);
    EXPECT_NEAR(after.x, before.x, 1e-3f) << "the arrows do not walk";
    EXPECT_NEAR(after.z, before.z, 1e-3f);
    EXPECT_TRUE(loop.press(keys::f2));
    EXPECT_FALSE(helpFrameShown());
    std::filesystem::remove_all(pattern);
}
