// The enemies' rules, on their own and on enemies with real bodies in a physics world
// beside the real player.
#include <btBulletDynamicsCommon.h>
#include <gtest/gtest.h>

#include "game/Arms.h"
#include "game/Enemy.h"
#include "game/EnemyRules.h"
#include "run/PhysicsWorld.h"
#include "tests/WalkingRun.h"

using namespace zarnhold;

namespace {

// A floor at physics y = 0, wide enough for anything the tests do.
std::vector<float> flatFloor() {
    return {-50, 0, -50, -50, 0, 50, 50, 0, 50, -50, 0, -50, 50, 0, 50, 50, 0, -50};
}

// How nearly `enemy` moves straight away from `eye` across the floor (render frame): 1 for
// straight away, NaN at rest.
float movingAwayFrom(const Enemy& enemy, glm::vec3 eye) {
    const btVector3& v = enemy.body->getLinearVelocity();
    const glm::vec3 toEye = eye - enemy.renderCentre();
    return -glm::dot(glm::normalize(glm::vec2(v.x(), -v.z())), glm::normalize(glm::vec2(toEye.x, toEye.z)));
}

// An enemy whose body rests on the floor (its centre at physics y = 0.4, render y = -0.4)
// at render x = `x`, z = 0, beside a player whose eye the test puts where it likes; the
// player's own update never runs, so the eye stays there.
struct EnemyScene {
    explicit EnemyScene(float x = 0.0f) : run(flatFloor()), enemy(run.player.get(), x, 0.4f, 0.0f) {
        enemy.sword = &strike;
        enemy.startSimulating();
        player().position = glm::vec3(x + 30.0f, -0.4f, 0.0f);
    }
    CameraState& player() { return *run.player; }
    // The eye `offset` from the enemy's centre (render frame).
    void playerAt(glm::vec3 offset) { player().position = enemy.renderCentre() + offset; }
    // A physics step of `ms`, then the enemy's update.
    void frame(double ms) {
        run.game.physics->step(static_cast<float>(ms / 1000.0));
        enemy.update(ms);
    }
    // A frame in which the enemy leaps if it may: its timer run out, its body at rest.
    void readyToLeap() {
        enemy.lungeTimer = 2600.0f;
        enemy.body->setLinearVelocity(btVector3(0, 0, 0));
    }
    glm::vec3 velocity() const {
        const btVector3& v = enemy.body->getLinearVelocity();
        return {v.x(), v.y(), v.z()};
    }
    bool bodyInWorld() const { return enemy.body->isInWorld(); }

    WalkingRun run;
    Enemy enemy;
    // The sword's strike, which the test writes.
    SwordStrike strike;
};

}  // namespace

TEST(EnemyRules, WakeLeapContactAndHealLimits) {
    EXPECT_TRUE(enemyAwakeAt(25.0f));
    EXPECT_FALSE(enemyAwakeAt(25.01f));

    const glm::vec3 rest(0.0f);
    EXPECT_FALSE(enemyMayLeap(8.0f, 3000.0f, rest));
    EXPECT_TRUE(enemyMayLeap(7.9f, 2500.1f, rest));
    EXPECT_FALSE(enemyMayLeap(7.9f, 2500.0f, rest));
    EXPECT_FALSE(enemyMayLeap(7.9f, 3000.0f, {0.1f, 0.0f, 0.0f}));
    // Signed: moving fast the other way counts as at rest.
    EXPECT_TRUE(enemyMayLeap(7.9f, 3000.0f, {-5.0f, -12.0f, -3.0f}));

    EXPECT_FLOAT_EQ(contactDamage(16.0, false), 64.0f);
    EXPECT_FLOAT_EQ(contactDamage(16.0, true), 3.2f);
    EXPECT_TRUE(deathHeals(899.0f));
    EXPECT_FALSE(deathHeals(900.0f));
    EXPECT_TRUE(swordReaches(true, 1.5f));
    EXPECT_FALSE(swordReaches(true, 1.51f));
    EXPECT_FALSE(swordReaches(false, 0.1f));
}

