// On the real level, the low wall lights of the start hall and the corridor (light
// crystals 2 and 3) give the player nothing to stand on: walking into the wall under them
// with Space held lifts nobody higher than a jump, at 10, 30, 60 and 144 frames a second.
#include <algorithm>
#include <cstdio>

#include <btBulletDynamicsCommon.h>
#include <gtest/gtest.h>

#include "game/Movement.h"
#include "run/PlayerInput.h"
#include "tests/WalkingRun.h"

using namespace zarnhold;

TEST(BodyContact, JumpingAgainstTheWallUnderALightCrystalLiftsNobody) {
    struct WallLight {
        glm::vec3 stand;  // body centre, physics
        double facing;    // h: W walks towards (sin h, 0, -cos h)
    };
    const WallLight lights[] = {{{1.2f, 0.0f, 0.0f}, 1.5708}, {{0.1f, 1.0f, -7.5f}, -1.5708}};
    for (double fps : {10.0, 30.0, 60.0, 144.0}) {
        for (const WallLight& light : lights) {
            WalkingRun run(WalkingRun::realLevelCorners());
            btTransform at;
            at.setIdentity();
            at.setOrigin(btVector3(light.stand.x, light.stand.y, light.stand.z));
            run.player->body->setWorldTransform(at);
            run.player->body->getMotionState()->setWorldTransform(at);
            run.player->horizontalAngle = light.facing;
            run.frames(1.0 / fps, 0.5);
            const float floorCentre = run.bodyOrigin().y;
            run.input.press(keys::w);
            run.input.press(keys::space);
            float highest = floorCentre, fastest = 0.0f;
            const double end = run.simulatedSeconds + 3.0;
            while (run.simulatedSeconds < end - 1e-9) {
                run.frame(1.0 / fps);
                highest = std::max(highest, run.bodyOrigin().y);
                fastest = std::max(fastest, glm::length(run.velocity()));
            }
            std::printf(
                "jumps under a wall light %3.0f fps: peak speed %5.2f, highest centre %4.2f over %4.2f\n",
                fps, fastest, highest, floorCentre);
            EXPECT_LT(highest, floorCentre + 2.6f) << fps << " fps";
            EXPECT_LT(fastest, deadlyVerticalSpeed);
        }
    }
}
