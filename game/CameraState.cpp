#include "game/CameraState.h"

#include <algorithm>
#include <cassert>
#include <cmath>

#include <btBulletDynamicsCommon.h>
#include <glm/gtc/matrix_transform.hpp>

#include "game/EnemyRules.h"
#include "game/Footsteps.h"
#include "game/Shield.h"
#include "render/Light.h"
#include "render/RenderWorld.h"
#include "run/LevelPlaces.h"
#include "run/PhysicsWorld.h"
#include "run/PlayerInput.h"
#include "run/RunContext.h"
#include "scene/Rotation.h"

namespace zarnhold {

namespace {

// The eye sits this far above the body's centre.
constexpr float eyeAboveBody = 0.2f;
const glm::vec3 shieldLowered(-0.1f, 0.08f, 0.2f);
const glm::vec3 shieldRaisedOffset(-0.05f, 0.04f, 0.2f);

// The held shield and sword turn as if a half turn were 3.14, as the game writes it.
glm::mat4 turn(double radians, glm::vec3 axis) {
    const double halfTurnAsWritten = 3.14;
    return glm::rotate(glm::mat4(1.0f),
                       static_cast<float>(radians * (180.0 / halfTurnAsWritten / degreesPerRadian)), axis);
}

}  // namespace

CameraState::CameraState(RunContext* game, Level* level)
    : level(level), game(game), shield(std::make_unique<Shield>()) {}

CameraState::~CameraState() = default;

void CameraState::init() {
    startMoving();
    shield->load(&game->runGlObjects, game->renderWorld->programs().program("exampleVertexShader.vert",
                                                                            "exampleFragmentShader.frag"));
    // Lowered at the start eye until the first update turns it with the view.
    shield->modelMatrix = glm::translate(glm::mat4(1.0f), position + shieldLowered) *
                          glm::scale(glm::mat4(1.0f), glm::vec3(0.05f));
}

void CameraState::startMoving() {
    physics = game->physics.get();
    assert(physics != nullptr && "the run's physics comes before the player");
    const glm::vec3 start = levelPlaces().playerBodyStart;
    body = createBoxBody(*physics, btVector3(0.3f, 0.5f, 0.3f), btVector3(start.x, start.y, start.z), 3.0f,
                         playerBody);
    bodyShape = static_cast<btBoxShape*>(body->getCollisionShape());
    pitchMatrix = glm::mat4(1.0f);
    yawMatrix = glm::mat4(1.0f);
    up = glm::vec3(0.0f, 1.0f, 0.0f);
    position = glm::vec3(0.0f, 0.0f, -7.0f);
    direction = glm::vec3(0.0f, 0.0f, -1.0f);
    right = glm::vec3(-1.0f, 0.0f, 0.0f);
    horizontalAngle = 0.0;
    verticalAngle = 0.0;
    previousPosition = position;
    eyeDrawn = position;
    if (game->input != nullptr) game->input->placeCursor(game->width / 2, game->height / 2);
    forgetCursor();
}

void CameraState::update(double elapsedMs) {
    assert(body != nullptr && "startMoving comes before the first update");
    assert(game->input != nullptr);
    PlayerInput& input = *game->input;
    previousPosition = position;
    harmMarks.advance(elapsedMs);
    // The world reads only the tick's angles, never what the frames' looking did between.
    followAngles();
    if (input.keyDown(keys::m)) flyMode = true;
    if (flyMode) {
        position += flightStep(direction, up, elapsedMs, readMoveKeys(input));
    } else {
        walk(input, elapsedMs);
        soundFeet(elapsedMs);
    }
    readButtons(input);
    writeCamera(position);
    eyeDrawn = position;
    placeShield(position);
}

void CameraState::look(PlayerInput& input) {
    turnWithMouse(input);
}

void CameraState::pose(double tickFraction) {
    eyeDrawn = glm::mix(previousPosition, position, static_cast<float>(tickFraction));
    writeCamera(eyeDrawn);
    placeShield(eyeDrawn);
}

MoveKeys CameraState::readMoveKeys(const PlayerInput& input) const {
    MoveKeys keysHeld;
    keysHeld.forward = input.keyDown(keys::w);
    keysHeld.backward = input.keyDown(keys::s);
    keysHeld.left = input.keyDown(keys::a);
    keysHeld.right = input.keyDown(keys::d);
    keysHeld.jump = input.keyDown(keys::space);
    return keysHeld;
}

void CameraState::walk(const PlayerInput& input, double elapsedMs) {
    btTransform transform;
    body->getMotionState()->getWorldTransform(transform);
    const btVector3& bodyOrigin = transform.getOrigin();
    position = glm::vec3(bodyOrigin.x(), -bodyOrigin.y() - eyeAboveBody, -bodyOrigin.z());
    const btVector3& v = body->getLinearVelocity();
    if (std::abs(v.y()) > deadlyVerticalSpeed) game->reduceHealth(1000.0f, Harm::fall);
    const glm::vec3 impulse = walkImpulse(glm::vec3(v.x(), v.y(), v.z()), horizontalAngle, verticalAngle,
                                          readMoveKeys(input), elapsedMs);
    if (impulse != glm::vec3(0.0f)) body->applyCentralImpulse(btVector3(impulse.x, impulse.y, impulse.z));
    if (impulse.y > 0.0f) game->playSoundHere(Sound::jump);
}

void CameraState::soundFeet(double elapsedMs) {
    const btVector3& v = body->getLinearVelocity();
    switch (footSound(footsteps, glm::vec3(v.x(), v.y(), v.z()), elapsedMs / 1000.0)) {
        case FootSound::step1: game->playSoundHere(Sound::step1); break;
        case FootSound::step2: game->playSoundHere(Sound::step2); break;
        case FootSound::land: game->playSoundHere(Sound::land); break;
        case FootSound::landHard: game->playSoundHere(Sound::landHard); break;
        case FootSound::none: break;
    }
}

void CameraState::readButtons(const PlayerInput& input) {
    attackHeld = input.buttonDown(mouseButtons::left);
    blockHeld = input.buttonDown(mouseButtons::right);
    shieldRaised = blockHeld;
    if (blockHeld) attackHeld = false;
}

void CameraState::writeCamera(glm::vec3 eye) {
    projectionMatrix =
        glm::perspective(glm::radians(game->fieldOfViewDegrees),
                         static_cast<float>(game->width) / static_cast<float>(game->height), 0.1f, 100.0f);
    viewMatrix = glm::lookAt(eye, eye + direction, up);
}

// By the cursor's motion since the last look: the game's window holds the cursor captured
// (hidden, with unlimited motion), so no centre is needed, and nothing depends on how the
// window's pixels map to the screen's.
void CameraState::turnWithMouse(PlayerInput& input) {
    const glm::dvec2 cursor = input.cursor();
    const glm::dvec2 motion = lastCursor ? cursor - *lastCursor : glm::dvec2(0.0);
    lastCursor = cursor;
    turnByCursor(horizontalAngle, verticalAngle, glm::vec2(-motion.x, -motion.y), game->invertLook,
                 game->lookSensitivity);
    followAngles();
}

void CameraState::followAngles() {
    const ViewVectors vectors = viewVectors(horizontalAngle, verticalAngle);
    direction = vectors.direction;
    right = vectors.right;
    up = vectors.up;
    pitchMatrix = turn(verticalAngle, right);
    // A turn by h about +y: -up.y is cos v, positive.
    yawMatrix = turn(horizontalAngle, glm::vec3(0.0f, -up.y, 0.0f));
}

void CameraState::placeShield(glm::vec3 eye) {
    const glm::vec3 offset = blockHeld ? shieldRaisedOffset : shieldLowered;
    shield->modelMatrix = glm::translate(glm::mat4(1.0f), eye) * pitchMatrix * yawMatrix *
                          glm::translate(glm::mat4(1.0f), offset) *
                          glm::scale(glm::mat4(1.0f), glm::vec3(0.05f));
}

void CameraState::render(glm::mat4 view, glm::mat4 projection, std::vector<Light*> lights) {
    const glm::vec3 lamp = lights.empty() ? position : lights.front()->position;
    shield->draw(view, projection, lamp);
}

void CameraState::takePush(int from, glm::vec3 push) {
    pushes.emplace_back(from, push);
}

void CameraState::applyPushes() {
    std::stable_sort(pushes.begin(), pushes.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [from, push] : pushes) {
        const btVector3 velocity = body->getLinearVelocity();
        const glm::vec3 impulse = pushImpulse(glm::vec3(velocity.x(), velocity.y(), velocity.z()), push);
        body->applyCentralImpulse(btVector3(impulse.x, impulse.y, impulse.z));
    }
    pushes.clear();
}

}  // namespace zarnhold
