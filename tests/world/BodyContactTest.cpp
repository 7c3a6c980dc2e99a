// The player's and the enemies' real bodies meeting, as a playing frame moves them, at
// 10, 30, 60 and 144 frames a second: nobody is flung, lifted onto a head, or blocked.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include <btBulletDynamicsCommon.h>
#include <gtest/gtest.h>

#include "app/WorldClock.h"
#include "game/Enemy.h"
#include "game/Movement.h"
#include "run/PhysicsWorld.h"
#include "run/PlayerInput.h"
#include "tests/WalkingRun.h"

using namespace zarnhold;

namespace {

std::vector<float> flatFloor() {
    return {-50, 0, -50, -50, 0, 50, 50, 0, 50, -50, 0, -50, 50, 0, 50, 50, 0, -50};
}

// What a run of frames did to the player.
struct Peaks {
    float speed = 0.0f;     // fastest, all three components
    float rise = 0.0f;      // fastest upwards
    float highest = -1e9f;  // body centre, physics y
    float vertical = 0.0f;  // fastest up or down
};

// A closed room: floor at 0, ceiling at `height`, walls at +-`half` in x and z (physics).
std::vector<float> closedRoom(float half, float height) {
    std::vector<float> corners;
    const auto quad = [&](glm::vec3 a, glm::vec3 b, glm::vec3 c, glm::vec3 d) {
        for (glm::vec3 p : {a, b, c, a, c, d}) corners.insert(corners.end(), {p.x, p.y, p.z});
    };
    const float h = half, y = height;
    quad({-h, 0, -h}, {-h, 0, h}, {h, 0, h}, {h, 0, -h});
    quad({-h, y, -h}, {h, y, -h}, {h, y, h}, {-h, y, h});
    quad({-h, 0, -h}, {h, 0, -h}, {h, y, -h}, {-h, y, -h});
    quad({-h, 0, h}, {-h, y, h}, {h, y, h}, {h, 0, h});
    quad({-h, 0, -h}, {-h, y, -h}, {-h, y, h}, {-h, 0, h});
    quad({h, 0, -h}, {h, 0, h}, {h, y, h}, {h, y, -h});
    return corners;
}

// The player and some enemies on one level, each frame run as the game runs it: the
// physics step, then the player's update, then the enemies'.
struct ContactRun {
    explicit ContactRun(const std::vector<float>& level = flatFloor()) : run(level) {}

    Enemy& addEnemy(glm::vec3 physicsCentre) {
        enemies.push_back(
            std::make_unique<Enemy>(run.player.get(), physicsCentre.x, physicsCentre.y, physicsCentre.z));
        enemies.back()->startSimulating();
        return *enemies.back();
    }
    void placePlayer(glm::vec3 physicsCentre) {
        btTransform t;
        t.setIdentity();
        t.setOrigin(btVector3(physicsCentre.x, physicsCentre.y, physicsCentre.z));
        run.player->body->setWorldTransform(t);
        run.player->body->getMotionState()->setWorldTransform(t);
        run.player->body->setLinearVelocity(btVector3(0, 0, 0));
    }
    void frame(double fps) {
        const double worldMs = worldAdvanceMs(1000.0 / fps);
        run.simulatedSeconds += run.game.physics->step(static_cast<float>(worldMs / 1000.0)) * 0.01;
        run.player->update(worldMs);
        for (auto& enemy : enemies) enemy->update(worldMs);
        const glm::vec3 v = run.velocity();
        peaks.speed = std::max(peaks.speed, glm::length(v));
        peaks.rise = std::max(peaks.rise, v.y);
        peaks.vertical = std::max(peaks.vertical, std::abs(v.y));
        peaks.highest = std::max(peaks.highest, run.bodyOrigin().y);
    }
    // Frames at `fps` until `seconds` of the world's time have passed.
    void play(double fps, double seconds) {
        const double end = run.simulatedSeconds + seconds;
        while (run.simulatedSeconds < end - 1e-9) frame(fps);
    }

    WalkingRun run;
    std::vector<std::unique_ptr<Enemy>> enemies;
    Peaks peaks;
};

const double frameRates[] = {10.0, 30.0, 60.0, 144.0};

// A jump from the floor (centre 0.5) rises 7 * 7 / (2 * 9.8) = 2.5; anything higher stood
// on something.
constexpr float plainJumpTop = 0.5f + 2.6f;

void report(const char* scene, double fps, const Peaks& p) {
    std::printf("%-26s %3.0f fps: peak speed %5.2f, peak vertical %5.2f, highest centre %4.2f\n", scene, fps,
                p.speed, p.vertical, p.highest);
}

void expectUnflung(const char* scene, double fps, const Peaks& p) {
    report(scene, fps, p);
    EXPECT_LT(p.speed, deadlyVerticalSpeed) << scene << " at " << fps << " fps";
    EXPECT_LT(p.highest, plainJumpTop) << scene << " at " << fps << " fps: the player jumped off something";
}

}  // namespace

