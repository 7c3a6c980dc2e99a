// What a fight shows the player, replayed from recorded inputs in a real run: the side a
// hurting creature is on (marked at that edge of the view, a flash at a new touch), a
// struck creature's flash and a dead one's dimming, and a player who walks at an angle into
// a creature that does not give way sliding along it instead of being held.
#include <cmath>
#include <vector>

#include <GL/glew.h>
#include <btBulletDynamicsCommon.h>
#include <gtest/gtest.h>

#include "app/Game.h"
#include "app/TickInput.h"
#include "game/CameraState.h"
#include "game/Enemy.h"
#include "game/HarmMarks.h"
#include "game/Sword.h"
#include "tests/gl/TestGame.h"

using namespace zarnhold;

namespace {

glm::vec3 originOf(const btRigidBody* body) {
    btTransform transform;
    body->getMotionState()->getWorldTransform(transform);
    return {transform.getOrigin().x(), transform.getOrigin().y(), transform.getOrigin().z()};
}

void placeBody(btRigidBody* body, glm::vec3 origin) {
    btTransform transform;
    transform.setIdentity();
    transform.setOrigin(btVector3(origin.x, origin.y, origin.z));
    body->setWorldTransform(transform);
    body->getMotionState()->setWorldTransform(transform);
    body->setLinearVelocity(btVector3(0, 0, 0));
}

// A run replaying `ticks` (seed fixed), with the first creature of the run put beside the
// player, physics frame offset `offset`, facing `facing` (render x and z), never leaping.
struct StagedFight {
    StagedFight(const std::vector<TickInput>& ticks, glm::vec3 offset, glm::vec2 facing) {
        attachTestWindow(game, script);
        Recording recording;
        recording.seed = 7;
        recording.ticks = ticks;
        game.startReplay(recording);
        testing::internal::CaptureStdout();
        game.buildWorld();
        testing::internal::GetCapturedStdout();
        for (AppState* object : game.sceneObjects) {
            if (enemy == nullptr) enemy = dynamic_cast<Enemy*>(object);
            if (sword == nullptr) sword = dynamic_cast<Sword*>(object);
        }
        start = originOf(game.player->body);
        placeBody(enemy->body, start + offset);
        enemy->lungeDirection = facing;
        game.afterTick = [this] { enemy->lungeTimer = -1e9f; };
        enemy->lungeTimer = -1e9f;
    }
    void runTicks(long count) {
        const long until = game.ticksRun + count;
        while (game.ticksRun < until && !game.runHasEnded() && game.replaying()) game.advanceWorld(10.0);
    }
    // The scene drawn into the window, with the harm marks over it when `marks`.
    std::vector<unsigned char> drawFrame(bool marks) {
        game.renderShadowMaps();
        game.drawScene(0, 1.0f);
        if (marks) game.harmOverlay.draw(game.player->harmMarks.sides(game.player->horizontalAngle), 0.0f);
        std::vector<unsigned char> rgb(static_cast<std::size_t>(testWidth) * testHeight * 3);
        glFinish();
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, testWidth, testHeight, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
        return rgb;
    }

    Game game;
    ScriptedInput script;
    Enemy* enemy = nullptr;
    Sword* sword = nullptr;
    glm::vec3 start{0.0f};
};

// How much redder than before a pixel near (x, y) got (window pixels, GL's lower-left origin).
int reddened(const std::vector<unsigned char>& before, const std::vector<unsigned char>& after, int x,
             int y) {
    const std::size_t at = (static_cast<std::size_t>(y) * testWidth + x) * 3;
    return (after[at] - after[at + 1]) - (before[at] - before[at + 1]);
}

}  // namespace

