// The command line and the automatic resolution scale: pure rules, no window.
#include <algorithm>
#include <cmath>

#include <gtest/gtest.h>

#include "app/CommandLine.h"
#include "app/ResolutionScale.h"

using namespace zarnhold;

TEST(CommandLine, ReadsTheScaleTheTargetAndHelpAndRefusesAnythingElseWithOneLine) {
    const ParsedCommandLine none = parseCommandLine({});
    EXPECT_EQ(none.error, "");
    EXPECT_EQ(none.options.fixedScale, 0.0f) << "automatic by default";
    EXPECT_EQ(none.options.targetFps, 30.0);

    const ParsedCommandLine set =
        parseCommandLine({"--scale", "0.7", "--target-fps=45", "--clock-file", "c.txt"});
    EXPECT_EQ(set.error, "");
    EXPECT_FLOAT_EQ(set.options.fixedScale, 0.7f);
    EXPECT_EQ(set.options.targetFps, 45.0);
    EXPECT_EQ(set.options.clockFile, "c.txt");
    EXPECT_FLOAT_EQ(parseCommandLine({"--scale=1"}).options.fixedScale, 1.0f);
    EXPECT_TRUE(parseCommandLine({"--help"}).options.help);
    EXPECT_FALSE(none.options.mute);
    EXPECT_EQ(none.options.volume, 100.0f);
    const ParsedCommandLine sound = parseCommandLine({"--mute", "--volume", "40"});
    EXPECT_TRUE(sound.options.mute);
    EXPECT_EQ(sound.options.volume, 40.0f);
    EXPECT_TRUE(none.options.vsync) << "vsync on by default";
    const ParsedCommandLine replay =
        parseCommandLine({"--record", "r.txt", "--replay=a.txt", "--vsync", "off"});
    EXPECT_EQ(replay.error, "");
    EXPECT_EQ(replay.options.recordFile, "r.txt");
    EXPECT_EQ(replay.options.replayFile, "a.txt");
    EXPECT_FALSE(replay.options.timedemo);
    EXPECT_FALSE(replay.options.vsync);
    const ParsedCommandLine timedemo = parseCommandLine({"--timedemo", "route.zrec"});
    EXPECT_TRUE(timedemo.options.timedemo) << "a timedemo replays";
    EXPECT_EQ(timedemo.options.replayFile, "route.zrec");
    EXPECT_FALSE(timedemo.options.vsync) << "and never waits for the display";
    EXPECT_FALSE(none.options.fullscreen);
    EXPECT_TRUE(parseCommandLine({"--fullscreen"}).options.fullscreen);

    for (const std::vector<std::string>& bad :
         std::vector<std::vector<std::string>>{{"--scale"},
                                               {"--scale", "0.2"},
                                               {"--scale", "1.5"},
                                               {"--scale", "0.5x"},
                                               {"--scale", "nan"},
                                               {"--target-fps", "0"},
                                               {"--target-fps", ""},
                                               {"--clock-file="},
                                               {"--fullscreen=yes"},
                                               {"extra"},
                                               {"--help=yes"},
                                               {"--mute=1"},
                                               {"--volume", "101"},
                                               {"--volume", "-1"},
                                               {"--replay"},
                                               {"--record="},
                                               {"--vsync", "yes"},
                                               {"--sensitivity", "0.0001"},
                                               {"--sensitivity", "0.005"},
                                               {"--invert-look", "1"},
                                               {"--fov", "34"},
                                               {"--fov=76"},
                                               {"--no-pause-on-focus-loss=1"},
                                               {"--replay", "a", "--timedemo", "b"}}) {
        const ParsedCommandLine parsed = parseCommandLine(bad);
        EXPECT_NE(parsed.error, "") << bad[0];
        EXPECT_EQ(parsed.error.find('\n'), std::string::npos) << "one line";
    }
    EXPECT_NE(usageText().find("--target-fps"), std::string::npos);
}

TEST(CommandLine, SettingsGivenStandOverTheFileAndTheRestComeFromIt) {
    Settings file;
    file.sensitivity = 0.002;
    file.invertLook = true;
    file.fieldOfViewDegrees = 70.0f;
    file.volume = 20.0f;
    file.vsync = false;
    file.pauseOnFocusLoss = false;

    const GameOptions fromFile = withSavedSettings(parseCommandLine({}).options, file);
    EXPECT_EQ(static_cast<const Settings&>(fromFile), file);
    EXPECT_EQ(fromFile.savedSettings, file);

    const ParsedCommandLine given =
        parseCommandLine({"--sensitivity", "0.0005", "--invert-look=off", "--fov", "40", "--volume", "90",
                          "--vsync", "on", "--no-pause-on-focus-loss"});
    ASSERT_EQ(given.error, "");
    EXPECT_EQ(given.options.settingsGiven.size(), 6u);
    const GameOptions over = withSavedSettings(given.options, file);
    EXPECT_EQ(over.sensitivity, 0.0005);
    EXPECT_FALSE(over.invertLook);
    EXPECT_EQ(over.fieldOfViewDegrees, 40.0f);
    EXPECT_EQ(over.volume, 90.0f);
    EXPECT_TRUE(over.vsync);
    EXPECT_FALSE(over.pauseOnFocusLoss);
    EXPECT_EQ(over.savedSettings, file) << "what the command line gives is not the file's";

    // One given, the rest from the file; a timedemo never waits for the display.
    const GameOptions oneGiven =
        withSavedSettings(parseCommandLine({"--fov=50", "--timedemo", "r"}).options, file);
    EXPECT_EQ(oneGiven.fieldOfViewDegrees, 50.0f);
    EXPECT_EQ(oneGiven.volume, 20.0f);
    EXPECT_TRUE(oneGiven.invertLook);
    Settings vsyncOn = file;
    vsyncOn.vsync = true;
    const GameOptions timedemo = withSavedSettings(parseCommandLine({"--timedemo", "r"}).options, vsyncOn);
    EXPECT_FALSE(timedemo.vsync);
    EXPECT_EQ(timedemo.fieldOfViewDegrees, 45.0f) << "a timedemo draws the view every machine draws";
}

