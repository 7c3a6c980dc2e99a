// The player's movement and shield on the real level and real physics, driven by scripted
// input.
#include <btBulletDynamicsCommon.h>
#include <gtest/gtest.h>

#include "game/Shield.h"
#include "run/PlayerInput.h"
#include "tests/WalkingRun.h"

using namespace zarnhold;

namespace {

constexpr double frameSeconds = 1.0 / 60.0;

// The player standing still on the start hall's floor.
void settle(WalkingRun& run) {
    run.frames(frameSeconds, 1.0);
    ASSERT_LT(glm::length(run.velocity()), 0.01f) << "the player has not come to rest";
}

// The velocity change one update gives (the physics step comes before it).
glm::vec3 pushOfOneUpdate(WalkingRun& run) {
    const glm::vec3 before = run.velocity();
    run.player->update(frameSeconds * 1000.0);
    return run.velocity() - before;
}

void expectNear(glm::vec3 actual, glm::vec3 expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-4f);
    EXPECT_NEAR(actual.y, expected.y, 1e-4f);
    EXPECT_NEAR(actual.z, expected.z, 1e-4f);
}

}  // namespace

TEST(PlayerMovement, WalkingKeysPushOneUnitASixtiethOfASecondAndOpposedKeysCancel) {
    testing::internal::CaptureStdout();
    WalkingRun run;
    settle(run);
    EXPECT_NEAR(run.bodyOrigin().y, 0.0f, 0.05f) << "standing on the floor at y = -0.5";
    EXPECT_NEAR(run.player->position.y, -0.2f, 0.05f) << "the eye 0.2 above the body, render frame";

    run.input.press(keys::w);
    expectNear(pushOfOneUpdate(run), {0.0f, 0.0f, -1.0f});
    // With h = 0 the eye looks along render +z, the way W moves it.
    EXPECT_EQ(run.player->direction, glm::vec3(0.0f, 0.0f, 1.0f));
    run.input.press(keys::s);
    expectNear(pushOfOneUpdate(run), {0.0f, 0.0f, 0.0f});
    run.input.releaseAll();
    run.input.press(keys::a);
    run.input.press(keys::d);
    expectNear(pushOfOneUpdate(run), {0.0f, 0.0f, 0.0f});
    run.input.release(keys::d);
    // A pushes along `right`, which is the screen's left: physics (-1, 0, 0) at h = 0.
    const glm::vec3 side = pushOfOneUpdate(run);
    EXPECT_NEAR(side.x, -1.0f, 1e-3f);
    EXPECT_NEAR(side.z, 0.0f, 1e-3f);
    testing::internal::GetCapturedStdout();
}

TEST(PlayerMovement, HeldWalkingReachesJustUnderEightAndLookingDownWeakensIt) {
    testing::internal::CaptureStdout();
    WalkingRun run;
    settle(run);
    run.input.press(keys::w);
    float fastest = 0.0f;
    for (int i = 0; i < 60; ++i) {
        run.frame(frameSeconds);
        fastest = std::max(fastest, glm::length(run.velocity()));
    }
    EXPECT_GT(fastest, 7.0f);
    EXPECT_LT(fastest, 8.0f);

    WalkingRun looking;
    settle(looking);
    // Down by 0.5 radians: the push is cos(0.5) long.
    looking.input.at.y = looking.game.height / 2 + 500;
    looking.frame(frameSeconds);
    EXPECT_NEAR(looking.player->verticalAngle, 0.5, 1e-9);
    looking.input.press(keys::w);
    EXPECT_NEAR(glm::length(pushOfOneUpdate(looking)), std::cos(0.5f), 1e-4f);
    testing::internal::GetCapturedStdout();
}

TEST(PlayerMovement, SpaceJumpsOnlyWhileTheVerticalSpeedIsUnderOneHundredth) {
    testing::internal::CaptureStdout();
    WalkingRun run;
    settle(run);
    run.input.press(keys::space);
    expectNear(pushOfOneUpdate(run), {0.0f, 7.0f, 0.0f});
    // Rising: no second jump until the top, where the vertical speed passes 0.
    expectNear(pushOfOneUpdate(run), {0.0f, 0.0f, 0.0f});
    run.player->body->setLinearVelocity(btVector3(0.0f, 0.009f, 0.0f));
    expectNear(pushOfOneUpdate(run), {0.0f, 7.0f, 0.0f});
    testing::internal::GetCapturedStdout();
}