TEST(EnemyRules, ContactHurtsOnlyCloserThanOneWithinThirtyDegreesOfTheLastLeap) {
    // Leapt towards render +x; the player straight ahead, then turned about the enemy.
    const glm::vec2 leaptEast(1.0f, 0.0f);
    EXPECT_TRUE(enemyContactHits({0.9f, 0.0f, 0.0f}, 0.9f, leaptEast));
    EXPECT_FALSE(enemyContactHits({1.0f, 0.0f, 0.0f}, 1.0f, leaptEast));
    const float at29 = glm::radians(29.0f), at31 = glm::radians(31.0f);
    EXPECT_TRUE(enemyContactHits({0.9f * std::cos(at29), 0.0f, 0.9f * std::sin(at29)}, 0.9f, leaptEast));
    EXPECT_FALSE(enemyContactHits({0.9f * std::cos(at31), 0.0f, 0.9f * std::sin(at31)}, 0.9f, leaptEast));
    EXPECT_FALSE(enemyContactHits({-0.5f, 0.0f, 0.0f}, 0.5f, leaptEast)) << "behind it";
    // Before any leap it faces (0.1, 0.1): nothing lies within the cone.
    EXPECT_FALSE(enemyContactHits({0.5f, 0.0f, -0.5f}, 0.71f, {0.1f, 0.1f}));
    // Straight above: no direction on the floor, no contact (and no NaN taken for one).
    EXPECT_FALSE(enemyContactHits({0.0f, -0.5f, 0.0f}, 0.5f, leaptEast));
}

TEST(EnemyRules, ArmsSweepBetweenTheirLimitsAndADeadEnemysStayAt6_1) {
    ArmsSwing swing{6.0f, 1.0f};
    swing = swingStep(swing, 20.0, false);
    EXPECT_FLOAT_EQ(swing.angle, 6.1f);
    EXPECT_EQ(swing.direction, -1.0f);
    swing = swingStep(ArmsSwing{3.2f, -1.0f}, 20.0, false);
    EXPECT_FLOAT_EQ(swing.angle, 3.1f);
    EXPECT_EQ(swing.direction, 1.0f);
    // A full pass, 3.1 to 6.14, takes about 300 ms.
    swing = ArmsSwing{3.1f, 1.0f};
    int frames = 0;
    while (swing.direction > 0.0f && frames < 100) {
        swing = swingStep(swing, 10.0, false);
        ++frames;
    }
    EXPECT_EQ(frames, 31);
    EXPECT_FLOAT_EQ(swingStep(ArmsSwing{4.0f, 1.0f}, 10.0, true).angle, 6.1f);
}

TEST(Enemy, SleepsBeyond25AndWakesWithin) {
    EnemyScene s;
    s.playerAt({25.0f, 0.0f, 0.0f});
    s.enemy.update(16.0);
    EXPECT_TRUE(s.enemy.active);
    EXPECT_TRUE(s.enemy.castsShadow);
    EXPECT_TRUE(s.enemy.arms->castsShadow);
    EXPECT_TRUE(s.bodyInWorld());

    s.playerAt({25.01f, 0.0f, 0.0f});
    const glm::mat4 awakeModel = s.enemy.modelMatrix;
    s.enemy.update(16.0);
    EXPECT_FALSE(s.enemy.active);
    EXPECT_FALSE(s.enemy.castsShadow);
    EXPECT_FALSE(s.enemy.arms->castsShadow);
    EXPECT_FALSE(s.bodyInWorld());
    EXPECT_EQ(s.enemy.modelMatrix, awakeModel) << "asleep, nothing else moves";

    s.enemy.lungeTimer = 5000.0f;
    s.playerAt({24.0f, 0.0f, 0.0f});
    s.enemy.update(16.0);
    EXPECT_TRUE(s.enemy.active);
    EXPECT_TRUE(s.bodyInWorld());
    EXPECT_LE(s.enemy.lungeTimer, 1016.0f) << "waking restarts the wait";
}

TEST(Enemy, LeapsFromWithin8AtRestAfter2500MsEvenWhileFalling) {
    EnemyScene s;
    s.frame(10.0);
    s.playerAt({8.0f, 0.0f, 0.0f});
    s.readyToLeap();
    s.enemy.update(16.0);
    EXPECT_LT(s.velocity().y, 0.5f) << "no leap at 8";

    s.playerAt({7.9f, 0.0f, 0.0f});
    s.readyToLeap();
    s.enemy.update(16.0);
    EXPECT_FLOAT_EQ(s.velocity().y, 4.0f);
    EXPECT_GT(s.velocity().x, 1.9f) << "towards the player";
    EXPECT_EQ(s.enemy.lungeTimer, 0.0f);
    EXPECT_NEAR(s.enemy.lungeDirection.x, 1.0f, 1e-5f);
    s.enemy.body->setLinearVelocity(btVector3(0, 0, 0));
    s.enemy.update(2400.0);
    EXPECT_EQ(s.velocity().y, 0.0f) << "the wait starts again";

    // Falling fast passes the signed test.
    s.enemy.body->setLinearVelocity(btVector3(0, -12, 0));
    s.enemy.lungeTimer = 2600.0f;
    s.enemy.update(16.0);
    EXPECT_FLOAT_EQ(s.velocity().y, -8.0f);
}

