#pragma once

#include <memory>
#include <vector>

#include <btBulletDynamicsCommon.h>

struct btTriangleInfoMap;

namespace zarnhold {

// One run's physics: the Bullet world with its broadphase, configuration, dispatcher and
// solver, and every body, motion state, shape and triangle mesh made for that run. The
// run's objects hand what they create to `adopt`; destroying the PhysicsWorld takes its
// bodies out of its own world and frees everything, so a restart leaks nothing.
class PhysicsWorld {
public:
    // An empty world with gravity (0, -9.8, 0).
    PhysicsWorld();
    PhysicsWorld(const PhysicsWorld&) = delete;
    PhysicsWorld& operator=(const PhysicsWorld&) = delete;
    ~PhysicsWorld();

    // Takes ownership of a body and what it is made of (any may be null).
    void adopt(btRigidBody* body, btMotionState* motionState, btCollisionShape* shape,
               btStridingMeshInterface* mesh = nullptr);
    // Takes ownership of the edge information a triangle-mesh shape of this world refers to.
    void adopt(btTriangleInfoMap* edgeInfo);

    // Puts a body into this world, or takes it out; each does nothing when the body is
    // already where it is asked to be. The body stays owned by whoever adopted it.
    void addBody(btRigidBody* body);
    void removeBody(btRigidBody* body);

    // Advances by `seconds` of wall time in whole steps of 0.01 s, at most 3 of them (time
    // short of a step is carried to the next call); returns the steps taken.
    int step(float seconds);
    // Exactly one step of 0.01 s: the world's tick.
    void tick();
    // The time all the steps taken so far cover.
    double simulatedSeconds() const { return stepsTaken * 0.01; }

    btDbvtBroadphase* broadphase = nullptr;
    btDefaultCollisionConfiguration* collisionConfiguration = nullptr;
    btCollisionDispatcher* dispatcher = nullptr;
    btSequentialImpulseConstraintSolver* solver = nullptr;
    btDiscreteDynamicsWorld* world = nullptr;

private:
    long stepsTaken = 0;
    std::vector<std::unique_ptr<btRigidBody>> bodies;
    std::vector<std::unique_ptr<btMotionState>> motionStates;
    std::vector<std::unique_ptr<btCollisionShape>> shapes;
    std::vector<std::unique_ptr<btStridingMeshInterface>> meshes;
    std::vector<std::unique_ptr<btTriangleInfoMap>> edgeInfos;
};

// What a box body is, for the contact rules (kept as the body's user index).
enum BodyKind { otherBody = 0, playerBody = 1, enemyBody = 2 };

// A box body of mass 1 that never tips (zero inertia) and never sleeps, added to `physics`
// and owned by it. `halfExtents` and `origin` in the physics frame.
btRigidBody* createBoxBody(PhysicsWorld& physics, const btVector3& halfExtents, const btVector3& origin,
                           float friction, BodyKind kind = otherBody);

// The player and the enemies give each other no footing. A contact between two of them
// whose normal (on B, towards A) lies within 45 degrees of vertical would hold one up on
// the other: it pushes them apart sideways instead, along the level line from B's centre
// to A's, and without friction. Other contacts keep their normal.
btVector3 creatureContactNormal(const btVector3& normal, const btVector3& centreA, const btVector3& centreB);

// The level's static body: one triangle per nine floats of `corners` (physics frame, the
// file's own coordinates, corners not merged), added to `physics` and owned by it. Contacts
// on the edges shared by two triangles of one surface are corrected, so a box slides across
// a floor or along a wall made of many triangles without catching on their seams. nullptr,
// and no body, when there is not one whole triangle.
btRigidBody* createLevelBody(PhysicsWorld& physics, const std::vector<float>& corners);

}  // namespace zarnhold
