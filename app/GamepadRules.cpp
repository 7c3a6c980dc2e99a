#include "app/GamepadRules.h"

#include <algorithm>
#include <cmath>

namespace zarnhold {

namespace {

// The same limit the mouse keeps the view within.
constexpr double quarterTurn = 1.57;

}  // namespace

float triggerPull(float axis) {
    return axis == 0.0f ? 0.0f : (axis + 1.0f) * 0.5f;
}

glm::vec2 shapeStick(glm::vec2 stick) {
    const float length = glm::length(stick);
    if (length <= stickDeadZone) return glm::vec2(0.0f);
    const float travel = (std::min(length, 1.0f) - stickDeadZone) / (1.0f - stickDeadZone);
    return stick / length * std::pow(travel, stickCurvePower);
}

void turnByStick(double& h, double& v, glm::vec2 rightStick, double seconds) {
    const glm::vec2 shaped = shapeStick(rightStick);
    h += shaped.x * stickTurnRateAcross * seconds;
    v = std::clamp(v + shaped.y * stickTurnRateUpDown * seconds, -quarterTurn, quarterTurn);
}

void addPadHolds(TickInput& tick, const GamepadState& pad) {
    tick.forward = tick.forward || pad.leftStick.y < -stickWalkThreshold;
    tick.backward = tick.backward || pad.leftStick.y > stickWalkThreshold;
    tick.left = tick.left || pad.leftStick.x < -stickWalkThreshold;
    tick.right = tick.right || pad.leftStick.x > stickWalkThreshold;
    tick.jump = tick.jump || pad.a;
    tick.attack = tick.attack || pad.rightTrigger > triggerThreshold;
    tick.block = tick.block || pad.leftTrigger > triggerThreshold;
}

void addPadKeys(FrameKeys& keys, const GamepadState& pad) {
    keys.space = keys.space || pad.a;
    keys.enter = keys.enter || pad.a;
}

}  // namespace zarnhold
