// The sword's rules, and the sword driven by the real player on the real level.
#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include "game/Sword.h"
#include "game/SwordSweep.h"
#include "run/LevelPlaces.h"
#include "run/PlayerInput.h"
#include "tests/WalkingRun.h"

using namespace zarnhold;

namespace {

// One frame at 60 frames per second, in milliseconds as the main loop measures it.
constexpr double frameMs = 16.7;

// The player's frame, then the sword's, in the order of the scene list.
struct SwordRun {
    SwordRun() { testing::internal::CaptureStdout(); }
    ~SwordRun() { testing::internal::GetCapturedStdout(); }

    void frame() {
        run.frame(frameMs / 1000.0);
        sword.update(frameMs);
    }
    // Walks forward (render +z) from the start until the sword is picked up; false if
    // three seconds are not enough.
    bool walkToSword() {
        run.input.press(keys::w);
        for (int i = 0; i < 180 && !sword.pickedUp; ++i) frame();
        run.input.release(keys::w);
        return sword.pickedUp;
    }
    // Frames with the left button held, counting those in which the sword strikes.
    int strikingFramesOf(int frames) {
        run.input.buttonsDown.insert(mouseButtons::left);
        int striking = 0;
        for (int i = 0; i < frames; ++i) {
            frame();
            if (sword.strike.striking) ++striking;
        }
        return striking;
    }

    WalkingRun run;
    Sword sword{run.player.get()};
};

}  // namespace

TEST(SwordRules, OnlyTheEyesZPastMinusOneAndAHalfPicksItUp) {
    EXPECT_FALSE(passesSword({0.0f, 0.0f, -6.5f}));
    EXPECT_FALSE(passesSword({0.0f, 0.0f, -1.5f}));
    EXPECT_FALSE(passesSword({0.0f, 0.0f, -1.51f}));
    EXPECT_TRUE(passesSword({0.0f, 0.0f, -1.49f}));
    // Anywhere across the plane: x and y do not matter.
    EXPECT_TRUE(passesSword({40.0f, 12.0f, 3.0f}));
    EXPECT_FALSE(passesSword({0.0f, -0.2f, -20.0f}));
}

TEST(SwordRules, ASweepStrikesInFourFramesAt60FpsThenStaysOutUntilReleased) {
    const float expected[] = {-25.05f, -50.1f, -75.15f, -100.2f};
    SweepStep step;
    for (float angle : expected) {
        step = sweepStep(step.angle, true, frameMs);
        EXPECT_NEAR(step.angle, angle, 1e-3f);
        EXPECT_TRUE(step.striking);
    }
    for (int i = 0; i < 30; ++i) {
        step = sweepStep(step.angle, true, frameMs);
        EXPECT_NEAR(step.angle, -100.2f, 1e-3f);
        EXPECT_FALSE(step.striking);
    }
    step = sweepStep(step.angle, false, frameMs);
    EXPECT_EQ(step.angle, 0.0f);
    EXPECT_FALSE(step.striking);
}

TEST(Sword, LiesSpinningAndIgnoresTheButtonUntilTheWalkingPlayerCrossesThePlane) {
    SwordRun s;
    const glm::mat4 lying = s.sword.modelMatrix;
    EXPECT_EQ(glm::vec3(lying[3]), physicsToRender(levelPlaces().swordPhysicsPos)) << "where the table says";
    s.run.input.buttonsDown.insert(mouseButtons::left);
    s.run.input.press(keys::w);
    float eyeZBefore = s.run.player->getPosition().z;
    int frames = 0;
    while (!s.sword.pickedUp && frames < 180) {
        eyeZBefore = s.run.player->getPosition().z;
        s.frame();
        ++frames;
        EXPECT_FALSE(s.sword.strike.striking) << "frame " << frames;
    }
    ASSERT_TRUE(s.sword.pickedUp) << "eye at z " << s.run.player->getPosition().z;
    EXPECT_LE(eyeZBefore, -1.5f);
    EXPECT_GT(s.run.player->getPosition().z, -1.5f);
    // The picking frame still spins it in place: 100 degrees a second about render y.
    EXPECT_EQ(glm::vec3(s.sword.modelMatrix[3]), glm::vec3(0.0f, -0.5f, 0.0f));
    EXPECT_NE(s.sword.modelMatrix, lying);
    EXPECT_EQ(s.sword.swingAngle, 0.0f);

    s.run.input.release(keys::w);
    s.frame();
    const glm::vec3 hilt(s.sword.modelMatrix[3]);
    EXPECT_LT(glm::length(hilt - s.run.player->getPosition()), 0.7f) << "held at the eye";
    EXPECT_TRUE(s.sword.strike.striking) << "a button held since before the pick-up sweeps now";
}

