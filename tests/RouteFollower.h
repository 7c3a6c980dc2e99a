#pragma once

#include <cmath>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include <glm/glm.hpp>
#include <glm/gtc/constants.hpp>

#include "run/PlayerInput.h"
#include "tests/RouteWaypoints.h"

namespace zarnhold {

// A box the body must stay inside (physics frame): leaving it is leaving the world.
struct Bounds {
    glm::vec3 low{-1e9f};
    glm::vec3 high{1e9f};
};

inline std::string describe(glm::vec3 p) {
    std::ostringstream out;
    out.precision(3);
    out << "(" << p.x << ", " << p.y << ", " << p.z << ")";
    return out.str();
}

// Steers the player along the lines between waypoints, one frame at a time: it turns
// through the cursor towards a point a little ahead on the line and holds W, easing off
// before sharp bends; and it watches for a stall, an exit from the world or a death.
template <typename Run>
class Follower {
public:
    Follower(Run& run, double frameSeconds, Bounds bounds = {})
        : run(run), frameSeconds(frameSeconds), bounds(bounds) {
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
        if (beforeFrame) beforeFrame();
        run.frame(frameSeconds);
        return watch(index, target.where);
    }

    std::string watch(std::size_t index, const char* where) {
        const glm::vec3 body = run.bodyOrigin();
        const std::string place =
            " at " + describe(body) + " on the way to waypoint " + std::to_string(index) + " (" + where + ")";
        if (run.game.getHealth() <= 0.0f) return "died" + place;
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

    Run& run;
    double frameSeconds;
    Bounds bounds;

public:
    // Called before each frame the follower plays (a fight's buttons, for one).
    std::function<void()> beforeFrame;

private:
    // Where the line to the next waypoint starts: the last one reached.
    glm::vec2 from{0.0f};
    double windowStart = -1.0;
    glm::vec3 windowFrom{0.0f};
};

}  // namespace zarnhold
