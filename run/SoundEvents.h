#pragma once

#include <glm/glm.hpp>

namespace zarnhold {

// Every sound the game makes, one file each under External\Models\Sounds\.
enum class Sound {
    ambient,
    crystalHum,
    goalChime,
    step1,
    step2,
    jump,
    land,
    landHard,
    swish,
    swordHit,
    pickUp,
    growl,
    grunt,
    playerHit,
    shieldThud,
    deathCry,
    gameOver,
    won,
    count
};

// What the run's objects tell the sound. Positions are in the render frame; the sound
// places them around the eye. With no sound (no device, --mute) the calls do nothing.
class SoundEvents {
public:
    virtual ~SoundEvents() = default;
    // A one-shot where it happens.
    virtual void play(Sound sound, glm::vec3 renderPos) = 0;
    // A one-shot of the player's own (steps, jumps, the sword in hand): at the eye.
    virtual void playHere(Sound sound) = 0;
};

}  // namespace zarnhold
