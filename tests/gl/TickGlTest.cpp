// One world at any frame rate: the same recorded inputs (walking, turning, jumping, taking
// the sword, sweeping it into creatures, the shield, and a death), played with the frames
// landing at 10, 30, 60 and 144 a second and at uneven times, leave the world bit for bit
// the same after every tick.
#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "app/Game.h"
#include "app/TickInput.h"
#include "app/WorldDigest.h"
#include "game/CameraState.h"
#include "game/Enemy.h"
#include "game/Sword.h"
#include "tests/gl/TestGame.h"

using namespace zarnhold;

namespace {

constexpr std::uint64_t seed = 20261210;

// Forward past the sword, a jump, a step to the left, the shield raised for a while, the
// view turning; sweeps until one strikes a creature, then standing until they end the run.
// Played live through the game's ticks, it comes back as the game recorded it.
Recording recordScriptedRun() {
    Game game;
    ScriptedInput input;
    attachTestWindow(game, input);
    game.nextRunSeed = seed;
    game.recordsTicks = true;
    testing::internal::CaptureStdout();
    game.buildWorld();
    testing::internal::GetCapturedStdout();
    bool struck = false;
    const auto setKeys = [&](long tick) {
        input.releaseAll();
        if (tick < 310) input.press(keys::w);
        if (tick == 200) input.press(keys::space);
        if (tick > 320 && tick < 360) input.press(keys::a);
        if (tick > 500 && tick < 700) input.buttonsDown.insert(mouseButtons::right);
        if (tick > 320 && !(tick > 500 && tick < 700) && !struck && tick % 16 < 8)
            input.buttonsDown.insert(mouseButtons::left);
        if (tick >= 320) game.player->horizontalAngle = 0.1 + 0.3 * std::sin(tick / 100.0);
        if (tick >= 320) game.player->verticalAngle = -0.1;
    };
    setKeys(0);
    game.afterTick = [&] {
        for (AppState* object : game.sceneObjects) {
            if (auto* enemy = dynamic_cast<Enemy*>(object)) struck |= enemy->enemyHealth < 1000.0f;
        }
        setKeys(game.ticksRun);
    };
    while (!game.runHasEnded() && game.ticksRun < 20000) game.advanceWorld(30.0);
    return game.recorded();
}

struct PlayedRun {
    std::vector<std::vector<unsigned char>> states;
    bool swordTaken = false;
    bool enemyStruck = false;
    bool shieldRaised = false;
    float health = 0.0f;
};

// Plays `recording` through the game's own advance with frames of the times `nextFrameMs`
// gives, until the run ends or the recording does.
template <typename FrameTimes>
PlayedRun play(const Recording& recording, FrameTimes nextFrameMs) {
    Game game;
    ScriptedInput input;
    attachTestWindow(game, input);
    game.startReplay(recording);
    testing::internal::CaptureStdout();
    game.buildWorld();
    testing::internal::GetCapturedStdout();
    PlayedRun run;
    game.afterTick = [&] {
        run.states.push_back(worldState(game));
        run.shieldRaised = run.shieldRaised || game.player->shieldRaised;
        for (AppState* object : game.sceneObjects) {
            if (auto* enemy = dynamic_cast<Enemy*>(object)) run.enemyStruck |= enemy->enemyHealth < 1000.0f;
            if (auto* sword = dynamic_cast<Sword*>(object)) run.swordTaken |= sword->strike.striking;
        }
    };
    while (!game.runHasEnded() && game.ticksRun < static_cast<long>(recording.ticks.size())) {
        game.advanceWorld(nextFrameMs());
    }
    run.health = game.getHealth();
    return run;
}

PlayedRun playAtFps(const Recording& recording, double fps) {
    return play(recording, [fps] { return 1000.0 / fps; });
}

}  // namespace

TEST(FixedTicks, TheWorldIsTheSameAfterEveryTickAtAnyFrameRate) {
    const Recording recording = recordScriptedRun();
    const PlayedRun reference = playAtFps(recording, 30.0);
    ASSERT_GT(reference.states.size(), 100u);
    EXPECT_TRUE(reference.swordTaken) << "the sword was taken and swept";
    EXPECT_TRUE(reference.enemyStruck) << "a sweep struck a creature";
    EXPECT_TRUE(reference.shieldRaised);
    EXPECT_LE(reference.health, 0.0f) << "the run ends in a death";

    std::mt19937 spread(7);
    std::uniform_real_distribution<double> uneven(1.0, 45.0);
    const struct {
        const char* name;
        PlayedRun run;
    } patterns[] = {
        {"10 fps", playAtFps(recording, 10.0)},
        {"60 fps", playAtFps(recording, 60.0)},
        {"144 fps", playAtFps(recording, 144.0)},
        {"uneven", play(recording, [&] { return uneven(spread); })},
        {"30 fps again", playAtFps(recording, 30.0)},
    };
    for (const auto& pattern : patterns) {
        ASSERT_EQ(pattern.run.states.size(), reference.states.size()) << pattern.name;
        for (std::size_t tick = 0; tick < reference.states.size(); ++tick) {
            ASSERT_EQ(pattern.run.states[tick], reference.states[tick]) << pattern.name << ", tick " << tick;
        }
    }
}