TEST(PlayerMovement, AFallFasterThanSeventeenCostsAThousandEveryFrame) {
    testing::internal::CaptureStdout();
    WalkingRun run;
    settle(run);
    run.player->body->setLinearVelocity(btVector3(0.0f, -16.9f, 0.0f));
    run.player->update(frameSeconds * 1000.0);
    EXPECT_EQ(run.game.getHealth(), 1000.0f);
    run.player->body->setLinearVelocity(btVector3(0.0f, -17.1f, 0.0f));
    run.player->update(frameSeconds * 1000.0);
    run.player->update(frameSeconds * 1000.0);
    EXPECT_EQ(run.game.getHealth(), -1000.0f);
    // Rising that fast counts too.
    run.player->body->setLinearVelocity(btVector3(0.0f, 17.5f, 0.0f));
    run.player->update(frameSeconds * 1000.0);
    EXPECT_EQ(run.game.getHealth(), -2000.0f);
    testing::internal::GetCapturedStdout();
}

TEST(PlayerMovement, TheMouseTurnsWithoutBoundSidewaysButStopsAtAQuarterTurnUpOrDown) {
    testing::internal::CaptureStdout();
    WalkingRun run;
    settle(run);
    // The cursor is captured: the view follows its motion, and it stays where it went.
    run.input.at = glm::dvec2(800 + 3000, 450 + 4000);
    run.frame(frameSeconds);
    EXPECT_DOUBLE_EQ(run.player->verticalAngle, 1.57);
    EXPECT_NEAR(run.player->horizontalAngle, 3.0, 1e-9);
    EXPECT_EQ(run.input.at, glm::dvec2(3800, 4450));
    run.input.at += glm::dvec2(9000, -9000);
    run.frame(frameSeconds);
    EXPECT_DOUBLE_EQ(run.player->verticalAngle, -1.57);
    EXPECT_NEAR(run.player->horizontalAngle, 12.0, 1e-9);
    // A cursor at rest turns nothing, wherever it rests, also where the window's drawable is
    // twice its size on the screen (a scaled display), whose "centre" once lay elsewhere.
    run.game.width *= 2;
    run.game.height *= 2;
    run.input.at = glm::dvec2(400, 300);
    run.frame(frameSeconds);
    const double h = run.player->horizontalAngle, v = run.player->verticalAngle;
    for (int i = 0; i < 10; ++i) run.frame(frameSeconds);
    EXPECT_EQ(run.player->horizontalAngle, h);
    EXPECT_EQ(run.player->verticalAngle, v);
    // The up vector points along render -y while the view is not straight up or down.
    EXPECT_LT(run.player->up.y, 0.0f);
    testing::internal::GetCapturedStdout();
}

TEST(PlayerMovement, AfterMTheEyeFliesByItselfAndOnlyOneKeyOfEachPairActs) {
    testing::internal::CaptureStdout();
    WalkingRun run;
    settle(run);
    run.input.press(keys::m);
    run.frame(frameSeconds);
    run.input.releaseAll();
    ASSERT_TRUE(run.player->flyMode);
    const glm::vec3 start = run.player->position;
    const glm::vec3 direction = run.player->direction;
    run.input.press(keys::w);
    run.input.press(keys::s);
    run.player->update(100.0);
    const glm::vec3 forward = run.player->position - start;
    EXPECT_NEAR(glm::length(forward - direction * 0.6f), 0.0f, 1e-4f) << "6 units a second along the view";
    run.input.releaseAll();
    run.input.press(keys::a);
    run.input.press(keys::d);
    const glm::vec3 before = run.player->position;
    run.player->update(100.0);
    const glm::vec3 side = glm::cross(run.player->direction, run.player->up);
    EXPECT_NEAR(glm::length(run.player->position - before + side * 0.3f), 0.0f, 1e-4f) << "A only";
    // The body is left alone, and Space does nothing.
    run.input.releaseAll();
    run.input.press(keys::space);
    EXPECT_EQ(pushOfOneUpdate(run), glm::vec3(0.0f));
    testing::internal::GetCapturedStdout();
}

