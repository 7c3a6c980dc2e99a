#include "app/PhysicsWorld.h"

PhysicsWorld::PhysicsWorld()
    : broadphase(new btDbvtBroadphase()),
      collisionConfiguration(new btDefaultCollisionConfiguration()),
      dispatcher(new btCollisionDispatcher(collisionConfiguration)),
      solver(new btSequentialImpulseConstraintSolver()),
      world(new btDiscreteDynamicsWorld(dispatcher, broadphase, solver, collisionConfiguration)) {
    world->setGravity(btVector3(0, -9.8f, 0));
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

void PhysicsWorld::step(float seconds) {
    world->stepSimulation(seconds, 3, 0.01f);
}

btRigidBody* createBoxBody(PhysicsWorld& physics, const btVector3& halfExtents,
                           const btVector3& origin, float friction) {
    btBoxShape* shape = new btBoxShape(halfExtents);
    btTransform start;
    start.setIdentity();
    start.setOrigin(origin);
    btDefaultMotionState* motionState = new btDefaultMotionState(start);
    btRigidBody::btRigidBodyConstructionInfo info(1.0f, motionState, shape, btVector3(0, 0, 0));
    btRigidBody* body = new btRigidBody(info);
    body->setFriction(friction);
    body->setActivationState(DISABLE_DEACTIVATION);
    physics.world->addRigidBody(body);
    physics.adopt(body, motionState, shape);
    return body;
}
