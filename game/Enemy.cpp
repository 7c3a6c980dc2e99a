#include "game/Enemy.h"

#include <algorithm>
#include <cmath>

#include <btBulletDynamicsCommon.h>
#include <glm/gtc/matrix_transform.hpp>

#include "game/Arms.h"
#include "game/CameraState.h"
#include "game/EnemyRules.h"
#include "game/HarmMarks.h"
#include "render/Level.h"
#include "render/LitDraw.h"
#include "run/PhysicsWorld.h"
#include "run/RunContext.h"
#include "scene/Rotation.h"
#include "scene/RunRandom.h"

namespace zarnhold {

namespace {

const btVector3 bodyHalfExtents(0.2f, 0.4f, 0.2f);
constexpr float bodyFriction = 5.0f;
// A strike shows at once, brief enough that each sweep's flash stands alone.
constexpr double hitFlashLength = 150.0;
// How far the drawn body jolts away from the sword at a strike's start.
constexpr float joltLength = 0.12f;

glm::vec3 toGlm(const btVector3& v) {
    return glm::vec3(v.x(), v.y(), v.z());
}

}  // namespace

glm::mat4 enemyModelMatrix(glm::vec3 bodyOrigin, float below) {
    const glm::mat4 identity(1.0f);
    return rotateX(3.14f) *
           glm::translate(identity, glm::vec3(bodyOrigin.x, bodyOrigin.y - below, bodyOrigin.z)) *
           glm::scale(identity, glm::vec3(0.4f));
}

Enemy::Enemy(CameraState* player, float x, float y, float z)
    : game(player->game), player(player), spawnPosition(x, y, z) {
    modelMatrix = rotateZ(3.14f) * glm::mat4(1.0f);
    arms = std::make_unique<Arms>(player);
    lungeTimer = game->random.unit() * 1000.0f;
}

Enemy::~Enemy() = default;

void Enemy::init() {
    startSimulating();
}

void Enemy::startSimulating() {
    physics = game->physics.get();
    body =
        createBoxBody(*physics, bodyHalfExtents, btVector3(spawnPosition.x, spawnPosition.y, spawnPosition.z),
                      bodyFriction, enemyBody);
    bodyShape = static_cast<btBoxShape*>(body->getCollisionShape());
    btTransform transform;
    body->getMotionState()->getWorldTransform(transform);
    previousOrigin = lastOrigin = toGlm(transform.getOrigin());
    modelMatrix = enemyModelMatrix(lastOrigin, 0.4f);
    arms->animate(0.0, modelMatrix, dead);
}

glm::vec3 Enemy::renderCentre() const {
    btTransform transform;
    body->getMotionState()->getWorldTransform(transform);
    const btVector3& o = transform.getOrigin();
    return glm::vec3(o.x(), -o.y(), -o.z());
}

void Enemy::update(double elapsedMs) {
    hitFlashMs = std::max(0.0, hitFlashMs - elapsedMs);
    btTransform transform;
    body->getMotionState()->getWorldTransform(transform);
    const glm::vec3 origin = toGlm(transform.getOrigin());
    const glm::vec3 centre(origin.x, -origin.y, -origin.z);
    const glm::vec3 toPlayer = player->getPosition() - centre;
    const float distance = glm::length(toPlayer);
    if (!enemyAwakeAt(distance)) {
        if (active) {
            fallAsleep();
        }
        return;
    }
    if (!active && !dead) {
        wake();
    }
    active = true;
    setCastsShadow(true);
    if (enemyHealth < 0.0f) {
        die();
    } else if (dead) {
        // On its side, a little below where the body last was.
        modelMatrix = enemyModelMatrix(origin, 0.1f) * rotateZ(1.5f);
    } else {
        fight(elapsedMs, origin, toPlayer, distance);
    }
    arms->animate(elapsedMs, modelMatrix, dead);
    previousOrigin = lastOrigin;
    lastOrigin = origin;
}

void Enemy::pose(double tickFraction) {
    if (!active || dead) return;
    glm::vec3 between = glm::mix(previousOrigin, lastOrigin, static_cast<float>(tickFraction));
    // The jolt: out and back over the flash.
    between += joltAway * (joltLength * static_cast<float>(std::sin(3.14159 * hitFlashMs / hitFlashLength)));
    modelMatrix = enemyModelMatrix(between, 0.4f) * rotateY(std::atan2(lungeDirection.x, -lungeDirection.y));
    arms->place(modelMatrix);
}

void Enemy::fallAsleep() {
    active = false;
    setCastsShadow(false);
    physics->removeBody(body);
    arms->randomizeSwing();
}

void Enemy::wake() {
    physics->addBody(body);
    // Drawn where it wakes, not slid from where it fell asleep.
    btTransform transform;
    body->getMotionState()->getWorldTransform(transform);
    previousOrigin = lastOrigin = toGlm(transform.getOrigin());
    game->playSound(Sound::growl, renderCentre());
    lungeTimer = game->random.unit() * 1000.0f;
    arms->randomizeSwing();
}

void Enemy::die() {
    dead = true;
    game->playSound(Sound::deathCry, renderCentre());
    physics->removeBody(body);
    if (deathHeals(game->getHealth())) {
        game->reduceHealth(-50.0f);
    }
    enemyHealth = 0.0f;
}

void Enemy::fight(double elapsedMs, glm::vec3 bodyOrigin, glm::vec3 toPlayer, float distance) {
    const bool struck = swordReaches(sword != nullptr && sword->striking, distance);
    // One hit a sweep: the sword strikes for several frames in a row.
    if (struck && !struckLastFrame) showStrike(toPlayer);
    struckLastFrame = struck;
    if (struck) {
        enemyHealth -= swordDamage(elapsedMs);
        const glm::vec3 n = glm::normalize(toPlayer) * recoilImpulse(elapsedMs);
        // Away from the player. Impulses are physics frame: render z is physics -z.
        body->applyCentralImpulse(btVector3(-n.x, 0.0f, n.z));
    }
    lungeTimer += static_cast<float>(elapsedMs);
    modelMatrix = enemyModelMatrix(bodyOrigin, 0.4f);
    if (enemyMayLeap(distance, lungeTimer, toGlm(body->getLinearVelocity()))) {
        const glm::vec3 n = glm::normalize(toPlayer);
        arms->randomizeSwing();
        lungeDirection = glm::vec2(n.x, n.z);
        body->applyCentralImpulse(btVector3(2.0f * n.x, 4.0f, -2.0f * n.z));
        game->playSound(Sound::grunt, renderCentre());
        lungeTimer = 0.0f;
    }
    const bool touching = enemyContactHits(toPlayer, distance, lungeDirection);
    if (touching) {
        touchPlayer(elapsedMs, toPlayer);
    } else {
        contactSoundMs = 0.0;
    }
    touchingLastTick = touching;
    modelMatrix = modelMatrix * rotateY(std::atan2(lungeDirection.x, -lungeDirection.y));
}

void Enemy::showStrike(glm::vec3 toPlayer) {
    game->playSound(Sound::swordHit, renderCentre());
    hitFlashMs = hitFlashLength;
    // Away from the player, level, in the physics frame of the body's origin (render z is
    // physics -z): the way the sword's knock-back goes.
    const glm::vec3 away(-toPlayer.x, 0.0f, toPlayer.z);
    joltAway = glm::length(away) > 0.0f ? away / glm::length(away) : glm::vec3(0.0f);
}

// Hurts and pushes the player away, and is pushed back; the player's marks learn the side.
void Enemy::touchPlayer(double elapsedMs, glm::vec3 toPlayer) {
    const glm::vec3 n = glm::normalize(toPlayer);
    const bool shielded = player->shieldRaised;
    game->reduceHealth(contactDamage(elapsedMs, shielded), Harm::creature);
    player->harmMarks.harmFrom(HarmMarks::bearing(player->getPosition(), renderCentre()), !touchingLastTick);
    soundContact(elapsedMs, shielded);
    const float push = contactPush(shielded);
    player->takePush(id, glm::vec3(push * n.x, 0.0f, -push * n.z));
    const glm::vec3 recoil = n * recoilImpulse(elapsedMs);
    body->applyCentralImpulse(btVector3(-recoil.x, 0.0f, recoil.z));
}

// A touch lasts many ticks: a blow is heard when it begins and every 400 ms it goes on.
void Enemy::soundContact(double elapsedMs, bool shielded) {
    contactSoundMs -= elapsedMs;
    if (contactSoundMs > 0.0) return;
    contactSoundMs = 400.0;
    game->playSound(shielded ? Sound::shieldThud : Sound::playerHit, player->getPosition());
}

void Enemy::render(glm::mat4 view, glm::mat4 projection, std::vector<Light*> lights) {
    if (!active || outOfSight()) {
        return;
    }
    const glm::vec4 shade = tint();
    drawLit(*game, *this, view, projection, lights, nullptr, shade);
    arms->tint = shade;
    arms->render(view, projection, lights);
}

glm::vec4 Enemy::tint() const {
    // Dimmed, not black: the body still reads as a creature lying there.
    if (dead) return glm::vec4(0.0f, 0.0f, 0.0f, 0.6f);
    if (hitFlashMs <= 0.0) return glm::vec4(0.0f);
    // Brightened, warm, fading as the flash runs out.
    return glm::vec4(0.5f, 0.35f, 0.25f, 0.0f) * static_cast<float>(hitFlashMs / hitFlashLength);
}

// In a room the eye cannot see into, body and arms alike: a software renderer would still
// shade every pixel they cover behind the walls.
bool Enemy::outOfSight() const {
    const Level* level = player->level;
    if (!game->skipUnseenMeshes || level == nullptr) {
        return false;
    }
    glm::vec3 centre(0.0f);
    float radius = 0.0f;
    for (const Object3D* mesh :
         {static_cast<const Object3D*>(this), static_cast<const Object3D*>(arms.get())}) {
        if (mesh->worldBounds(centre, radius) && !level->hidesSphere(centre, radius)) {
            return false;
        }
    }
    return true;
}

void Enemy::setCastsShadow(bool casts) {
    castsShadow = casts;
    arms->castsShadow = casts;
}

}  // namespace zarnhold
