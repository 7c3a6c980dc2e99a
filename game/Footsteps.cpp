#include "game/Footsteps.h"

#include <cmath>

namespace zarnhold {

FootSound footSound(FootstepState& state, glm::vec3 velocity, double seconds) {
    const float falling = -state.lastVerticalSpeed;
    state.lastVerticalSpeed = velocity.y;
    const bool onGround = std::abs(velocity.y) < 0.5f;
    if (!onGround) {
        state.walked = 0.0f;
        return FootSound::none;
    }
    if (falling > 3.0f) {
        state.walked = 0.0f;
        return falling > 9.0f ? FootSound::landHard : FootSound::land;
    }
    state.walked += glm::length(glm::vec2(velocity.x, velocity.z)) * static_cast<float>(seconds);
    if (state.walked < stepLength) return FootSound::none;
    state.walked -= stepLength;
    state.secondFoot = !state.secondFoot;
    return state.secondFoot ? FootSound::step2 : FootSound::step1;
}

}  // namespace zarnhold
