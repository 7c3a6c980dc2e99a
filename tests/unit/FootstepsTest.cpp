// When the player's feet are heard: a step each stride walked on the ground, whatever the
// frame rate, nothing standing or in the air, and a landing after a fall.
#include <vector>

#include <gtest/gtest.h>

#include "game/Footsteps.h"

using namespace zarnhold;

namespace {

// Frames at one velocity (physics frame, units a second).
struct Stretch {
    glm::vec3 velocity;
    double frameSeconds;
    int frames;
};

// The sounds heard over the stretches, in order, from a body at rest on the ground.
std::vector<FootSound> soundsOver(const std::vector<Stretch>& stretches) {
    FootstepState state;
    std::vector<FootSound> heard;
    for (const Stretch& stretch : stretches) {
        for (int i = 0; i < stretch.frames; ++i) {
            const FootSound sound = footSound(state, stretch.velocity, stretch.frameSeconds);
            if (sound != FootSound::none) heard.push_back(sound);
        }
    }
    return heard;
}

constexpr double at60 = 1.0 / 60.0;
const glm::vec3 still(0.0f);
const glm::vec3 walking(4.0f, 0.0f, 0.0f);  // a stride each 0.4 s

}  // namespace

TEST(Footsteps, AStepEachStrideOnTheGroundAtAnyFrameRateNoneInTheAirAndALandingAfterAFall) {
    using F = FootSound;
    const F s1 = F::step1, s2 = F::step2;
    struct Case {
        const char* what;
        std::vector<Stretch> stretches;
        std::vector<FootSound> heard;
    };
    const Case cases[] = {
        {"standing for ten seconds", {{still, at60, 600}}, {}},
        {"8.4 units walked at 60 frames a second: five strides, feet by turns",
         {{walking, at60, 126}},
         {s2, s1, s2, s1, s2}},
        {"the same walk at 20 frames a second", {{walking, 0.05, 42}}, {s2, s1, s2, s1, s2}},
        {"the same walk at 144 frames a second", {{walking, 1.0 / 144.0, 302}}, {s2, s1, s2, s1, s2}},
        {"a stride counts the ground speed, not a slope's small vertical one",
         {{glm::vec3(3.0f, 0.3f, 4.0f), at60, 60}},
         {s2, s1, s2}},
        {"moving through the air", {{glm::vec3(4.0f, 5.0f, 0.0f), at60, 120}}, {}},
        {"a jump mid-stride starts the stride again",
         {{walking, at60, 18}, {glm::vec3(4.0f, 2.0f, 0.0f), at60, 10}, {walking, at60, 18}},
         {}},
        {"a soft landing, heard once",
         {{glm::vec3(0.0f, -5.0f, 0.0f), at60, 10}, {still, at60, 60}},
         {F::land}},
        {"a hard landing", {{glm::vec3(0.0f, -10.0f, 0.0f), at60, 10}, {still, at60, 60}}, {F::landHard}},
        {"a fall at 9 is soft", {{glm::vec3(0.0f, -9.0f, 0.0f), at60, 10}, {still, at60, 1}}, {F::land}},
        {"a fall at 3 lands silently", {{glm::vec3(0.0f, -3.0f, 0.0f), at60, 10}, {still, at60, 60}}, {}},
        {"landing while walking: the landing, then a stride from there",
         {{glm::vec3(4.0f, -6.0f, 0.0f), at60, 10}, {walking, at60, 30}},
         {F::land, s2}},
    };
    for (const Case& c : cases) EXPECT_EQ(soundsOver(c.stretches), c.heard) << c.what;
}
