// The main loop's transitions between the pictures and a run.
#include <gtest/gtest.h>

#include "app/StateRule.h"

namespace {
FrameKeys keysDown(bool escape, bool space, bool enter) {
    FrameKeys k;
    k.escape = escape;
    k.space = space;
    k.enter = enter;
    return k;
}
}  // namespace

TEST(StateRule, APlayingFrameEndsOnlyWhenHealthIsGoneAndDeathWinsOverAWin) {
    const FrameKeys none = keysDown(false, false, false);
    EXPECT_EQ(frameStep(PLAYING, true, 0.5f, none).picture, PLAYING);
    EXPECT_EQ(frameStep(PLAYING, true, 0.0f, none).picture, GAME_OVER) << "exactly 0 ends the run";
    EXPECT_EQ(frameStep(WON, true, 10.0f, none).picture, WON);
    EXPECT_EQ(frameStep(WON, true, -3.0f, none).picture, GAME_OVER);
    // Space held as the player dies starts the next run from the game-over picture at once.
    const FrameStep dyingOnSpace = frameStep(PLAYING, true, -1.0f, keysDown(false, true, false));
    EXPECT_EQ(dyingOnSpace.picture, GAME_OVER);
    EXPECT_TRUE(dyingOnSpace.buildRun);
    EXPECT_FALSE(frameStep(PLAYING, true, 100.0f, keysDown(false, true, true)).buildRun);
}

TEST(StateRule, EachPictureStartsARunOnItsOwnKeyOnly) {
    EXPECT_TRUE(frameStep(INTRO, false, 1000.0f, keysDown(false, true, false)).buildRun);
    EXPECT_FALSE(frameStep(INTRO, false, 1000.0f, keysDown(false, false, true)).buildRun);
    EXPECT_TRUE(frameStep(GAME_OVER, false, 0.0f, keysDown(false, true, false)).buildRun);
    EXPECT_FALSE(frameStep(GAME_OVER, false, 0.0f, keysDown(false, false, true)).buildRun);
    EXPECT_TRUE(frameStep(WON, false, 500.0f, keysDown(false, false, true)).buildRun);
    EXPECT_FALSE(frameStep(WON, false, 500.0f, keysDown(false, true, false)).buildRun);
    // A picture frame does not look at health: the won picture stays up.
    EXPECT_EQ(frameStep(WON, false, -5.0f, keysDown(false, false, false)).picture, WON);
}

TEST(StateRule, EscapeEndsTheLoopAfterTheFrameButSpaceInTheSameFrameStillBuildsTheRun) {
    const FrameStep both = frameStep(INTRO, false, 1000.0f, keysDown(true, true, false));
    EXPECT_TRUE(both.buildRun);
    EXPECT_FALSE(both.keepRunning);
    EXPECT_FALSE(frameStep(PLAYING, true, 1000.0f, keysDown(true, false, false)).keepRunning);
    EXPECT_TRUE(frameStep(PLAYING, true, 1000.0f, keysDown(false, false, false)).keepRunning);
}
