#include "game/SwordSweep.h"

namespace {

constexpr float pickUpPlaneZ = -1.5f;
constexpr float swungOutAngle = -80.0f;
constexpr double degreesPerMs = 1.5;

}  // namespace

bool passesSword(glm::vec3 eyeRenderPos) {
    return eyeRenderPos.z > pickUpPlaneZ;
}

SweepStep sweepStep(float angle, bool attackHeld, double elapsedMs) {
    SweepStep step;
    if (!attackHeld) return step;
    step.angle = angle;
    if (angle > swungOutAngle) {
        step.angle -= static_cast<float>(elapsedMs * degreesPerMs);
        step.striking = true;
    }
    return step;
}
