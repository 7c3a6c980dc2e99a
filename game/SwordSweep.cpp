#include "game/SwordSweep.h"

#include "run/LevelPlaces.h"

namespace zarnhold {

namespace {

constexpr float swungOutAngle = -80.0f;
constexpr double degreesPerMs = 1.5;

}  // namespace

bool passesSword(glm::vec3 eyeRenderPos) {
    // Physics z = 1.5 is render z = -1.5; crossing it towards physics -z raises render z.
    return eyeRenderPos.z > -levelPlaces().swordPickUpPhysicsZ;
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

}  // namespace zarnhold
