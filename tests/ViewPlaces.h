#pragma once

#include <cmath>

#include <btBulletDynamicsCommon.h>
#include <glm/glm.hpp>

#include "game/CameraState.h"

namespace zarnhold {

// Views along the route that the frame benchmark times and the GL tests draw.

// Where the player stands and what it looks at, both in the physics frame. The body's
// centre is half a unit above the floor, so the player stands there as after a walk.
struct Place {
    const char* name;
    glm::vec3 bodyOrigin;
    glm::vec3 target;
};

// Along the route from the start to the goal, then two places for the shadows' details.
inline const Place places[] = {
    {"start-hall", {0.0f, 0.0f, 6.5f}, {0.0f, 0.0f, -3.0f}},
    {"start-hall-west", {1.0f, 0.0f, 0.0f}, {-13.0f, -1.5f, 0.0f}},
    {"corridor", {0.0f, 0.0f, -4.0f}, {0.0f, -1.0f, -14.0f}},
    {"crowd-room", {0.0f, -1.6f, -13.5f}, {0.0f, -1.8f, -20.0f}},
    {"east-arena", {12.0f, 0.0f, -25.0f}, {20.0f, -0.3f, -25.0f}},
    {"far-hall", {36.0f, -1.5f, -12.0f}, {48.0f, -1.5f, -14.0f}},
    {"gallery", {46.0f, 6.0f, -24.0f}, {51.0f, 5.5f, -28.0f}},
    {"west-wing", {-6.8f, -1.6f, -23.5f}, {-11.0f, -1.6f, -26.0f}},
    {"chasm-hall", {-11.3f, -1.6f, -38.0f}, {-11.3f, 1.0f, -55.0f}},
    {"goal-room", {-11.5f, -1.2f, -68.5f}, {-11.55f, -1.0f, -75.2f}},
    {"arena-pillar-shadow", {17.0f, 0.0f, -27.0f}, {20.0f, -0.5f, -17.0f}},
    {"goal-room-pillars", {-11.5f, -1.3f, -66.0f}, {-11.5f, -1.7f, -72.0f}},
};

inline glm::vec3 toRenderFrame(const glm::vec3& physics) {
    return {physics.x, -physics.y, -physics.z};
}

// Puts the player's body at the place at rest and turns the player to look at the target;
// the game's view then shows what the player sees there. The cursor must be at the window's
// centre, so that the player's updates leave the angles as they are set here.
inline void standAt(CameraState& player, const Place& place) {
    btTransform transform;
    transform.setIdentity();
    transform.setOrigin(btVector3(place.bodyOrigin.x, place.bodyOrigin.y, place.bodyOrigin.z));
    player.body->setWorldTransform(transform);
    player.body->getMotionState()->setWorldTransform(transform);
    player.body->setLinearVelocity(btVector3(0.0f, 0.0f, 0.0f));
    player.body->setAngularVelocity(btVector3(0.0f, 0.0f, 0.0f));
    // The first update puts the eye on the body.
    player.update(0.0);
    const glm::vec3 look = glm::normalize(toRenderFrame(place.target) - player.getPosition());
    player.horizontalAngle = std::atan2(look.x, look.z);
    player.verticalAngle = std::asin(look.y);
    // The second turns the player's vectors to the angles; the view follows them one
    // update later.
    player.update(0.0);
    player.update(0.0);
}

}  // namespace zarnhold
