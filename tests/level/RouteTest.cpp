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

#include "app/LevelPlaces.h"
#include "app/PhysicsWorld.h"
#include "app/PlayerInput.h"
#include "scene/ObjLoader.h"
#include "scene/Object3D.h"
#include "tests/WalkingRun.h"

namespace {

const double kFrameRates[] = {10.0, 30.0, 60.0, 144.0};

// A place to walk to, physics frame, with the floor the body must stand on there.
struct Waypoint {
    float x;
    float z;
    float floor;
    const char* where;
};

// Start hall, past the sword, down the west ramp to the side room and back, then south
// down to the crowd room (and once more up and down that ramp) and the junction.
const std::vector<Waypoint> kToJunction = {
    {1.2f, 1.2f, -0.5f, "start hall, before the sword"},
    {1.2f, -1.5f, -0.5f, "beside the sword"},
    {-2.0f, -1.5f, -0.5f, "start hall, west of the sword"},
    {-3.5f, 0.0f, -0.5f, "top of the west ramp"},
    {-12.5f, 0.0f, -2.3f, "west room"},
    {-3.5f, 0.0f, -0.5f, "top of the west ramp, going back"},
    {0.25f, -2.0f, -0.5f, "start hall, at the south corridor"},
    {0.25f, -4.5f, -0.5f, "south corridor"},
    {0.25f, -14.0f, -2.1f, "crowd room"},
    {0.25f, -4.5f, -0.5f, "south corridor, climbing back"},
    {0.25f, -14.0f, -2.1f, "crowd room again"},
    {0.0f, -20.0f, -2.1f, "crowd passage"},
    {0.0f, -23.5f, -2.1f, "junction"},
};

// East through the arena and the far hall, up the two ramps to the gallery, and back.
const std::vector<Waypoint> kGalleryAndBack = {
    {12.5f, -23.5f, -0.5f, "east arena, west end"},
    {17.5f, -17.0f, -0.5f, "east arena, between the pillars"},
    {23.5f, -15.5f, -0.5f, "east arena, by the east corridor"},
    {31.8f, -15.5f, -2.0f, "far hall, west end"},
    {49.6f, -15.8f, -2.0f, "far hall, east end"},
    {49.6f, -17.9f, -2.0f, "far hall, foot of the lower ramp"},
    {32.0f, -17.9f, 1.75f, "far hall, the turn"},
    {32.0f, -19.9f, 1.75f, "far hall, foot of the upper ramp"},
    {49.7f, -19.9f, 5.5f, "landing at the gallery door"},
    {49.8f, -22.6f, 5.5f, "gallery, inside the door"},
    {48.0f, -26.0f, 5.5f, "gallery"},
    {49.8f, -22.6f, 5.5f, "gallery, back at the door"},
    {49.7f, -19.9f, 5.5f, "landing, going back"},
    {32.0f, -19.9f, 1.75f, "the turn, going back"},
    {32.0f, -17.9f, 1.75f, "top of the lower ramp, going back"},
    {49.6f, -17.9f, -2.0f, "foot of the lower ramp, going back"},
    {49.6f, -15.8f, -2.0f, "far hall, east end, going back"},
    {31.8f, -15.5f, -2.0f, "far hall, west end, going back"},
    {23.5f, -15.5f, -0.5f, "east arena, going back"},
    {17.5f, -17.0f, -0.5f, "east arena, between the pillars, going back"},
    {12.5f, -23.5f, -0.5f, "east arena, west end, going back"},
    {3.0f, -23.5f, -2.1f, "junction, going back"},
};

// West through the wing to the chasm hall's bridge.
const std::vector<Waypoint> kToBridge = {
    {-5.25f, -23.5f, -2.1f, "wing passage"},
    {-11.0f, -25.0f, -2.1f, "west wing"},
    {-11.0f, -31.0f, -2.1f, "hall passage"},
    {-11.3f, -40.0f, -2.1f, "chasm hall, north end"},
};

// Over the bridge and into the goal room.
const std::vector<Waypoint> kToGoal = {
    {-11.3f, -56.0f, -2.1f, "chasm hall, past the bridge"},
    {-11.6f, -65.0f, -1.9f, "goal passage"},
};

const std::vector<Waypoint> kOntoTheBridge = {{-11.3f, -46.0f, -2.1f, "on the bridge"}};

std::vector<Waypoint> joined(std::initializer_list<const std::vector<Waypoint>*> parts) {
    std::vector<Waypoint> all;
    for (const std::vector<Waypoint>* part : parts) all.insert(all.end(), part->begin(), part->end());
    return all;
}

// The level's bounding box, physics frame: a body outside it (below the chasm's walls, the
// lowest) has left the world. Read once, before any test captures the output.
struct Bounds {
    glm::vec3 low{1e9f};
    glm::vec3 high{-1e9f};
};

const Bounds& levelBounds() {
    static const Bounds bounds = [] {
        Object3D level;
        testing::internal::CaptureStdout();
        readObjModel(level, "External\\Models\\Levels\\Level1n.obj");
        testing::internal::GetCapturedStdout();
        Bounds b;
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

std::string describe(glm::vec3 p) {
    std::ostringstream out;
    out.precision(3);
    out << "(" << p.x << ", " << p.y << ", " << p.z << ")";
    return out.str();
}

// Steers the player along the lines between waypoints, one frame at a time: it turns
// through the cursor towards a point a little ahead on the line and holds W, easing off
// before sharp bends; and it watches for a stall, an exit from the world or a death.
class Follower {
public:
    Follower(WalkingRun& run, double frameSeconds) : run(run), frameSeconds(frameSeconds) {
        const glm::vec3 body = run.bodyOrigin();
        from = glm::vec2(body.x, body.z);
    }

    // Walks to each waypoint in turn; an empty string when all were reached, else what
    // went wrong and where.
    std::string follow(const std::vector<Waypoint>& route) {
        for (std::size_t i = 0; i < route.size(); ++i) {
            const Waypoint* next = i + 1 < route.size() ? &route[i + 1] : nullptr;
            const std::string failure = walkTo(route[i], next, i);
            if (!failure.empty()) return failure;
        }
        return "";
    }

    // Walks on towards `target` until `arrived` says so; the same watch as `follow`.
    template <typename Arrived>
    std::string walkUntil(glm::vec2 target, const char* where, Arrived arrived) {
        const Waypoint waypoint{target.x, target.y, 0.0f, where};
        while (!arrived()) {
            const std::string failure = step(waypoint, nullptr, 0);
            if (!failure.empty()) return failure;
        }
        return "";
    }

private:
    std::string walkTo(const Waypoint& target, const Waypoint* next, std::size_t index) {
        for (;;) {
            const glm::vec3 body = run.bodyOrigin();
            if (glm::length(glm::vec2(target.x - body.x, target.z - body.z)) < 0.6f) {
                from = glm::vec2(target.x, target.z);
                const float floor = body.y - 0.5f;
                if (std::abs(floor - target.floor) > 0.3f) {
                    return "reached waypoint " + std::to_string(index) + " (" + target.where +
                           ") on a floor at " + std::to_string(floor) + " instead of " +
                           std::to_string(target.floor) + ", body at " + describe(body);
                }
                return "";
            }
            const std::string failure = step(target, next, index);
            if (!failure.empty()) return failure;
        }
    }

    // One frame towards `target`: face the way that brings the velocity closest to the
    // one wanted (along the line, slower before a sharp bend), hold W unless already fast
    // enough, advance, then the watch.
    std::string step(const Waypoint& target, const Waypoint* next, std::size_t index) {
        const glm::vec3 body = run.bodyOrigin();
        const glm::vec2 here(body.x, body.z);
        const glm::vec2 end(target.x, target.z);
        const glm::vec2 line = end - from;
        const float length = glm::length(line);
        glm::vec2 aim = end;
        if (length > 1e-3f) {
            const float along = glm::clamp(glm::dot(here - from, line) / length + 1.2f, 0.0f, length);
            aim = from + line * (along / length);
        }
        const float distance = glm::length(end - here);
        float wantedSpeed = 7.5f;
        if (next != nullptr && length > 1e-3f) {
            const glm::vec2 after = glm::vec2(next->x, next->z) - end;
            const float bend = glm::dot(line, after) / (length * glm::length(after));
            // Past about 45 degrees: slow to 1.5 at the waypoint, braking by friction alone.
            if (bend < 0.7f) {
                wantedSpeed =
                    std::min(wantedSpeed, 1.5f + std::sqrt(16.0f * std::max(distance - 0.6f, 0.0f)));
            }
        }
        const glm::vec2 toAim = aim - here;
        const glm::vec2 wanted =
            glm::length(toAim) > 1e-4f ? glm::normalize(toAim) * wantedSpeed : glm::vec2(0.0f);
        const glm::vec3 velocity = run.velocity();
        const glm::vec2 moving(velocity.x, velocity.z);
        const glm::vec2 error = wanted - moving;
        const bool nearlyThere = glm::length(error) < 0.8f;
        const glm::vec2 facing = nearlyThere ? toAim : error;
        // W pushes along (sin h, -cos h) in x and z.
        const double turn = std::remainder(std::atan2(facing.x, -facing.y) - run.player->horizontalAngle,
                                           glm::two_pi<double>());
        run.turnBy(turn);
        const bool push = !nearlyThere || glm::length(moving) < wantedSpeed;
        if (push) {
            run.input.press(keys::w);
        } else {
            run.input.release(keys::w);
        }
        run.frame(frameSeconds);
        return watch(index, target.where);
    }

    std::string watch(std::size_t index, const char* where) {
        const glm::vec3 body = run.bodyOrigin();
        const std::string place =
            " at " + describe(body) + " on the way to waypoint " + std::to_string(index) + " (" + where + ")";
        if (run.game.getHealth() <= 0.0f) return "died" + place;
        const Bounds& bounds = levelBounds();
        if (glm::any(glm::lessThan(body, bounds.low)) || glm::any(glm::greaterThan(body, bounds.high))) {
            return "left the world" + place;
        }
        if (run.simulatedSeconds > 600.0) return "still walking after 600 s" + place;
        // A stall: under 0.05 of movement in 0.5 s with W held all the while.
        if (!run.input.keyDown(keys::w)) {
            windowStart = -1.0;
        } else if (windowStart < 0.0) {
            windowStart = run.simulatedSeconds;
            windowFrom = body;
        } else if (run.simulatedSeconds - windowStart >= 0.5) {
            if (glm::length(body - windowFrom) < 0.05f) return "stuck" + place;
            windowStart = run.simulatedSeconds;
            windowFrom = body;
        }
        return "";
    }

    WalkingRun& run;
    double frameSeconds;
    // Where the line to the next waypoint starts: the last one reached.
    glm::vec2 from{0.0f};
    double windowStart = -1.0;
    glm::vec3 windowFrom{0.0f};
};

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
            Follower follower(run, 1.0 / fps);
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
                Follower follower(run, 1.0 / fps);
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
