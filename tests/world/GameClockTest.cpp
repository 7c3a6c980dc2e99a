// One clock for the whole world: at 10, 30, 60 and 144 frames a second, what the enemies,
// the sword and the flight do per second of simulated time (the physics' own steps) is
// the same. Each frame goes through the game's own advance, as the main loop runs it.
#include <cmath>

#include <btBulletDynamicsCommon.h>
#include <glm/glm.hpp>
#include <gtest/gtest.h>

#include "app/WorldClock.h"
#include "game/Enemy.h"
#include "game/Sword.h"
#include "run/PhysicsWorld.h"
#include "run/PlayerInput.h"
#include "tests/WalkingRun.h"

using namespace zarnhold;

namespace {

constexpr double frameRates[] = {10.0, 30.0, 60.0, 144.0};

std::vector<float> flatFloor() {
    return {-50, 0, -50, -50, 0, 50, 50, 0, 50, -50, 0, -50, 50, 0, 50, 50, 0, -50};
}

// A run on a flat floor whose frames come 1000 / fps ms apart on the wall clock.
struct ClockedRun {
    explicit ClockedRun(double fps) : frameMs(1000.0 / fps), run(flatFloor()) {}
    double simulated() const { return run.game.physics->simulatedSeconds(); }
    void frame() { run.game.advanceWorld(frameMs); }

    double frameMs;
    WalkingRun run;
};

// An enemy held in place on the floor (pushes and leaps do not move it), with the player's
// eye `offset` from its centre (the player's own update does not run).
struct EnemyClockRun : ClockedRun {
    EnemyClockRun(double fps, glm::vec3 offset) : ClockedRun(fps), offset(offset) {
        enemy.startSimulating();
        enemy.body->setLinearFactor(btVector3(0, 0, 0));
        run.game.sceneObjects = {&enemy};
        run.game.health = 1e6f;
        frame();
    }
    void frame() {
        run.player->position = enemy.renderCentre() + offset;
        ClockedRun::frame();
    }
    glm::vec3 offset;
    Enemy enemy{run.player.get(), 0.0f, 0.4f, 0.0f};
};

// Health lost a simulated second to one enemy touching the player in front of it.
double contactDamagePerSecond(double fps, bool shielded) {
    EnemyClockRun s(fps, {0.9f, 0.0f, 0.0f});
    s.run.player->shieldRaised = shielded;
    s.enemy.lungeDirection = glm::vec2(1.0f, 0.0f);
    s.enemy.lungeTimer = -1e9f;
    const double startHealth = s.run.game.health, start = s.simulated();
    while (s.simulated() - start < 1.0) s.frame();
    return (startHealth - s.run.game.health) / (s.simulated() - start);
}

// Simulated seconds from a reset lunge timer to the leap, the player 5 away.
double lungeWait(double fps) {
    EnemyClockRun s(fps, {5.0f, 0.0f, 0.0f});
    s.enemy.lungeTimer = 0.0f;
    const double start = s.simulated();
    float before = 0.0f;
    while (s.enemy.lungeTimer >= before && s.simulated() - start < 10.0) {
        before = s.enemy.lungeTimer;
        s.frame();
    }
    return s.simulated() - start;
}

}  // namespace

TEST(OneGameClock, EnemyContactDamageAndLungeWaitPerSimulatedSecondHoldFrom10To144Fps) {
    // The game's closing line, once a run is gone.
    testing::internal::CaptureStdout();
    for (double fps : frameRates) {
        SCOPED_TRACE(testing::Message() << fps << " fps");
        // Four a millisecond, a fifth behind the shield.
        EXPECT_NEAR(contactDamagePerSecond(fps, false), 4000.0, 4000.0 * 0.02);
        EXPECT_NEAR(contactDamagePerSecond(fps, true), 200.0, 200.0 * 0.02);
        // 2.5 s, to within one frame of the world's time.
        EXPECT_NEAR(lungeWait(fps), 2.5, std::min(1.0 / fps, 0.03) + 0.011);
    }
    testing::internal::GetCapturedStdout();
}

