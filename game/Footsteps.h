#pragma once

#include <glm/glm.hpp>

namespace zarnhold {

// When the player's feet make a sound, as plain values.

struct FootstepState {
    float walked = 0.0f;  // on the ground since the last step
    bool secondFoot = false;
    float lastVerticalSpeed = 0.0f;
};

enum class FootSound { none, step1, step2, land, landHard };

// Units walked on the ground between two steps.
constexpr float stepLength = 1.6f;

// One frame of a body moving at `velocity` (physics frame, units a second) for `seconds`:
// a step each `stepLength` walked on the ground (vertical speed under 0.5), the feet
// taking turns; a landing when a fall faster than 3 comes to rest on the ground, a hard one
// from faster than 9. A landing takes the frame's sound over a step.
FootSound footSound(FootstepState& state, glm::vec3 velocity, double seconds);

}  // namespace zarnhold
