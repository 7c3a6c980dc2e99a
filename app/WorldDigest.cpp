#include "app/WorldDigest.h"

#include <cstring>

#include <btBulletDynamicsCommon.h>

#include "app/Game.h"
#include "game/Arms.h"
#include "game/CameraState.h"
#include "game/Enemy.h"
#include "game/Sword.h"
#include "render/Crystal.h"
#include "render/Light.h"

namespace zarnhold {

namespace {

class StateBytes {
public:
    template <typename T>
    void add(const T& value) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(&value);
        out.insert(out.end(), bytes, bytes + sizeof(T));
    }
    void add(const btVector3& v) {
        add(v.x());
        add(v.y());
        add(v.z());
    }
    // The body's own transform and velocities: what the next step starts from.
    void addBody(const btRigidBody* body) {
        const bool present = body != nullptr;
        add(present);
        if (!present) return;
        const btTransform& transform = body->getWorldTransform();
        add(transform.getOrigin());
        for (int row = 0; row < 3; ++row) add(transform.getBasis().getRow(row));
        add(body->getLinearVelocity());
        add(body->getAngularVelocity());
        add(body->isInWorld());
    }

    std::vector<unsigned char> out;
};

}  // namespace

std::vector<unsigned char> worldState(const Game& game) {
    StateBytes state;
    state.add(game.health);
    state.add(game.ticksRun);
    state.add(game.random.currentState());
    for (const AppState* object : game.sceneObjects) {
        if (const auto* player = dynamic_cast<const CameraState*>(object)) {
            state.addBody(player->body);
            state.add(player->position);
            state.add(player->horizontalAngle);
            state.add(player->verticalAngle);
            state.add(player->flyMode);
        } else if (const auto* enemy = dynamic_cast<const Enemy*>(object)) {
            state.addBody(enemy->body);
            state.add(enemy->enemyHealth);
            state.add(enemy->lungeTimer);
            state.add(enemy->lungeDirection);
            state.add(enemy->active);
            state.add(enemy->dead);
            state.add(enemy->arms->swingAngle);
            state.add(enemy->arms->swingDirection);
        } else if (const auto* sword = dynamic_cast<const Sword*>(object)) {
            state.add(sword->pickedUp);
            state.add(sword->swingAngle);
        } else if (const auto* crystal = dynamic_cast<const Crystal*>(object)) {
            state.add(crystal->spinAngle);
        }
    }
    for (const Light* light : game.lightList) state.add(light->luminocity);
    return state.out;
}

std::uint64_t worldChecksum(const Game& game) {
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char byte : worldState(game)) {
        hash = (hash ^ byte) * 1099511628211ull;
    }
    return hash;
}

}  // namespace zarnhold