TEST(Sword, HoldingTheLeftButtonSweepsOnceAndEachNewSweepNeedsARelease) {
    SwordRun s;
    ASSERT_TRUE(s.walkToSword());
    EXPECT_EQ(s.strikingFramesOf(60), 4);
    EXPECT_LE(s.sword.swingAngle, -80.0f);

    s.run.input.buttonsDown.clear();
    s.frame();
    EXPECT_EQ(s.sword.swingAngle, 0.0f);
    EXPECT_FALSE(s.sword.strike.striking);
    EXPECT_EQ(s.strikingFramesOf(60), 4);
}

TEST(Sword, TheRightButtonHeldKeepsTheSwordAtRest) {
    SwordRun s;
    ASSERT_TRUE(s.walkToSword());
    s.run.input.buttonsDown.insert(mouseButtons::right);
    EXPECT_EQ(s.strikingFramesOf(30), 0);
    EXPECT_EQ(s.sword.swingAngle, 0.0f);
    // Letting the shield down with the left button still held starts a sweep.
    s.run.input.buttonsDown.erase(mouseButtons::right);
    EXPECT_EQ(s.strikingFramesOf(30), 4);
}

TEST(Sword, LyingItTurnsOnTheSpotAboutTheVerticalAndHeldItKeepsItsPlaceInTheViewWhereverThePlayerLooks) {
    SwordRun s;
    // 100 degrees a second: 900 ms turn it a quarter, about render y through its own place.
    const glm::mat4 lying = s.sword.modelMatrix;
    s.sword.update(900.0);
    const glm::mat4& now = s.sword.modelMatrix;
    EXPECT_NEAR(glm::distance(glm::vec3(now[3]), glm::vec3(lying[3])), 0.0f, 1e-5f);
    EXPECT_NEAR(glm::distance(glm::vec3(now[1]), glm::vec3(lying[1])), 0.0f, 1e-5f);
    EXPECT_NEAR(glm::dot(glm::vec3(now[0]), glm::vec3(lying[0])), 0.0f, 1e-5f);
    EXPECT_NEAR(glm::length(glm::vec3(now[0])), 0.5f, 1e-5f) << "at half size";

    // Held: the same place in the eye's view, straight ahead, looking down or up, turned.
    s.sword.pickedUp = true;
    const CameraState& player = *s.run.player;
    const auto inView = [&] {
        return glm::lookAt(player.position, player.position + player.direction, player.up) *
               s.sword.modelMatrix;
    };
    s.frame();
    const glm::mat4 ahead = inView();
    EXPECT_GT(ahead[3].x, 0.0f) << "right of the middle";
    EXPECT_LT(ahead[3].y, 0.0f) << "below it";
    EXPECT_LT(ahead[3].z, 0.0f) << "in front of the eye";
    const glm::dvec2 centre(s.run.game.width / 2, s.run.game.height / 2);
    for (const glm::dvec2& cursorMove :
         {glm::dvec2(0, 900), glm::dvec2(0, -1800), glm::dvec2(2000, 600), glm::dvec2(-3500, 500)}) {
        s.run.input.at = centre + cursorMove;
        s.frame();
        SCOPED_TRACE(testing::Message() << "h " << player.horizontalAngle << ", v " << player.verticalAngle);
        const glm::mat4 looking = inView();
        for (int c = 0; c < 4; ++c) {
            EXPECT_NEAR(glm::distance(glm::vec4(looking[c]), glm::vec4(ahead[c])), 0.0f, 2e-3f)
                << "column " << c;
        }
    }
}
