// The goal crystal's rules, and the crystal beside the real player and game.
#include <gtest/gtest.h>

#include "app/GameState.h"
#include "render/Crystal.h"
#include "tests/unit/WalkingRun.h"

TEST(Crystal, WinsCloserThanOneIsSeenUpTo20AndSpins50DegreesASecond) {
    EXPECT_TRUE(crystalTouched(0.99f));
    EXPECT_FALSE(crystalTouched(1.0f));
    EXPECT_TRUE(crystalInSight(20.0f));
    EXPECT_FALSE(crystalInSight(20.01f));
    EXPECT_EQ(crystalSpin(1000.0), 50.0f);

    WalkingRun run(std::vector<float>{});
    Crystal crystal(run.player.get());
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
