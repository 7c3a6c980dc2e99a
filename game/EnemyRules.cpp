#include "game/EnemyRules.h"

#include <algorithm>
#include <cmath>

#include "scene/Rotation.h"

namespace zarnhold {

bool enemyAwakeAt(float distance) {
    return !(distance > 25.0f);
}

bool enemyMayLeap(float distance, float lungeTimerMs, glm::vec3 velocity) {
    return distance < 8.0f && lungeTimerMs > 2500.0f && velocity.x < 0.1f && velocity.y < 0.1f &&
           velocity.z < 0.1f;
}

bool enemyContactHits(glm::vec3 toPlayer, float distance, glm::vec2 lungeDirection) {
    if (!(distance < 1.0f)) {
        return false;
    }
    const glm::vec2 towardsPlayer = glm::normalize(glm::vec2(toPlayer.x, -toPlayer.z));
    // Not normalised: before the first leap the direction is (0.1, 0.1), which faces
    // nothing within the cone.
    const glm::vec2 facing(lungeDirection.x, -lungeDirection.y);
    const float cosine = glm::clamp(glm::dot(towardsPlayer, facing), -1.0f, 1.0f);
    const float degrees = std::fabs(std::acos(cosine)) * degreesPerRadian;
    return degrees <= 30.0f;
}

float contactDamage(double elapsedMs, bool shieldRaised) {
    return static_cast<float>(shieldRaised ? elapsedMs / 5.0 : elapsedMs * 4.0);
}

float contactPush(bool shieldRaised) {
    return shieldRaised ? 3.0f : 10.0f;
}

glm::vec3 pushImpulse(glm::vec3 velocity, glm::vec3 push) {
    const float strength = glm::length(push);
    if (strength == 0.0f) return glm::vec3(0.0f);
    const glm::vec3 along = push / strength;
    return along * std::max(0.0f, strength - glm::dot(velocity, along));
}

float recoilImpulse(double elapsedMs) {
    return static_cast<float>(elapsedMs * 60.0 / 1000.0);
}

bool swordReaches(bool swordStriking, float distance) {
    return swordStriking && distance <= 1.5f;
}

float swordDamage(double elapsedMs) {
    return static_cast<float>(2.0 * elapsedMs);
}

bool deathHeals(float playerHealth) {
    return playerHealth < 900.0f;
}

ArmsSwing swingStep(ArmsSwing swing, double elapsedMs, bool frozen) {
    swing.angle += swing.direction * 0.01f * static_cast<float>(elapsedMs);
    if (frozen) {
        swing.angle = 6.1f;
    }
    if (swing.angle > 6.14f) {
        swing.angle = 6.1f;
        swing.direction = -1.0f;
    }
    if (swing.angle < 3.14f) {
        swing.angle = 3.1f;
        swing.direction = 1.0f;
    }
    return swing;
}

}  // namespace zarnhold
