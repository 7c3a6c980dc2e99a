// What a fight tells the player without GL: the side harm comes from and how long its mark
// lasts, the health bar's lighter segment, and the sound's mix (a sword's hit over the
// contact thumps).
#include <gtest/gtest.h>

#include "app/HealthBarLayout.h"
#include "app/HealthTrail.h"
#include "audio/SoundMixer.h"
#include "game/HarmMarks.h"

using namespace zarnhold;

TEST(HarmMarks, ASideIsWhereTheAttackerIsAsTheViewTurnsAndItsMarkFadesWithinASecond) {
    // Looking along render +z (angle 0), screen right is render +x.
    const glm::vec3 eye(0.0f);
    struct Case {
        glm::vec3 attacker;
        double view;
        HarmMarks::Side side;
    };
    const Case cases[] = {
        {{0, 0, 2}, 0.0, HarmMarks::front},          {{0, 0, -2}, 0.0, HarmMarks::back},
        {{2, 0, 0}, 0.0, HarmMarks::right},          {{-2, 0, 0}, 0.0, HarmMarks::left},
        {{2, 0, 2}, 0.0, HarmMarks::frontRight},     {{-2, 0, -2}, 0.0, HarmMarks::backLeft},
        {{2, 0, 0}, 1.5708, HarmMarks::front},       {{0, 0, 2}, 1.5708, HarmMarks::left},
        {{0, 0, 2}, 2.0 * 6.2832, HarmMarks::front},  // whole turns of an unbounded angle
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HarmMarks::sideOf(HarmMarks::bearing(eye, c.attacker), c.view), c.side)
            << c.attacker.x << "," << c.attacker.z << " at " << c.view;
    }

    HarmMarks marks;
    const double behind = HarmMarks::bearing(eye, {0, 0, -2}), leftSide = HarmMarks::bearing(eye, {-2, 0, 0});
    marks.harmFrom(behind, true);
    marks.harmFrom(leftSide, false);
    EXPECT_FLOAT_EQ(marks.flash(), 1.0f);
    // Turned half round, the one behind is now in front.
    EXPECT_FLOAT_EQ(marks.sides(3.14159)[HarmMarks::front], 1.0f);
    for (int tick = 0; tick < 50; ++tick) {
        marks.advance(10.0);
        marks.harmFrom(leftSide + 0.1, false);  // the same creature, shifting a little
    }
    const auto held = marks.sides(0.0);
    EXPECT_FLOAT_EQ(held[HarmMarks::left], 1.0f) << "full while the harm goes on";
    EXPECT_GT(held[HarmMarks::back], 0.0f);
    EXPECT_LT(held[HarmMarks::back], 0.7f) << "fading since its harm stopped";
    EXPECT_EQ(marks.flash(), 0.0f);
    marks.advance(HarmMarks::fullMs + HarmMarks::fadeMs);
    for (float side : marks.sides(0.0)) EXPECT_EQ(side, 0.0f);
}

TEST(HealthTrail, ALossShowsPaleHoldsWhileItGoesOnThenDrainsAndAHealShowsAtOnce) {
    HealthTrail trail;
    trail.reset(1000.0f);
    trail.follow(800.0f, 10.0);
    EXPECT_FLOAT_EQ(trail.trail(), 1000.0f);
    // Falling on: the segment holds at where the losses began.
    for (int i = 0; i < 40; ++i) trail.follow(800.0f - 5.0f * i, 10.0);
    EXPECT_FLOAT_EQ(trail.trail(), 1000.0f);
    trail.follow(605.0f, HealthTrail::holdMs);
    EXPECT_FLOAT_EQ(trail.trail(), 1000.0f) << "held until holdMs after the last fall";
    trail.follow(605.0f, 100.0);
    EXPECT_NEAR(trail.trail(), 1000.0f - HealthTrail::drainPerSecond * 0.1f, 0.01f);
    trail.follow(605.0f, 1000.0);
    EXPECT_FLOAT_EQ(trail.trail(), 605.0f) << "drained down to the health, not past it";
    trail.follow(655.0f, 10.0);
    EXPECT_FLOAT_EQ(trail.trail(), 655.0f);

    // On the bar: the lost part runs from the fill's end to the trail's, and is empty
    // without a loss.
    const HealthBarLayout bar = layoutHealthBar(1600, 900, 500.0f, 750.0f);
    EXPECT_EQ(bar.lost.x, bar.fill.x + bar.fill.width);
    EXPECT_NEAR(bar.lost.width, bar.fill.width / 2, 1);
    EXPECT_EQ(layoutHealthBar(1600, 900, 500.0f).lost.width, 0);
    EXPECT_EQ(layoutHealthBar(1600, 900, 500.0f, 400.0f).lost.width, 0);
}

TEST(SoundMix, ASwordsHitIsLouderThanTheThumpsAndDucksThemBriefly) {
    EXPECT_GT(soundInfo(Sound::swordHit).gain, soundInfo(Sound::playerHit).gain);
    EXPECT_GT(soundInfo(Sound::swordHit).gain, soundInfo(Sound::shieldThud).gain);
    struct Case {
        Sound sound;
        double msSinceHit;
        float level;
    };
    const Case cases[] = {
        {Sound::playerHit, -1.0, 1.0f},
        {Sound::playerHit, 0.0, duckedLevel},
        {Sound::shieldThud, duckMs - 1.0, duckedLevel},
        {Sound::shieldThud, duckMs, 1.0f},
        {Sound::grunt, 10.0, 1.0f},
        {Sound::swordHit, 10.0, 1.0f},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(duckLevel(c.sound, c.msSinceHit), c.level)
            << static_cast<int>(c.sound) << " " << c.msSinceHit;
    }
}
