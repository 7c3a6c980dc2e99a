#pragma once

#include <glm/glm.hpp>

#include "app/StateRule.h"
#include "app/TickInput.h"
#include "run/PlayerInput.h"

namespace zarnhold {

// How a gamepad plays, as plain values: the left stick walks as W, S, A and D, the right
// stick turns the view, A is Space (and Enter on the pictures), the right trigger the left
// mouse button, the left trigger the right one, Back is F1 and Start pauses.

// A stick's radius that reads as centred: worn sticks rest a little off the middle.
constexpr float stickDeadZone = 0.15f;
// The shaped stick's length is the travel past the dead zone, as a share of what is left,
// to this power: small pushes turn slowly enough to aim, a full push turns at the full rate.
constexpr float stickCurvePower = 2.0f;
// Radians a second that the right stick pushed all the way turns the view by, across and
// up or down.
constexpr double stickTurnRateAcross = 3.5;
constexpr double stickTurnRateUpDown = 2.0;
// How far along an axis the left stick must go to hold that direction's key: at full push
// a stick within about 24 degrees of an axis walks straight, between them diagonally.
constexpr float stickWalkThreshold = 0.4f;
// How far a trigger must be pulled to hold its button.
constexpr float triggerThreshold = 0.3f;

// A trigger's pull, 0 (let go) to 1, from its axis as a pad's mapping reads it: -1 let go,
// 1 pulled all the way. A pad whose mapping has no triggers (many small pads) reads exactly
// 0, half-way, where a real trigger's steps do not fall: that is taken as let go, or such a
// pad would hold the sword and the shield for good.
float triggerPull(float axis);

// The stick with its radial dead zone and response curve: the same direction, its length
// 0 inside the dead zone and rising to 1 at full push (a stick past the unit circle, as a
// square pad's corners read, counts as full push).
glm::vec2 shapeStick(glm::vec2 stick);

// Turns the view's angles by the right stick held for `seconds`: the shaped stick times
// the turning rates, the vertical angle kept within +-1.57. A stick pushed right turns
// right and pushed down looks down, as the mouse moved that way does.
void turnByStick(double& h, double& v, glm::vec2 rightStick, double seconds);

// Adds what the pad holds to a tick's keys and buttons (a key already held stays held):
// the left stick's directions, A as the jump, the triggers as attack and block.
void addPadHolds(TickInput& tick, const GamepadState& pad);

// Adds A to the keys that start a run from the pictures: Space and Enter alike.
void addPadKeys(FrameKeys& keys, const GamepadState& pad);

}  // namespace zarnhold