namespace {

// A frame that costs `fixedMs` whatever the scale plus `pixelMs` at full size, shrinking
// with the pixels; `wobble` swings alternate frames by that share either way.
struct FrameCost {
    double fixedMs;
    double pixelMs;
    double wobble = 0.0;
    double at(float scale, int frame) const {
        const double ms = fixedMs + pixelMs * scale * scale;
        return ms * (1.0 + (frame % 2 ? wobble : -wobble));
    }
};

struct Settled {
    float scale;
    // Changes of scale over the last half of the frames.
    int lateChanges;
};

Settled play(ResolutionScale& controller, const FrameCost& cost, int frames) {
    int lateChanges = 0;
    for (int i = 0; i < frames; ++i) {
        const float before = controller.scale();
        const float after = controller.frameTook(cost.at(before, i));
        if (i > frames / 2 && after != before) ++lateChanges;
    }
    return {controller.scale(), lateChanges};
}

}  // namespace

TEST(ResolutionScale, SettlesOnTheLargestStepThatHoldsTheTargetWithoutHunting) {
    // 50 ms at full size, 12 of it fixed: s^2 * 38 + 12 <= 33.3 gives s <= 0.749.
    ResolutionScale controller;
    const Settled slow = play(controller, {12.0, 38.0, 0.15}, 400);
    EXPECT_FLOAT_EQ(slow.scale, 0.7f);
    EXPECT_EQ(slow.lateChanges, 0);
    EXPECT_LT(FrameCost({12.0, 38.0}).at(slow.scale, 0), 1000.0 / 30.0);

    // The load goes: back up to full size, one step at a time.
    const Settled fast = play(controller, {5.0, 15.0, 0.15}, 400);
    EXPECT_FLOAT_EQ(fast.scale, 1.0f);
    EXPECT_EQ(fast.lateChanges, 0);

    // A frame the fixed part alone overruns: the floor, and no lower.
    ResolutionScale floorBound;
    EXPECT_FLOAT_EQ(play(floorBound, {60.0, 80.0}, 200).scale, 0.35f);

    // One long frame (a hitch) among fast ones changes nothing.
    ResolutionScale steady;
    for (int i = 0; i < 100; ++i) steady.frameTook(i == 50 ? 200.0 : 20.0);
    EXPECT_FLOAT_EQ(steady.scale(), 1.0f);
}

TEST(ResolutionScale, AnotherTargetMovesTheSettledScale) {
    ResolutionScaleSettings sixty;
    sixty.targetFps = 60.0;
    ResolutionScale controller(sixty);
    // 8 + 22 s^2 <= 16.7 gives s <= 0.63.
    EXPECT_FLOAT_EQ(play(controller, {8.0, 22.0, 0.1}, 400).scale, 0.6f);
    EXPECT_EQ(play(controller, {8.0, 22.0, 0.1}, 400).lateChanges, 0);
}

TEST(ResolutionScale, JudgedByItsWorkAFrameOnA60HzDisplayNeitherHuntsNorSettlesLow) {
    // With vsync on a 60 Hz display a frame lasts a whole number of refreshes: 16.7 ms for
    // work under it, 33.3 for work just over. The game gives the controller the work (up to
    // the swap), not the frame: judged by frames it would see each small overrun as a frame
    // twice as long.
    const double refreshMs = 1000.0 / 60.0;
    const FrameCost cost{8.0, 22.0, 0.05};
    const auto shown = [&](float scale, int frame) {
        return std::ceil(cost.at(scale, frame) / refreshMs) * refreshMs;
    };
    ResolutionScaleSettings sixty;
    sixty.targetFps = 60.0;

    ResolutionScale byWork(sixty), byFrame(sixty);
    int workChanges = 0, frameChanges = 0;
    float lowestByFrame = 1.0f;
    for (int i = 0; i < 800; ++i) {
        const float work = byWork.scale(), frame = byFrame.scale();
        const bool workChanged = byWork.frameTook(cost.at(work, i)) != work;
        const bool frameChanged = byFrame.frameTook(shown(frame, i)) != frame;
        workChanges += i > 400 && workChanged;
        frameChanges += i > 400 && frameChanged;
        if (i > 400) lowestByFrame = std::min(lowestByFrame, byFrame.scale());
    }
    // 8 + 22 s^2 with its wobble fits 16.7 ms up to 0.6.
    EXPECT_FLOAT_EQ(byWork.scale(), 0.6f);
    EXPECT_EQ(workChanges, 0);
    EXPECT_TRUE(frameChanges > 0 || lowestByFrame < 0.6f)
        << "the display's wait alone would have misled it (" << frameChanges << " changes, lowest "
        << lowestByFrame << ")";
}
