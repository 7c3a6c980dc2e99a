#pragma once

#include <glm/glm.hpp>

namespace zarnhold {

// The enemies' rules as plain values. Distances and directions in the render frame,
// velocities in the physics frame, times in milliseconds.

// Awake within 25 units of the player, 25 itself included.
bool enemyAwakeAt(float distance);

// A leap needs the player closer than 8, more than 2500 ms since the last leap (or since
// waking), and a body at rest by a signed test: each velocity component below 0.1, so a
// body falling fast passes.
bool enemyMayLeap(float distance, float lungeTimerMs, glm::vec3 velocity);

// Contact hurts when the player is closer than 1 and within 30 degrees of the way the
// enemy last leapt (`lungeDirection`, render x and z). `toPlayer` is player minus enemy.
bool enemyContactHits(glm::vec3 toPlayer, float distance, glm::vec2 lungeDirection);

// Health the player loses in `elapsedMs` of contact: 4 a millisecond, 0.2 with the shield.
float contactDamage(double elapsedMs, bool shieldRaised);
// How hard a contact pushes the player away: 10, or 3 with the shield.
float contactPush(bool shieldRaised);
// The impulse that gives a body moving at `velocity` the push `push`: it brings the speed
// along the push up to the push's length and never beyond, so a contact held for many
// frames (many at a high frame rate) pushes no harder than one. Physics frame.
glm::vec3 pushImpulse(glm::vec3 velocity, glm::vec3 push);

// The impulse an enemy takes, away from the player, for `elapsedMs` of being struck by the
// sword or of touching the player: one unit per sixtieth of a second (what a frame gave at
// 60 frames a second), so a sweep knocks back as far at any frame rate.
float recoilImpulse(double elapsedMs);

// The sword hurts an enemy while it strikes and the player is within 1.5 of the enemy,
// whichever way the player faces.
bool swordReaches(bool swordStriking, float distance);
// Health an enemy loses in `elapsedMs` of being struck.
float swordDamage(double elapsedMs);

// A dying enemy heals the player only while the player's health is below 900.
bool deathHeals(float playerHealth);

// The arms swing about the shoulder, radians, between 3.1 and 6.14.
struct ArmsSwing {
    float angle = 3.2f;
    float direction = 1.0f;
};
// One frame: 0.01 radians a millisecond in the current direction, turning at either end;
// frozen (a dead enemy) they stay at 6.1.
ArmsSwing swingStep(ArmsSwing swing, double elapsedMs, bool frozen);

}  // namespace zarnhold
