// The goal crystal's rules, and the crystal beside the real player and game.
#include <algorithm>

#include <gtest/gtest.h>

#include "render/Crystal.h"
#include "run/GameState.h"
#include "run/LevelPlaces.h"
#include "run/PlayerInput.h"
#include "tests/WalkingRun.h"

using namespace zarnhold;

TEST(Crystal, WinsCloserThanOneIsSeenUpTo20AndSpins50DegreesASecond) {
    EXPECT_TRUE(crystalTouched(0.99f));
    EXPECT_FALSE(crystalTouched(1.0f));
    EXPECT_TRUE(crystalInSight(20.0f));
    EXPECT_FALSE(crystalInSight(20.01f));
    EXPECT_EQ(crystalSpin(1000.0), 50.0f);

    WalkingRun run(std::vector<float>{});
    Crystal crystal(&run.game);
    EXPECT_EQ(crystal.crystalPosition, levelPlaces().goalCrystalRenderPos) << "where the table says";
    GameState = PLAYING;
    run.player->position = crystal.crystalPosition + glm::vec3(0.0f, 1.0f, 0.0f);
    crystal.update(1000.0);
    EXPECT_EQ(GameState, PLAYING);
    EXPECT_EQ(crystal.spinAngle, 50.0f);
    EXPECT_EQ(glm::vec3(crystal.modelMatrix[3]), crystal.crystalPosition);
    EXPECT_FLOAT_EQ(glm::length(glm::vec3(crystal.modelMatrix[0])), 1.0f) << "no scale once spinning";

    run.player->position = crystal.crystalPosition + glm::vec3(0.0f, 0.99f, 0.0f);
    crystal.update(16.0);
    EXPECT_EQ(GameState, WON);
    GameState = INTRO;
}

// The end-to-end test wins by these moves: M, the mouse 140 pixels left and 15 down, then
// W held. They must carry the eye within reach of the crystal at any frame rate it runs at.
TEST(Crystal, TheEndToEndTestsFlightFromTheStartReachesIt) {
    const glm::vec3 crystal(-11.55f, 1.0f, 75.2f);
    for (const double seconds : {0.03, 0.1, 0.25}) {
        SCOPED_TRACE(seconds);
        testing::internal::CaptureStdout();
        WalkingRun run;
        testing::internal::GetCapturedStdout();
        run.frame(seconds);
        run.input.press(keys::m);
        run.frame(seconds);
        run.input.at += glm::dvec2(-140.0, 15.0);
        run.frame(seconds);
        run.input.press(keys::w);
        float closest = 1e9f;
        // 20 s of the game's clock, which runs slower than the frames below 33 a second.
        for (const double end = run.simulatedSeconds + 20.0; run.simulatedSeconds < end && closest >= 1.0f;) {
            run.frame(seconds);
            closest = std::min(closest, glm::distance(run.player->getPosition(), crystal));
        }
        EXPECT_LT(closest, 1.0f);
    }
}
