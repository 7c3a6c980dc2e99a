#pragma once

#include <memory>
#include <vector>

#include <glm/glm.hpp>

#include "game/SwordSweep.h"
#include "run/AppState.h"
#include "scene/Object3D.h"

class btBoxShape;
class btRigidBody;

namespace zarnhold {

class Arms;
class CameraState;
class RunContext;
class PhysicsWorld;
struct Light;

// A creature of the dungeon: a box body (physics frame) with a body mesh and swinging
// arms. It sleeps, out of the physics world and unseen, while the player is more than 25
// away; awake it waits, leaps at the player from within 8, hurts the player on contact in
// front of it, and loses health while the player's sword strikes within 1.5. Out of health
// it falls on its side, leaves the physics world and heals the player a little. Its mesh
// and the arms' are the run's template enemy's, shared through copyMeshFrom.
class Enemy : public AppState, public Object3D {
public:
    // `x`, `y`, `z`: where the body starts, physics frame. Touches neither GL nor physics.
    Enemy(CameraState* player, float x, float y, float z);
    ~Enemy() override;

    // startSimulating: the mesh and its program come from copyMeshFrom. Makes no GL call.
    void init() override;
    // The body in the game's current physics world at the spawn point, the model matrix on
    // it and the arms placed. Makes no GL call.
    void startSimulating();
    void update(double elapsedMs) override;
    // Awake and alive: drawn between where the last two ticks left the body.
    void pose(double tickFraction) override;
    // The body and the arms, lit, while awake (lying, when dead).
    void render(glm::mat4 view, glm::mat4 projection, std::vector<Light*> lights) override;

    // The body's centre, render frame.
    glm::vec3 renderCentre() const;
    // What its draw does to its lit colour (see drawLit): brightened for a flash after a
    // sword strike begins, dimmed when dead, else nothing.
    glm::vec4 tint() const;

    RunContext* game = nullptr;
    std::unique_ptr<Arms> arms;
    // Owned, with the body, by the run's physics.
    btBoxShape* bodyShape = nullptr;
    btRigidBody* body = nullptr;
    CameraState* player = nullptr;
    // The run's sword's strike, which it reads (none: never struck), and its place among the
    // run's creatures, by which the player takes their pushes in one order.
    const SwordStrike* sword = nullptr;
    int id = 0;
    bool dead = false;
    float enemyHealth = 1000.0f;
    bool active = true;
    // Render x and z of the way to the player at the last leap; also the way it faces.
    glm::vec2 lungeDirection{0.1f, 0.1f};
    float lungeTimer = 0.0f;
    glm::vec3 spawnPosition{0.0f};
    // The physics the body was added to.
    PhysicsWorld* physics = nullptr;
    // The body's origin (physics frame) as the last two ticks read it.
    glm::vec3 previousOrigin{0.0f};
    glm::vec3 lastOrigin{0.0f};

private:
    void fallAsleep();
    void wake();
    void die();
    // One frame of an awake, living enemy; `toPlayer` is player minus body centre.
    void fight(double elapsedMs, glm::vec3 bodyOrigin, glm::vec3 toPlayer, float distance);
    void setCastsShadow(bool casts);
    void soundContact(double elapsedMs, bool shielded);
    bool struckLastFrame = false;
    // Whether it touched the player, hurting, in the last tick: a touch that begins is new.
    bool touchingLastTick = false;
    // Until the next contact sound may be heard; a new touch is heard at once.
    double contactSoundMs = 0.0;
    // Left of the flash that shows a strike, and the way (physics frame, level) it jolts.
    double hitFlashMs = 0.0;
    glm::vec3 joltAway{0.0f};
    void showStrike(glm::vec3 toPlayer);
    void touchPlayer(double elapsedMs, glm::vec3 toPlayer);
    bool outOfSight() const;
};

// The model matrix of an enemy whose body origin is `bodyOrigin` (physics frame): the mesh
// stands with its origin `below` under the body's centre, at 0.4 of its size.
glm::mat4 enemyModelMatrix(glm::vec3 bodyOrigin, float below);

}  // namespace zarnhold
