#pragma once

#include <glm/glm.hpp>

namespace zarnhold {

// The player's movement rules as plain values. Angles in radians: h turns about the
// vertical axis and is never wrapped, v looks up or down and stays within +-1.57.

// The movement keys held in one frame.
struct MoveKeys {
    bool forward = false;   // W
    bool backward = false;  // S
    bool left = false;      // A, along `right`
    bool right = false;     // D
    bool jump = false;      // Space
};

// The impulse (physics frame, mass 1, so also the change of velocity) that `elapsedMs` of
// walking gives a body moving at `velocity`. W, S, A and D are tested in that order, each
// pushing by one unit per sixtieth of a second (the push a frame gave at 60 frames a
// second, now a rate, so every frame rate walks alike) only while the speed (all three
// components) is still under 7 as the pushes before it left it. W and S push along the
// view with its vertical part dropped, so looking up or down weakens them by cos v. Space
// jumps by 7 only while the vertical speed is under 0.01: a jump is one push, whatever the
// time.
glm::vec3 walkImpulse(glm::vec3 velocity, double h, double v, MoveKeys keys, double elapsedMs);

// Walking pushes by one unit each this many milliseconds a key is held.
constexpr double walkPushPeriodMs = 1000.0 / 60.0;

// How far free flight moves the eye (render frame) in `elapsedMs`: 6 units per second
// along `direction` on W, else backwards on S; 3 per second sideways on A, else on D,
// along direction x up. Space does nothing.
glm::vec3 flightStep(glm::vec3 direction, glm::vec3 up, double elapsedMs, MoveKeys keys);

// Turns the angles by the cursor's motion, given as its negation (where it was minus where
// it is) in pixels, `radiansPerPixel` for each; a cursor moved right turns right, moved down
// looks down (up, with `invertMouseY`).
void turnByCursor(double& h, double& v, glm::vec2 centreMinusCursor, bool invertMouseY,
                  double radiansPerPixel);

// The camera's vectors for angles h and v, render frame.
struct ViewVectors {
    glm::vec3 direction;
    glm::vec3 right;  // horizontal, towards the screen's left
    glm::vec3 up;     // direction x right: along render -y for |v| < pi/2
};
ViewVectors viewVectors(double h, double v);

// A fall (or rise) faster than this, in units per second, ends the run.
constexpr float deadlyVerticalSpeed = 17.0f;

}  // namespace zarnhold
