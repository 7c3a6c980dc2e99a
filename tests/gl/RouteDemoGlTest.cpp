// The recorded route stays valid: replayed in the real game, it walks from the start hall
// over the bridge to the goal crystal and wins, with the same world at the end however the
// frames fall.
#include <gtest/gtest.h>

#include "app/Game.h"
#include "app/RecordingFile.h"
#include "app/WorldDigest.h"
#include "tests/gl/TestGame.h"

using namespace zarnhold;

namespace {

struct Replayed {
    bool won = false;
    float health = 0.0f;
    long ticks = 0;
    std::uint64_t world = 0;
};

Replayed replayRoute(const Recording& route, double frameMs) {
    Game game;
    ScriptedInput input;
    attachTestWindow(game, input);
    game.startReplay(route);
    testing::internal::CaptureStdout();
    game.buildWorld();
    while (!game.runHasEnded() && game.ticksRun < static_cast<long>(route.ticks.size())) {
        game.advanceWorld(frameMs);
    }
    testing::internal::GetCapturedStdout();
    return {game.runHasEnded() && game.getHealth() > 0.0f, game.getHealth(), game.ticksRun,
            worldChecksum(game)};
}

}  // namespace

TEST(RecordedRoute, ReplayedItWinsTheRunOnItsLastTickAtAnyFrameRate) {
    const RecordingRead route = readRecordingFile("demos/route.zrec");
    ASSERT_EQ(route.error, "") << "demos/route.zrec beside the program";
    const Replayed at30 = replayRoute(route.recording, 30.0);
    EXPECT_TRUE(at30.won) << "health " << at30.health << " after " << at30.ticks << " ticks";
    EXPECT_EQ(at30.ticks, static_cast<long>(route.recording.ticks.size()))
        << "the goal is touched on its last tick";
    const Replayed at144 = replayRoute(route.recording, 1000.0 / 144.0);
    EXPECT_EQ(at144.world, at30.world);
    EXPECT_EQ(at144.ticks, at30.ticks);
}
