// The main loop's transitions between the pictures and a run.
#include <gtest/gtest.h>

#include "app/StateRule.h"

using namespace zarnhold;

namespace {
FrameKeys keysDown(bool escape, bool space, bool enter) {
    FrameKeys k;
    k.escape = escape;
    k.space = space;
    k.enter = enter;
    return k;
}

// A frame with `state` already on show, its key seen up since.
FrameStep onShownPicture(GameStateValue state, bool played, float health, FrameKeys keys) {
    PictureKeyLatch latch{state, true};
    return frameStep(state, played, health, keys, latch);
}
}  // namespace

TEST(StateRule, APlayingFrameEndsOnlyWhenHealthIsGoneAndDeathWinsOverAWin) {
    const FrameKeys none = keysDown(false, false, false);
    EXPECT_EQ(onShownPicture(PLAYING, true, 0.5f, none).picture, PLAYING);
    EXPECT_EQ(onShownPicture(PLAYING, true, 0.0f, none).picture, GAME_OVER) << "exactly 0 ends the run";
    EXPECT_EQ(onShownPicture(WON, true, 10.0f, none).picture, WON);
    EXPECT_EQ(onShownPicture(WON, true, -3.0f, none).picture, GAME_OVER);
    EXPECT_FALSE(onShownPicture(PLAYING, true, 100.0f, keysDown(false, true, true)).buildRun);
}

TEST(StateRule, EachPictureStartsARunOnItsOwnKeyOnly) {
    EXPECT_TRUE(onShownPicture(INTRO, false, 1000.0f, keysDown(false, true, false)).buildRun);
    EXPECT_FALSE(onShownPicture(INTRO, false, 1000.0f, keysDown(false, false, true)).buildRun);
    EXPECT_TRUE(onShownPicture(GAME_OVER, false, 0.0f, keysDown(false, true, false)).buildRun);
    EXPECT_FALSE(onShownPicture(GAME_OVER, false, 0.0f, keysDown(false, false, true)).buildRun);
    EXPECT_TRUE(onShownPicture(WON, false, 500.0f, keysDown(false, false, true)).buildRun);
    EXPECT_FALSE(onShownPicture(WON, false, 500.0f, keysDown(false, true, false)).buildRun);
    // A picture frame does not look at health: the won picture stays up.
    EXPECT_EQ(onShownPicture(WON, false, -5.0f, keysDown(false, false, false)).picture, WON);
}

TEST(StateRule, EscapeEndsTheLoopAfterTheFrameButSpaceInTheSameFrameStillBuildsTheRun) {
    const FrameStep both = onShownPicture(INTRO, false, 1000.0f, keysDown(true, true, false));
    EXPECT_TRUE(both.buildRun);
    EXPECT_FALSE(both.keepRunning);
    EXPECT_FALSE(onShownPicture(PLAYING, true, 1000.0f, keysDown(true, false, false)).keepRunning);
    EXPECT_TRUE(onShownPicture(PLAYING, true, 1000.0f, keysDown(false, false, false)).keepRunning);
}

TEST(StateRule, GameOverAndWonNeedAFreshPressButTheIntroTakesAHeldKey) {
    const FrameKeys none = keysDown(false, false, false), space = keysDown(false, true, false),
                    enter = keysDown(false, false, true);
    PictureKeyLatch latch;
    // Space held as the player dies: the game-over picture shows and stays while it is held.
    FrameStep step = frameStep(PLAYING, true, -1.0f, space, latch);
    EXPECT_EQ(step.picture, GAME_OVER);
    EXPECT_FALSE(step.buildRun);
    EXPECT_FALSE(frameStep(GAME_OVER, false, -1.0f, space, latch).buildRun);
    EXPECT_FALSE(frameStep(GAME_OVER, false, -1.0f, none, latch).buildRun);
    EXPECT_TRUE(frameStep(GAME_OVER, false, -1.0f, space, latch).buildRun) << "released, then pressed";

    // The same for Enter on the won picture; a run played between resets the latch.
    latch = PictureKeyLatch{};
    EXPECT_FALSE(frameStep(PLAYING, true, 500.0f, enter, latch).buildRun);
    EXPECT_FALSE(frameStep(WON, true, 500.0f, enter, latch).buildRun);
    EXPECT_FALSE(frameStep(WON, false, 500.0f, enter, latch).buildRun);
    frameStep(WON, false, 500.0f, none, latch);
    EXPECT_TRUE(frameStep(WON, false, 500.0f, enter, latch).buildRun);
    frameStep(PLAYING, true, 500.0f, none, latch);
    EXPECT_FALSE(frameStep(WON, true, 500.0f, enter, latch).buildRun) << "held into the next win";

    // The game starts on the intro with Space already down: that starts the first run.
    latch = PictureKeyLatch{};
    EXPECT_TRUE(frameStep(INTRO, false, 1000.0f, space, latch).buildRun);
}
