#pragma once

#include <memory>
#include <vector>

#include <glm/glm.hpp>

#include "app/Game.h"
#include "game/CameraState.h"
#include "tests/ScriptedInput.h"

namespace zarnhold {

// The player on a level's collision body in a fresh physics world, driven by a script,
// with no window: what a playing frame does to the player, and nothing else.
class WalkingRun {
public:
    // On a wide flat floor whose top is at physics y = -0.5, where the start hall's is.
    WalkingRun();
    // On a level of these triangles (nine floats each, physics frame).
    explicit WalkingRun(const std::vector<float>& levelCorners);

    // One frame of `seconds` as the main loop plays it: the mouse looks, then the world's
    // ticks that the frame's advance (at most 0.03 s) covers, with the time short of a tick
    // carried to the next frame.
    void frame(double seconds);
    // Frames of `seconds` until `simulatedSeconds` of physics time have passed.
    void frames(double seconds, double simulatedSeconds);

    // The body's centre and velocity, physics frame.
    glm::vec3 bodyOrigin() const;
    glm::vec3 velocity() const;
    // Turns the view by `radians` (positive: to the right) through the cursor, in the
    // next frame.
    void turnBy(double radians);

    // The generated level's collision triangles, nine floats each, read from the working
    // directory (the game folder); none without it.
    static std::vector<float> realLevelCorners();
    static std::vector<float> flatFloor();

    Game game;
    ScriptedInput input;
    std::unique_ptr<CameraState> player;
    // Game time advanced so far, in whole ticks: at most 0.03 s per frame.
    double simulatedSeconds = 0.0;
};

}  // namespace zarnhold
