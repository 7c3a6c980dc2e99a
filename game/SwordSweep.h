#pragma once

#include <glm/glm.hpp>

namespace zarnhold {

// The sword's rules as plain values. Angles in degrees, times in milliseconds, positions
// in the render frame.

// Whether a player whose eye is at `eyeRenderPos` has walked past the lying sword: only
// the level's pick-up plane counts (render z = -1.5), crossed anywhere.
bool passesSword(glm::vec3 eyeRenderPos);

// Whether the held sword strikes this tick: written by the sword alone, read by the
// creatures it may reach.
struct SwordStrike {
    bool striking = false;
};

// One frame of the sideways sweep of the held sword.
struct SweepStep {
    float angle = 0.0f;
    bool striking = false;
};

// While the left button is held the angle falls by 1.5 degrees a millisecond as long as it
// is still above -80, and the sword strikes in each frame it moves; past -80 it stays swung
// out without striking. Released, it is back at 0 at once.
SweepStep sweepStep(float angle, bool attackHeld, double elapsedMs);

}  // namespace zarnhold
