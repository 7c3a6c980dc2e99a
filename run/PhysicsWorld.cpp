#include "run/PhysicsWorld.h"

#include <algorithm>
#include <cmath>

#include <BulletCollision/CollisionDispatch/btInternalEdgeUtility.h>

namespace zarnhold {

namespace {

bool isCreature(const btCollisionObject* object) {
    return object->getUserIndex() == playerBody || object->getUserIndex() == enemyBody;
}

// Bullet calls this for every contact it finds, each step, of a body flagged for it (the
// level, the player, the enemies): a contact on a triangle's inner edge gets the normal of
// the surface instead of the edge's; creatures give each other no footing, and the player no grip.
bool adjustContact(btManifoldPoint& contact, const btCollisionObjectWrapper* wrap0, int part0, int index0,
                   const btCollisionObjectWrapper* wrap1, int part1, int index1) {
    const btCollisionObject* a = wrap0->getCollisionObject();
    const btCollisionObject* b = wrap1->getCollisionObject();
    if (isCreature(a) && isCreature(b)) {
        const btVector3 normal = creatureContactNormal(
            contact.m_normalWorldOnB, a->getWorldTransform().getOrigin(), b->getWorldTransform().getOrigin());
        // The player slides along a creature: the bodies' own frictions (3 and 5, made for
        // the floor) would combine to a grip that holds a player walking at an angle into a
        // creature's flank, dead still while the creature stands.
        const bool player = a->getUserIndex() == playerBody || b->getUserIndex() == playerBody;
        if (normal != contact.m_normalWorldOnB || player) contact.m_combinedFriction = 0.0f;
        contact.m_normalWorldOnB = normal;
        return true;
    }
    if (wrap0->getCollisionShape()->getShapeType() == TRIANGLE_SHAPE_PROXYTYPE) {
        btAdjustInternalEdgeContacts(contact, wrap0, wrap1, part0, index0);
    } else if (wrap1->getCollisionShape()->getShapeType() == TRIANGLE_SHAPE_PROXYTYPE) {
        btAdjustInternalEdgeContacts(contact, wrap1, wrap0, part1, index1);
    }
    return true;
}

}  // namespace

btVector3 creatureContactNormal(const btVector3& normal, const btVector3& centreA, const btVector3& centreB) {
    // Within 45 degrees of vertical, one stands on the other.
    if (std::abs(normal.y()) < 0.7071f) return normal;
    btVector3 apart(centreA.x() - centreB.x(), 0.0f, centreA.z() - centreB.z());
    // Exactly one above the other: any way off will do, the same one each step.
    if (apart.length2() < 1e-8f) return btVector3(1, 0, 0);
    return apart.normalized();
}

PhysicsWorld::PhysicsWorld()
    : broadphase(new btDbvtBroadphase()),
      collisionConfiguration(new btDefaultCollisionConfiguration()),
      dispatcher(new btCollisionDispatcher(collisionConfiguration)),
      solver(new btSequentialImpulseConstraintSolver()),
      world(new btDiscreteDynamicsWorld(dispatcher, broadphase, solver, collisionConfiguration)) {
    world->setGravity(btVector3(0, -9.8f, 0));
    gContactAddedCallback = adjustContact;
}

PhysicsWorld::~PhysicsWorld() {
    // Bodies first: the world must not refer to anything freed below it.
    for (int i = world->getNumCollisionObjects() - 1; i >= 0; --i) {
        btCollisionObject* object = world->getCollisionObjectArray()[i];
        if (btRigidBody* body = btRigidBody::upcast(object)) {
            world->removeRigidBody(body);
        } else {
            world->removeCollisionObject(object);
        }
    }
    bodies.clear();
    motionStates.clear();
    shapes.clear();
    meshes.clear();
    delete world;
    delete solver;
    delete dispatcher;
    delete collisionConfiguration;
    delete broadphase;
}

void PhysicsWorld::adopt(btRigidBody* body, btMotionState* motionState, btCollisionShape* shape,
                         btStridingMeshInterface* mesh) {
    if (body) bodies.emplace_back(body);
    if (motionState) motionStates.emplace_back(motionState);
    if (shape) shapes.emplace_back(shape);
    if (mesh) meshes.emplace_back(mesh);
}

void PhysicsWorld::adopt(btTriangleInfoMap* edgeInfo) {
    edgeInfos.emplace_back(edgeInfo);
}

void PhysicsWorld::addBody(btRigidBody* body) {
    if (body != nullptr && !body->isInWorld()) world->addRigidBody(body);
}

void PhysicsWorld::removeBody(btRigidBody* body) {
    if (body != nullptr && body->isInWorld()) world->removeRigidBody(body);
}

int PhysicsWorld::step(float seconds) {
    const int steps = std::min(3, world->stepSimulation(seconds, 3, 0.01f));
    stepsTaken += steps;
    return steps;
}

void PhysicsWorld::tick() {
    // Given exactly its fixed step, Bullet carries nothing over: one step every call.
    stepsTaken += world->stepSimulation(0.01f, 1, 0.01f);
}

btRigidBody* createBoxBody(PhysicsWorld& physics, const btVector3& halfExtents, const btVector3& origin,
                           float friction, BodyKind kind) {
    btBoxShape* shape = new btBoxShape(halfExtents);
    btTransform start;
    start.setIdentity();
    start.setOrigin(origin);
    btDefaultMotionState* motionState = new btDefaultMotionState(start);
    btRigidBody::btRigidBodyConstructionInfo info(1.0f, motionState, shape, btVector3(0, 0, 0));
    btRigidBody* body = new btRigidBody(info);
    body->setFriction(friction);
    body->setActivationState(DISABLE_DEACTIVATION);
    body->setUserIndex(kind);
    if (kind != otherBody)
        body->setCollisionFlags(body->getCollisionFlags() | btCollisionObject::CF_CUSTOM_MATERIAL_CALLBACK);
    physics.adopt(body, motionState, shape);
    physics.addBody(body);
    return body;
}

btRigidBody* createLevelBody(PhysicsWorld& physics, const std::vector<float>& corners) {
    // Bullet cannot build a hierarchy over no triangles.
    if (corners.size() < 9) return nullptr;
    btTriangleMesh* mesh = new btTriangleMesh(true, true);
    for (std::size_t i = 0; i + 8 < corners.size(); i += 9) {
        mesh->addTriangle(btVector3(corners[i], corners[i + 1], corners[i + 2]),
                          btVector3(corners[i + 3], corners[i + 4], corners[i + 5]),
                          btVector3(corners[i + 6], corners[i + 7], corners[i + 8]), false);
    }
    btBvhTriangleMeshShape* shape = new btBvhTriangleMeshShape(mesh, true, true);
    // Shared edges are found by corner position, so the unwelded list is enough.
    btTriangleInfoMap* edgeInfo = new btTriangleInfoMap();
    btGenerateInternalEdgeInfo(shape, edgeInfo);
    physics.adopt(edgeInfo);

    btTransform identity;
    identity.setIdentity();
    btDefaultMotionState* motionState = new btDefaultMotionState(identity);
    btRigidBody::btRigidBodyConstructionInfo info(0.0f, motionState, shape, btVector3(0, 0, 0));
    btRigidBody* body = new btRigidBody(info);
    body->setCollisionFlags(body->getCollisionFlags() | btCollisionObject::CF_CUSTOM_MATERIAL_CALLBACK);
    physics.adopt(body, motionState, shape, mesh);
    physics.addBody(body);
    return body;
}

}  // namespace zarnhold
