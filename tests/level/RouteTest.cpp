// The whole level walked on foot at the frame rates players see, on the real level and the
// real physics: the pushes are per frame, so a ramp or a doorway that passes at one rate
// can stall at another. A waypoint follower turns through the cursor and holds W.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <glm/glm.hpp>
#include <glm/gtc/constants.hpp>
#include <gtest/gtest.h>

#include "run/LevelPlaces.h"
#include "run/PhysicsWorld.h"
#include "run/PlayerInput.h"
#include "scene/ObjLoader.h"
#include "scene/Object3D.h"
#include "tests/RouteFollower.h"
#include "tests/RouteWaypoints.h"
#include "tests/WalkingRun.h"

using namespace zarnhold;

namespace {

const double kFrameRates[] = {10.0, 30.0, 60.0, 144.0};

// The level's bounding box, physics frame: a body outside it (below the chasm's walls, the
// lowest) has left the world. Read once, before any test captures the output.
const Bounds& levelBounds() {
    static const Bounds bounds = [] {
        Object3D level;
        testing::internal::CaptureStdout();
        readObjModel(level, "External\\Models\\Levels\\Level1n.obj");
        testing::internal::GetCapturedStdout();
        Bounds b{glm::vec3(1e9f), glm::vec3(-1e9f)};
        const std::vector<float> corners = level.positionFloats();
        for (std::size_t i = 0; i + 2 < corners.size(); i += 3) {
            const glm::vec3 p(corners[i], corners[i + 1], corners[i + 2]);
            b.low = glm::min(b.low, p);
            b.high = glm::max(b.high, p);
        }
        return b;
    }();
    return bounds;
}

// Runs `walk` on a fresh run while what the game prints (loading lines, its farewell)
// is kept out of the test's output, and returns what it returns. Checks belong after it:
// their messages would be swallowed too.
template <typename Walk>
auto quietly(Walk walk) {
    testing::internal::CaptureStdout();
    auto result = [&] {
        WalkingRun run(WalkingRun::realLevelCorners());
        return walk(run);
    }();
    testing::internal::GetCapturedStdout();
    return result;
}

glm::vec3 eyePhysics(const WalkingRun& run) {
    return renderToPhysics(run.player->position);
}

}  // namespace

TEST(Route, FromTheStartToTheGalleryAndBackThenOverTheBridgeToTheGoalAtEveryFrameRate) {
    const std::vector<Waypoint> route = joined({&kToJunction, &kGalleryAndBack, &kToBridge, &kToGoal});
    const glm::vec3 goal = renderToPhysics(levelPlaces().goalCrystalRenderPos);
    levelBounds();
    for (double fps : kFrameRates) {
        SCOPED_TRACE(testing::Message() << fps << " frames per second");
        const auto [failure, seconds] = quietly([&](WalkingRun& run) {
            Follower<WalkingRun> follower(run, 1.0 / fps, levelBounds());
            std::string failed = follower.follow(route);
            if (failed.empty()) {
                failed = follower.walkUntil(glm::vec2(goal.x, goal.z), "the goal crystal",
                                            [&] { return glm::length(eyePhysics(run) - goal) < 1.0f; });
            }
            return std::make_pair(failed, run.simulatedSeconds);
        });
        EXPECT_EQ(failure, "");
        if (failure.empty()) std::printf("route at %g fps: %.1f s simulated\n", fps, seconds);
    }
}