TEST(PlayerMovement, TheRightButtonRaisesTheShieldWhileHeldAndTheLeftButtonThenDoesNotAttack) {
    testing::internal::CaptureStdout();
    WalkingRun run;
    settle(run);
    CameraState& player = *run.player;
    // The shield's distance from the line of sight.
    const auto shieldOffCentre = [&] {
        const glm::vec3 fromEye = glm::vec3(player.shield->modelMatrix[3]) - player.position;
        return glm::length(fromEye - glm::dot(fromEye, player.direction) * player.direction);
    };
    run.input.buttonsDown = {mouseButtons::left};
    run.frame(frameSeconds);
    EXPECT_TRUE(player.attackHeld);
    EXPECT_FALSE(player.blockHeld);
    EXPECT_FALSE(player.shieldRaised);
    const float lowered = shieldOffCentre();

    run.input.buttonsDown = {mouseButtons::left, mouseButtons::right};
    run.frame(frameSeconds);
    EXPECT_TRUE(player.blockHeld);
    EXPECT_TRUE(player.shieldRaised);
    EXPECT_FALSE(player.attackHeld) << "no sweep behind the shield";
    EXPECT_LT(shieldOffCentre(), 0.6f * lowered) << "raised towards the middle of the view";

    run.input.buttonsDown.clear();
    run.frame(frameSeconds);
    EXPECT_FALSE(player.blockHeld);
    EXPECT_FALSE(player.shieldRaised);
    EXPECT_FALSE(player.attackHeld);
    EXPECT_NEAR(shieldOffCentre(), lowered, 1e-5f);
    testing::internal::GetCapturedStdout();
}

namespace {

// A flat floor, top at y = -0.5, cut into right triangles `cell` units across, each cell
// split along a diagonal that alternates, as a modeller's grid gives.
std::vector<float> gridFloor(float cell) {
    std::vector<float> corners;
    const auto corner = [&](float x, float z) { corners.insert(corners.end(), {x, -0.5f, z}); };
    for (float x = -10.0f; x < 10.0f; x += cell) {
        for (float z = -60.0f; z < 10.0f; z += cell) {
            const bool flip = static_cast<int>((x + z) / cell) % 2 != 0;
            if (flip) {
                corner(x, z);
                corner(x, z + cell);
                corner(x + cell, z);
                corner(x + cell, z);
                corner(x, z + cell);
                corner(x + cell, z + cell);
            } else {
                corner(x, z);
                corner(x, z + cell);
                corner(x + cell, z + cell);
                corner(x, z);
                corner(x + cell, z + cell);
                corner(x + cell, z);
            }
        }
    }
    return corners;
}

}  // namespace

TEST(PlayerMovement, AFinelyCutFloorDoesNotCatchTheBodyOnItsSeams) {
    for (const double fps : {10.0, 60.0, 144.0}) {
        SCOPED_TRACE(fps);
        WalkingRun run(gridFloor(0.37f));
        run.frames(1.0 / fps, 0.5);
        run.input.press(keys::w);
        // Up to full speed, then 25 units more of a walk across the seams; a body that
        // catches never gets there, so the walk is given a few seconds at most.
        float slowest = 100.0f, steepest = 0.0f;
        bool fullSpeed = false;
        const float startZ = run.bodyOrigin().z;
        while (run.bodyOrigin().z > startZ - 30.0f && run.simulatedSeconds < 8.0) {
            run.frame(1.0 / fps);
            const float speed = glm::length(run.velocity());
            fullSpeed = fullSpeed || speed >= 6.9f;
            if (!fullSpeed) continue;
            slowest = std::min(slowest, speed);
            steepest = std::max(steepest, std::abs(run.velocity().y));
        }
        EXPECT_LE(run.bodyOrigin().z, startZ - 30.0f) << "the walk did not get across";
        EXPECT_GE(slowest, 6.5f);
        EXPECT_LT(steepest, 0.2f);
    }
}

TEST(PlayerMovement, TheMouseTurnsByTheSensitivityInvertFlipsOnlyUpAndDownAndTheViewTakesItsWidth) {
    testing::internal::CaptureStdout();
    WalkingRun run;
    settle(run);
    run.game.lookSensitivity = 0.002;
    run.game.invertLook = true;
    run.game.fieldOfViewDegrees = 60.0f;
    const double h = run.player->horizontalAngle, v = run.player->verticalAngle;
    // Right by 100 pixels and back (down the screen) by 50.
    run.input.at = glm::dvec2(run.game.width / 2 + 100, run.game.height / 2 + 50);
    run.frame(frameSeconds);
    EXPECT_NEAR(run.player->horizontalAngle - h, 0.2, 1e-9);
    EXPECT_NEAR(run.player->verticalAngle - v, -0.1, 1e-9) << "inverted, the mouse moved back looks up";
    EXPECT_NEAR(run.game.projection[1][1], 1.0f / std::tan(glm::radians(30.0f)), 1e-5f);
    testing::internal::GetCapturedStdout();
}