TEST(BodyContact, LeapsIntoThePlayerAndJumpsOntoEnemiesFlingNobody) {
    for (double fps : frameRates) {
        {
            ContactRun s;
            s.placePlayer({0, 0.5f, 0});
            Enemy& enemy = s.addEnemy({3.0f, 0.4f, 0});
            s.play(fps, 0.5);
            enemy.lungeTimer = 2600.0f;
            s.play(fps, 3.0);
            expectUnflung("enemy leaps into player", fps, s.peaks);
        }
        for (bool leaping : {false, true}) {
            ContactRun s;
            s.placePlayer({0, 0.5f, 0});
            // Straight ahead: W walks towards physics -z.
            Enemy& enemy = s.addEnemy({0.0f, 0.4f, -1.6f});
            s.play(fps, 0.3);
            enemy.lungeTimer = leaping ? 2600.0f : -1e9f;
            s.run.input.press(keys::w);
            s.run.input.press(keys::space);
            s.play(fps, 3.0);
            expectUnflung(leaping ? "jump onto leaping enemy" : "jump onto standing enemy", fps, s.peaks);
        }
    }
}

TEST(BodyContact, AnEnemysHeadGivesNoFootingAndADeadOnesPlaceIsOpen) {
    for (double fps : frameRates) {
        for (float offset : {0.0f, 0.15f}) {
            ContactRun s;
            Enemy& enemy = s.addEnemy({0.0f, 0.4f, 0.0f});
            enemy.lungeTimer = -1e9f;
            // Dropped from just above its head.
            s.placePlayer({offset, 1.4f, 0.0f});
            s.play(fps, 1.5);
            const glm::vec3 at = s.run.bodyOrigin();
            EXPECT_LT(at.y, 0.6f) << "slid off onto the floor at " << fps << " fps";
            EXPECT_GT(std::abs(at.x - enemy.renderCentre().x), 0.45f) << "beside the enemy, not in it";
            EXPECT_LT(s.peaks.speed, 5.0f) << "not thrown off";
        }
        ContactRun s;
        Enemy& enemy = s.addEnemy({0.0f, 0.4f, -2.0f});
        s.placePlayer({0, 0.5f, 0});
        s.play(fps, 0.3);
        enemy.enemyHealth = -1.0f;
        s.play(fps, 0.1);
        ASSERT_TRUE(enemy.dead);
        s.run.input.press(keys::w);
        s.play(fps, 1.5);
        EXPECT_LT(s.run.bodyOrigin().z, -4.0f)
            << "walked through where the dead enemy lies, at " << fps << " fps";
    }
}

// Five enemies and a player who walks, turns and jumps at random in a low closed room, 30
// runs at each rate: the contacts in any order never throw the player.
TEST(BodyContact, ACrowdInALowRoomFlingsNobody) {
    std::srand(7);
    const auto random = [] { return static_cast<float>(std::rand()) / RAND_MAX; };
    for (double fps : frameRates) {
        Peaks worst;
        for (int trial = 0; trial < 30; ++trial) {
            ContactRun s(closedRoom(4.0f, 4.0f));
            s.placePlayer({0, 0.5f, 3.0f});
            for (int e = 0; e < 5; ++e) s.addEnemy({-3 + 6 * random(), 0.4f + random(), -3 + 5 * random()});
            s.play(fps, 0.3);
            for (auto& enemy : s.enemies) enemy->lungeTimer = 2500.0f * random();
            s.run.input.press(keys::w);
            if (random() < 0.7f) s.run.input.press(keys::space);
            const float turn = (random() - 0.5f) * 2.0f;
            for (int f = 0; f < static_cast<int>(4.0 * fps); ++f) {
                if (f % static_cast<int>(fps / 2 + 1) == 0) s.run.turnBy(turn);
                s.frame(fps);
            }
            worst.speed = std::max(worst.speed, s.peaks.speed);
            worst.vertical = std::max(worst.vertical, s.peaks.vertical);
            worst.highest = std::max(worst.highest, s.peaks.highest);
        }
        report("crowd, worst of 30", fps, worst);
        EXPECT_LT(worst.speed, deadlyVerticalSpeed) << fps << " fps";
    }
}