TEST(Route, WalkingOffTheBridgeIntoTheChasmEndsTheRunEvenAfterClingingToItsWall) {
    const std::vector<Waypoint> route = joined({&kToJunction, &kToBridge, &kOntoTheBridge});
    levelBounds();
    // After stepping off: let go at once, or hold W facing a wall of the chasm, where the
    // push holds the body by friction: west (the wall ahead) or south (turning into the end
    // wall while falling). A clinging body slides down slowly, at 144 frames a second not at
    // all, so after a minute of it the player lets go; then the fall has to end the run, with
    // no floor down there to land on alive. Headings as the player's horizontal angle.
    struct Fall {
        const char* how;
        bool push;
        double heading;
    };
    const Fall falls[] = {{"letting go", false, 0.0},
                          {"clinging to the west wall", true, -glm::half_pi<double>()},
                          {"turning into the south wall", true, 0.0}};
    const double clingSeconds = 60.0;
    for (double fps : kFrameRates) {
        for (const Fall& fall : falls) {
            SCOPED_TRACE(testing::Message() << fps << " frames per second, " << fall.how);
            struct Outcome {
                std::string toTheBridge;
                std::string ending;
                float bodyY;
                double afterLettingGo;
            };
            const Outcome outcome = quietly([&](WalkingRun& run) {
                Follower<WalkingRun> follower(run, 1.0 / fps, levelBounds());
                Outcome o{follower.follow(route), "", 0.0f, 0.0};
                if (o.toTheBridge.empty()) {
                    o.ending = follower.walkUntil(glm::vec2(-14.0f, -47.0f), "off the bridge",
                                                  [&] { return run.bodyOrigin().y < -2.0f; });
                }
                auto alive = [&] { return o.ending.empty() && run.game.getHealth() > 0.0f; };
                run.input.releaseAll();
                const double offAt = run.simulatedSeconds;
                while (fall.push && alive() && run.simulatedSeconds - offAt < clingSeconds) {
                    const double turn = fall.heading - run.player->horizontalAngle;
                    run.turnBy(std::remainder(turn, glm::two_pi<double>()));
                    run.input.press(keys::w);
                    run.frame(1.0 / fps);
                }
                run.input.releaseAll();
                const double letGoAt = run.simulatedSeconds;
                while (alive() && run.simulatedSeconds - letGoAt < 5.0) run.frame(1.0 / fps);
                if (o.ending.empty() && run.game.getHealth() <= 0.0f) o.ending = "died";
                o.bodyY = run.bodyOrigin().y;
                o.afterLettingGo = run.simulatedSeconds - letGoAt;
                return o;
            });
            ASSERT_EQ(outcome.toTheBridge, "");
            EXPECT_EQ(outcome.ending, "died")
                << "alive at y " << outcome.bodyY << ", " << outcome.afterLettingGo << " s after letting go";
            EXPECT_LT(outcome.bodyY, -10.0f) << "the fall, not something else, ended the run";
        }
    }
}

TEST(Route, HoldingSpaceOnAFlatFloorJumpsOncePerLanding) {
    for (double fps : kFrameRates) {
        SCOPED_TRACE(testing::Message() << fps << " frames per second");
        // What happened, in order: 'J' a jump, 'L' a landing.
        const std::string events = quietly([&](WalkingRun& run) {
            run.frames(1.0 / fps, 1.0);
            run.input.press(keys::space);
            std::string seen;
            bool falling = false;
            while (run.simulatedSeconds < 6.0) {
                const float before = run.velocity().y;
                run.simulatedSeconds += run.game.physics->step(static_cast<float>(1.0 / fps)) * 0.01;
                const float afterStep = run.velocity().y;
                run.player->update(1000.0 / fps);
                const float afterUpdate = run.velocity().y;
                if (falling && before < -1.0f && std::abs(afterStep) < 0.5f) {
                    seen += 'L';
                    falling = false;
                }
                if (std::abs(afterUpdate - afterStep - 7.0f) < 0.05f) seen += 'J';
                if (afterUpdate < -1.0f) falling = true;
            }
            return seen;
        });
        // About 1.43 s in the air per jump: at least three in the 5 s of holding, and jumps
        // and landings take turns.
        EXPECT_GE(std::count(events.begin(), events.end(), 'J'), 3) << events;
        EXPECT_EQ(events.find("JJ"), std::string::npos) << events;
        EXPECT_EQ(events.find("LL"), std::string::npos) << events;
        EXPECT_EQ(events.substr(0, 1), "J") << events;
    }
}