TEST(Enemy, HurtsAPlayerInFrontCloserThanOneAndLessBehindTheShield) {
    EnemyScene s;
    s.run.game.health = 1000.0f;
    // The enemy has leapt towards render +x.
    s.enemy.lungeDirection = glm::vec2(1.0f, 0.0f);
    s.enemy.lungeTimer = -1e9f;
    s.playerAt({1.0f, 0.0f, 0.0f});
    s.enemy.update(10.0);
    EXPECT_EQ(s.run.game.getHealth(), 1000.0f);

    s.playerAt({0.9f, 0.0f, 0.0f});
    s.enemy.update(10.0);
    s.player().applyPushes();
    EXPECT_FLOAT_EQ(s.run.game.getHealth(), 960.0f);
    const btVector3 pushed = s.player().body->getLinearVelocity();
    EXPECT_FLOAT_EQ(pushed.x(), 10.0f) << "the player is pushed away";
    // A unit of recoil per sixtieth of a second of contact: 0.6 in 10 ms.
    EXPECT_NEAR(s.velocity().x, -0.6f, 0.05f) << "and the enemy back";

    s.player().shieldRaised = true;
    s.player().body->setLinearVelocity(btVector3(0, 0, 0));
    s.enemy.update(10.0);
    s.player().applyPushes();
    EXPECT_FLOAT_EQ(s.run.game.getHealth(), 958.0f);
    EXPECT_FLOAT_EQ(s.player().body->getLinearVelocity().x(), 3.0f) << "pushed away at 3 behind the shield";
    s.player().shieldRaised = false;

    s.playerAt({-0.5f, 0.0f, 0.0f});
    s.enemy.update(10.0);
    EXPECT_FLOAT_EQ(s.run.game.getHealth(), 958.0f) << "behind it";
}

// Two creatures touching the player in one tick, one in front and one at 45 degrees, push
// it the same whichever updates first: the body takes the tick's pushes together, in the
// creatures' order, each capped by the speed the ones before it left.
TEST(Enemy, TwoCreaturesPushThePlayerAlikeWhicheverUpdatesFirst) {
    const auto pushed = [](bool secondFirst) {
        EnemyScene s;
        const glm::vec2 way = glm::normalize(glm::vec2(1.0f, 1.0f));
        Enemy second(s.run.player.get(), 0.9f - 0.9f * way.x, 0.4f, 0.9f * way.y);
        second.id = 1;
        second.sword = &s.strike;
        second.startSimulating();
        s.enemy.lungeDirection = glm::vec2(1.0f, 0.0f);
        second.lungeDirection = way;
        s.enemy.lungeTimer = second.lungeTimer = -1e9f;
        s.playerAt({0.9f, 0.0f, 0.0f});
        if (secondFirst) second.update(10.0);
        s.enemy.update(10.0);
        if (!secondFirst) second.update(10.0);
        s.player().applyPushes();
        const btVector3 v = s.player().body->getLinearVelocity();
        return glm::vec3(v.x(), v.y(), v.z());
    };
    const glm::vec3 inOrder = pushed(false);
    EXPECT_NEAR(glm::length(inOrder), 12.25f, 0.05f) << "10 straight on, then what the second adds to it";
    EXPECT_EQ(pushed(true), inOrder);
}

