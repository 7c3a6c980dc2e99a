#include "run/RunContext.h"

#include "run/GameState.h"
#include "run/PhysicsWorld.h"

namespace zarnhold {

RunContext::RunContext() = default;

RunContext::~RunContext() = default;

void RunContext::reduceHealth(float amount, Harm cause) {
    const bool wasAlive = health > 0.0f;
    health = health - amount;
    if (wasAlive && health <= 0.0f) endCause = cause;
}

float RunContext::getHealth() const {
    return health;
}

void RunContext::setWon() {
    runWon = true;
    GameState = WON;
}

void RunContext::playSound(Sound sound, glm::vec3 renderPos) {
    if (soundEvents != nullptr) soundEvents->play(sound, renderPos);
}

void RunContext::playSoundHere(Sound sound) {
    if (soundEvents != nullptr) soundEvents->playHere(sound);
}

}  // namespace zarnhold
