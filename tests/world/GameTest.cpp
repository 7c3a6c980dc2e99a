// The Game without a window: health, the won state, the scene list, and physics worlds
// replaced at a restart.
#include <btBulletDynamicsCommon.h>
#include <gtest/gtest.h>

#include "app/Game.h"
#include "run/GameState.h"
#include "run/PhysicsWorld.h"

using namespace zarnhold;

TEST(GameHealth, StartsFullChangesOnlyByTheAmountAndKnowsWhatEndedTheRun) {
    testing::internal::CaptureStdout();
    {
        Game game;
        EXPECT_EQ(GameState, INTRO);
        EXPECT_EQ(game.getHealth(), 1000.0f);
        game.reduceHealth(250.0f);
        EXPECT_EQ(game.getHealth(), 750.0f);
        game.reduceHealth(-50.0f);  // a heal
        EXPECT_EQ(game.getHealth(), 800.0f);
        game.reduceHealth(700.0f, Harm::creature);
        EXPECT_EQ(game.runEndCause(), Harm::unknown) << "still alive";
        game.reduceHealth(100.0f, Harm::fall);
        EXPECT_EQ(game.getHealth(), 0.0f);
        game.reduceHealth(10.0f, Harm::creature);
        EXPECT_EQ(game.runEndCause(), Harm::fall) << "the harm that took the last health ended the run";
        game.setWon();
        EXPECT_EQ(GameState, WON);
        GameState = INTRO;
        EXPECT_EQ(game.view, glm::mat4(0.0f));
        EXPECT_EQ(game.playerPosition, nullptr);
        EXPECT_TRUE(game.sceneObjects.empty());
    }
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("You filthy rat! You ended the game!\n"), std::string::npos);
}

namespace {

btTransform transformOf(btRigidBody* body) {
    btTransform t;
    body->getMotionState()->getWorldTransform(t);
    return t;
}

}  // namespace

TEST(Physics, ADroppedBoxLandsOnTheLevelMeshAndStaysUpright) {
    PhysicsWorld physics;
    // A 40x40 floor of two triangles with its top at y = -0.5, as the level gives one.
    createLevelBody(physics, {-20, -0.5f, -20, -20, -0.5f, 20, 20, -0.5f, 20, -20, -0.5f, -20, 20, -0.5f, 20,
                              20, -0.5f, -20});
    btRigidBody* box = createBoxBody(physics, {0.3f, 0.5f, 0.3f}, {0, 2, 0}, 3.0f);
    // A sideways push: the box slides but, with no inertia, never tips.
    box->applyCentralImpulse({2, 0, 1});
    for (int frame = 0; frame < 300; ++frame) physics.step(1.0f / 60.0f);
    const btTransform t = transformOf(box);
    EXPECT_NEAR(t.getOrigin().y(), 0.0f, 0.05f) << "resting on the floor at -0.5";
    EXPECT_NE(t.getOrigin().x(), 0.0f);
    const btQuaternion q = t.getRotation();
    EXPECT_NEAR(std::abs(q.w()), 1.0f, 1e-4f) << "still upright";
}

TEST(Physics, AFrameOfOneSecondAdvancesOnlyThreeSteps) {
    PhysicsWorld physics;
    btRigidBody* box = createBoxBody(physics, {0.2f, 0.4f, 0.2f}, {0, 100, 0}, 5.0f);
    physics.step(1.0f);
    // Falling from rest under 9.8 for 0.03 s.
    EXPECT_NEAR(box->getLinearVelocity().y(), -9.8f * 0.03f, 1e-4f);
    EXPECT_NEAR(transformOf(box).getOrigin().y(), 100.0f, 0.01f);
}

TEST(Physics, ARestartLeavesOnlyTheNewRunsBodiesInTheNewWorld) {
    testing::internal::CaptureStdout();
    Game game;
    game.createPhysicsWorld();
    btDiscreteDynamicsWorld* first = game.world;
    createBoxBody(*game.physics, {0.3f, 0.5f, 0.3f}, {0, 0, 6.5f}, 3.0f);
    EXPECT_EQ(first->getNumCollisionObjects(), 1);

    game.createPhysicsWorld();
    EXPECT_NE(game.world, first);
    EXPECT_EQ(game.world->getNumCollisionObjects(), 0);
    game.clearWorld();  // frees the first world and its body
    btRigidBody* fresh = createBoxBody(*game.physics, {0.3f, 0.5f, 0.3f}, {0, 0, 6.5f}, 3.0f);
    EXPECT_EQ(game.world->getNumCollisionObjects(), 1);
    EXPECT_EQ(game.world->getCollisionObjectArray()[0], fresh);
    game.physics->step(0.01f);
    testing::internal::GetCapturedStdout();
}