TEST(Combat, AHurtingCreatureIsMarkedOnItsSideOfTheViewTillASecondAfterTheHarm) {
    // The player stands looking along render +z; behind is physics +z, screen left is
    // render (and physics) -x. The creature faces the player, so its touch hurts.
    struct Case {
        const char* where;
        glm::vec3 offset;
        glm::vec2 facing;
        HarmMarks::Side side;
        int edgeX, edgeY;
    };
    const Case cases[] = {
        {"behind", {0.0f, -0.1f, 0.6f}, {0.0f, 1.0f}, HarmMarks::back, testWidth / 2, 4},
        {"on the left", {-0.6f, -0.1f, 0.0f}, {1.0f, 0.0f}, HarmMarks::left, 4, testHeight / 2},
    };
    for (const Case& c : cases) {
        StagedFight fight(std::vector<TickInput>(200), c.offset, c.facing);
        const float before = fight.game.getHealth();
        fight.runTicks(1);
        ASSERT_LT(fight.game.getHealth(), before) << c.where << ": the touch hurts";
        const HarmMarks& marks = fight.game.player->harmMarks;
        const auto sides = marks.sides(fight.game.player->horizontalAngle);
        for (int side = 0; side < HarmMarks::sideCount; ++side) {
            EXPECT_EQ(sides[side], side == c.side ? 1.0f : 0.0f) << c.where << ", side " << side;
        }
        EXPECT_GT(marks.flash(), 0.5f) << c.where << ": a new touch flashes";

        const std::vector<unsigned char> plain = fight.drawFrame(false);
        const std::vector<unsigned char> marked = fight.drawFrame(true);
        EXPECT_GT(reddened(plain, marked, c.edgeX, c.edgeY), 60) << c.where << ": its edge glows red";
        EXPECT_EQ(reddened(plain, marked, testWidth - 1 - c.edgeX, testHeight - 1 - c.edgeY), 0)
            << c.where << ": the opposite edge does not";

        // The push has parted them: the mark fades out within a second.
        fight.runTicks(30);
        EXPECT_GT(marks.sides(fight.game.player->horizontalAngle)[c.side], 0.0f) << c.where;
        fight.runTicks(100);
        EXPECT_EQ(marks.sides(fight.game.player->horizontalAngle)[c.side], 0.0f) << c.where;
    }
}

TEST(Combat, AStruckCreatureFlashesAtOnceAndADeadOneLiesDimmed) {
    // Sweeps (100 ms of the button, 100 ms without) at a creature in reach in front, turned
    // away so it does not hurt the player, put back in reach after each.
    std::vector<TickInput> sweeps(4000);
    for (std::size_t t = 0; t < sweeps.size(); ++t) sweeps[t].attack = t % 20 < 10;
    const glm::vec3 inReach(0.0f, -0.1f, -1.0f);
    StagedFight fight(sweeps, inReach, {0.0f, 1.0f});
    fight.sword->pickedUp = true;
    bool flashedAtOnce = true;
    int strikes = 0;
    while (!fight.enemy->dead && fight.game.replaying()) {
        const float health = fight.enemy->enemyHealth;
        fight.runTicks(1);
        if (fight.enemy->enemyHealth < health && fight.game.ticksRun % 20 == 1) {
            ++strikes;
            flashedAtOnce = flashedAtOnce && fight.enemy->tint().r > 0.4f;
        }
        if (fight.game.ticksRun % 20 == 19) {
            if (!fight.enemy->dead) {
                EXPECT_EQ(fight.enemy->tint(), glm::vec4(0.0f)) << "the flash is over before the next sweep";
            }
            placeBody(fight.enemy->body, fight.start + inReach);
        }
    }
    EXPECT_GT(strikes, 5);
    EXPECT_TRUE(flashedAtOnce) << "every strike flashes on its first tick";
    ASSERT_TRUE(fight.enemy->dead);
    fight.runTicks(1);
    EXPECT_EQ(fight.enemy->tint(), glm::vec4(0.0f, 0.0f, 0.0f, 0.6f)) << "the dead lie dimmed";
}

TEST(Combat, WalkingAtAnAngleIntoACreatureThatDoesNotGiveWaySlidesPastIt) {
    // A creature wedged (held in place, as by a wall or a crowd behind it), turned away so
    // it does not push; the player walks into its flank 17 degrees off square. Held by its
    // grip, the player once stood there with W down.
    TickInput walk;
    walk.forward = true;
    walk.horizontalAngle = 1.5708 - 0.3;  // towards physics +x, a little towards -z
    StagedFight fight(std::vector<TickInput>(300, walk), {1.5f, -0.1f, 0.0f}, {1.0f, 0.0f});
    fight.enemy->body->setLinearFactor(btVector3(0.0f, 1.0f, 0.0f));
    const glm::vec3 creature = originOf(fight.enemy->body);
    fight.runTicks(120);
    const glm::vec3 player = originOf(fight.game.player->body);
    EXPECT_GT(player.x, creature.x) << "the player went past the creature";
    EXPECT_NEAR(originOf(fight.enemy->body).x, creature.x, 1e-3f);
}