TEST(OneGameClock, SwordSpinAndSweepAndTheFlightPerSimulatedSecondHoldFrom10To144Fps) {
    // The game's closing line, once a run is gone.
    testing::internal::CaptureStdout();
    for (double fps : frameRates) {
        SCOPED_TRACE(testing::Message() << fps << " fps");
        ClockedRun lying(fps);
        Sword sword(lying.run.player.get());
        lying.run.game.sceneObjects = {&sword};
        // Lying on its pedestal it spins 100 degrees a second about the vertical.
        double turned = 0.0, start = lying.simulated();
        while (lying.simulated() - start < 1.0) {
            const glm::vec3 before(sword.modelMatrix[0]);
            lying.frame();
            const glm::vec3 after(sword.modelMatrix[0]);
            turned += glm::degrees(std::atan2(glm::cross(after, before).y, glm::dot(before, after)));
        }
        EXPECT_NEAR(std::abs(turned) / (lying.simulated() - start), 100.0, 2.0);

        // Held, one press sweeps it out at 1.5 degrees a millisecond: past 80 after 53 ms.
        sword.pickedUp = true;
        lying.run.player->attackHeld = true;
        start = lying.simulated();
        // A frame shorter than a tick may run none: the sweep starts with the first tick.
        while (!sword.strike.striking) lying.frame();
        while (sword.strike.striking) lying.frame();
        const double sweptMs = (lying.simulated() - start) * 1000.0;
        EXPECT_GE(sweptMs, 80.0 / 1.5 - 10.0);
        EXPECT_LE(sweptMs, 80.0 / 1.5 + 2.0 * std::min(1000.0 / fps, longestWorldStepMs) + 10.0);

        // After M, W flies the eye 6 units a second.
        ClockedRun flight(fps);
        flight.run.game.sceneObjects = {flight.run.player.get()};
        flight.run.input.press(keys::m);
        flight.frame();
        flight.run.input.press(keys::w);
        const glm::vec3 from = flight.run.player->position;
        start = flight.simulated();
        while (flight.simulated() - start < 1.0) flight.frame();
        EXPECT_NEAR(glm::length(flight.run.player->position - from) / (flight.simulated() - start), 6.0,
                    0.12);
    }
    testing::internal::GetCapturedStdout();
}

TEST(OneGameClock, At144FpsTheDrawnEyeMovesEveryFrameByAnEvenStepBetweenTheTicks) {
    testing::internal::CaptureStdout();
    // Flying at 6 units a second: 100 ticks a second, 144 frames. A frame that runs no tick
    // would leave the eye where it was, and one that runs one would jump a whole tick's
    // 0.06: drawn between the last two ticks it moves 6 / 144 every frame.
    ClockedRun flight(144.0);
    flight.run.input.press(keys::m);
    flight.run.frame(1.0 / 144.0);
    flight.run.input.press(keys::w);
    for (int i = 0; i < 20; ++i) flight.run.frame(1.0 / 144.0);
    glm::vec3 drawn = flight.run.player->drawnEye(), ticked = flight.run.player->position;
    float smallest = 1e9f, largest = 0.0f;
    int framesWithoutATick = 0;
    for (int i = 0; i < 144; ++i) {
        flight.run.frame(1.0 / 144.0);
        const float step = glm::distance(flight.run.player->drawnEye(), drawn);
        smallest = std::min(smallest, step);
        largest = std::max(largest, step);
        framesWithoutATick += flight.run.player->position == ticked;
        drawn = flight.run.player->drawnEye();
        ticked = flight.run.player->position;
    }
    EXPECT_GT(framesWithoutATick, 30) << "the ticks alone would stutter";
    EXPECT_NEAR(smallest, 6.0f / 144.0f, 0.002f);
    EXPECT_NEAR(largest, 6.0f / 144.0f, 0.002f);
    testing::internal::GetCapturedStdout();
}