TEST(Enemy, FiveHundredMsOfStrikingLeaveItAtZeroAndMoreKillsItAndHeals) {
    EnemyScene s;
    Enemy second(s.run.player.get(), 1.0f, 0.4f, 0.0f);
    second.sword = &s.strike;
    second.startSimulating();
    s.playerAt({0.5f, 0.0f, 1.0f});
    s.strike.striking = true;
    s.enemy.update(10.0);
    second.update(10.0);
    // The eye stands between the two in x: each is knocked straight away from it.
    EXPECT_GT(movingAwayFrom(s.enemy, s.player().position), 0.999f);
    EXPECT_GT(movingAwayFrom(second, s.player().position), 0.999f);
    for (int i = 1; i < 50; ++i) {
        s.enemy.update(10.0);
        second.update(10.0);
    }
    EXPECT_EQ(s.enemy.enemyHealth, 0.0f);
    EXPECT_EQ(second.enemyHealth, 0.0f) << "both within 1.5 are hit";
    EXPECT_FALSE(s.enemy.dead) << "death needs less than 0";
    // Standing: upright, its feet 0.4 under the body's centre (render y grows downwards).
    const glm::vec3 centre = s.enemy.renderCentre();
    const auto feet = [&] { return glm::vec3(s.enemy.modelMatrix[3]) - centre; };
    const auto uprightY = [&] { return glm::normalize(glm::vec3(s.enemy.modelMatrix[1])).y; };
    EXPECT_NEAR(glm::length(feet() - glm::vec3(0.0f, 0.4f, 0.0f)), 0.0f, 0.01f);
    EXPECT_GT(std::abs(uprightY()), 0.99f);

    s.run.game.health = 899.0f;
    s.enemy.update(10.0);
    s.strike.striking = false;
    s.enemy.update(10.0);
    EXPECT_TRUE(s.enemy.dead);
    EXPECT_FALSE(s.bodyInWorld());
    EXPECT_EQ(s.run.game.getHealth(), 949.0f);
    second.enemyHealth = -1.0f;
    second.update(10.0);
    EXPECT_TRUE(second.dead);
    EXPECT_EQ(s.run.game.getHealth(), 949.0f) << "no heal from 900 up";

    // Lying, with its arms still at 6.1: on its side, its feet only 0.1 under where the
    // body's centre was. Out of range and back, its body stays out.
    s.enemy.update(10.0);
    EXPECT_FLOAT_EQ(s.enemy.arms->swingAngle, 6.1f);
    EXPECT_NEAR(glm::length(feet() - glm::vec3(0.0f, 0.1f, 0.0f)), 0.0f, 0.01f);
    EXPECT_LT(std::abs(uprightY()), 0.1f);
    s.playerAt({30.0f, 0.0f, 0.0f});
    s.enemy.update(10.0);
    s.playerAt({3.0f, 0.0f, 0.0f});
    s.enemy.update(10.0);
    EXPECT_TRUE(s.enemy.active);
    EXPECT_FALSE(s.bodyInWorld());
}

TEST(Enemy, FacesTheWayItLastLeapt) {
    // The creature's front is its model's +z.
    for (const glm::vec2& way :
         {glm::vec2(1.0f, 0.0f), glm::vec2(0.0f, 1.0f), glm::vec2(-0.6f, -0.8f), glm::vec2(0.8f, -0.6f)}) {
        SCOPED_TRACE(testing::Message() << way.x << ", " << way.y);
        EnemyScene s;
        s.playerAt(5.0f * glm::vec3(way.x, 0.0f, way.y));
        s.readyToLeap();
        s.enemy.update(10.0);
        ASSERT_EQ(s.enemy.lungeTimer, 0.0f) << "it leapt";
        const glm::vec3 front(s.enemy.modelMatrix * glm::vec4(0.0f, 0.0f, 1.0f, 0.0f));
        const glm::vec2 facing = glm::normalize(glm::vec2(front.x, front.z));
        EXPECT_NEAR(facing.x, way.x, 0.01f);
        EXPECT_NEAR(facing.y, way.y, 0.01f);
    }
}

TEST(Enemy, ItsArmsStartAFreshRisingSwingWhenItFallsAsleepWakesOrLeaps) {
    EnemyScene s;
    // 3.15 and falling: a fresh swing starts from 3.2 or above, rising, and a frame of
    // 0 ms leaves any other swing where it is.
    const auto markSwing = [&] {
        s.enemy.arms->swingAngle = 3.15f;
        s.enemy.arms->swingDirection = -1.0f;
    };
    s.playerAt({20.0f, 0.0f, 0.0f});
    markSwing();
    s.enemy.update(0.0);
    EXPECT_EQ(s.enemy.arms->swingAngle, 3.15f) << "an awake frame without a leap keeps the swing";

    s.playerAt({30.0f, 0.0f, 0.0f});
    s.enemy.update(0.0);
    ASSERT_FALSE(s.enemy.active);
    EXPECT_GE(s.enemy.arms->swingAngle, 3.2f) << "falling asleep";
    EXPECT_LE(s.enemy.arms->swingAngle, 6.2f);
    EXPECT_EQ(s.enemy.arms->swingDirection, 1.0f);

    markSwing();
    s.playerAt({20.0f, 0.0f, 0.0f});
    s.enemy.update(0.0);
    ASSERT_TRUE(s.enemy.active);
    EXPECT_GE(s.enemy.arms->swingAngle, 3.2f) << "waking";

    markSwing();
    s.playerAt({5.0f, 0.0f, 0.0f});
    s.readyToLeap();
    s.enemy.update(0.0);
    ASSERT_EQ(s.enemy.lungeTimer, 0.0f) << "it leapt";
    EXPECT_GE(s.enemy.arms->swingAngle, 3.2f) << "leaping";
}
