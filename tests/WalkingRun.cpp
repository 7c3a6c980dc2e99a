#include "tests/WalkingRun.h"

#include <btBulletDynamicsCommon.h>

#include "app/WorldClock.h"
#include "run/PhysicsWorld.h"
#include "scene/ObjLoader.h"
#include "scene/Object3D.h"

namespace zarnhold {

std::vector<float> WalkingRun::realLevelCorners() {
    Object3D level;
    readObjModel(level, "External\\Models\\Levels\\Level1n.obj");
    return level.positionFloats();
}

std::vector<float> WalkingRun::flatFloor() {
    const float h = 200.0f, y = -0.5f;
    return {-h, y, -h, -h, y, h, h, y, h, -h, y, -h, h, y, h, h, y, -h};
}

WalkingRun::WalkingRun() : WalkingRun(flatFloor()) {}

WalkingRun::WalkingRun(const std::vector<float>& levelCorners) {
    game.width = 1600;
    game.height = 900;
    game.input = &input;
    game.createPhysicsWorld();
    createLevelBody(*game.physics, levelCorners);
    player = std::make_unique<CameraState>(&game, nullptr);
    player->startMoving();
    game.playerPosition = &player->position;
    game.player = player.get();
    game.sceneObjects = {player.get()};
}

void WalkingRun::frame(double seconds) {
    player->look(input);
    const long ticksBefore = game.ticksRun;
    game.advanceWorld(seconds * 1000.0);
    simulatedSeconds += static_cast<double>(game.ticksRun - ticksBefore) * tickMs / 1000.0;
}

void WalkingRun::frames(double seconds, double simulated) {
    const double end = simulatedSeconds + simulated;
    while (simulatedSeconds < end - 1e-9) frame(seconds);
}

glm::vec3 WalkingRun::bodyOrigin() const {
    btTransform transform;
    player->body->getMotionState()->getWorldTransform(transform);
    const btVector3& o = transform.getOrigin();
    return {o.x(), o.y(), o.z()};
}

glm::vec3 WalkingRun::velocity() const {
    const btVector3& v = player->body->getLinearVelocity();
    return {v.x(), v.y(), v.z()};
}

void WalkingRun::turnBy(double radians) {
    input.at.x += radians / 0.001;
}

}  // namespace zarnhold
