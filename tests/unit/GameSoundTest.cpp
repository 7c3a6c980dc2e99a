// The game's sound against a device that fails on cue: what it refuses is never used or
// recorded, and a device that goes is noticed, played over in silence and found again.
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "audio/GameSound.h"
#include "tests/StandInSoundDevice.h"

using namespace zarnhold;

namespace {

constexpr int humCount = 10;
constexpr int soundCount = static_cast<int>(Sound::count);

int bufferOf(Sound sound) {
    return static_cast<int>(sound);
}

// The game's sound on a stand-in device, its clock moved by the test one frame at a time.
struct SoundRig {
    StandInSoundDevice* device = nullptr;
    double seconds = 0.0;
    GameSound sound;

    explicit SoundRig(std::unique_ptr<StandInSoundDevice> standIn)
        : device(standIn.get()), sound(std::move(standIn), [this] { return clockNow(); }) {}

    GameSound::Clock::time_point clockNow() const {
        return GameSound::Clock::time_point(
            std::chrono::duration_cast<GameSound::Clock::duration>(std::chrono::duration<double>(seconds)));
    }
    void start() {
        sound.start(100.0f, false, [](Sound) {
            return WavSound{22050, 1, std::vector<std::int16_t>(64, 900)};
        });
    }
    // Frames of a run at 60 a second until the clock reads `until`.
    void playUntil(double until) {
        const std::vector<glm::vec3> humPlaces(humCount, glm::vec3(3.0f, -2.0f, -4.0f));
        const std::vector<float> humLevels(humCount, 1.0f);
        do {
            sound.follow(glm::mat4(1.0f), humPlaces, humLevels, glm::vec3(0.0f, 0.0f, -30.0f), true);
            seconds += 1.0 / 60.0;
        } while (seconds < until);
    }
    // The loops of a run, and what each voice is recorded as playing, agree with the device.
    void expectLoops(int hums, const std::string& when) const {
        EXPECT_EQ(device->sounding(bufferOf(Sound::ambient)), 1) << when;
        EXPECT_EQ(device->sounding(bufferOf(Sound::crystalHum)), hums) << when;
        EXPECT_EQ(sound.busyVoices(), device->sounding()) << when << ": a voice recorded as busy is silent";
        EXPECT_EQ(device->strays, 0) << when << ": a voice that was never made was used";
    }
};

std::unique_ptr<StandInSoundDevice> standIn(int sources, Sound refused) {
    auto device = std::make_unique<StandInSoundDevice>();
    device->sourcesAvailable = sources;
    device->refusedBuffer = refused == Sound::count ? -1 : bufferOf(refused);
    return device;
}

}  // namespace

// A pool short of sources plays on what it has; a start the device refuses leaves nothing
// recorded (a loop is tried again each frame, a one-shot that took a busy voice leaves it
// free), whether the voice was free or taken from a quieter sound.
TEST(GameSound, WhatTheDeviceRefusesIsNeitherUsedNorRecorded) {
    struct Case {
        const char* what;
        int sources;
        Sound refused;  // Sound::count: none
        int humsWhileRefused;
        int humsAfter;
    };
    const Case cases[] = {
        {"every source made, nothing refused", 24, Sound::count, humCount, humCount},
        {"five sources made", 5, Sound::count, 4, 4},
        {"no source made", 0, Sound::count, 0, 0},
        {"the hum refused", 24, Sound::crystalHum, 0, humCount},
        {"the grunt refused on a taken voice", 24, Sound::grunt, humCount, humCount},
    };
    for (const Case& c : cases) {
        SoundRig rig(standIn(c.sources, c.refused));
        rig.start();
        ASSERT_TRUE(rig.sound.audible()) << c.what;
        EXPECT_EQ(rig.sound.liveVoices(), c.sources) << c.what;
        EXPECT_EQ(rig.sound.liveBuffers(), soundCount) << c.what;
        if (c.sources == 0) {
            rig.playUntil(0.1);
            rig.sound.playHere(Sound::swish);
            EXPECT_EQ(rig.device->sounding(), 0) << c.what;
            EXPECT_EQ(rig.device->strays, 0) << c.what;
            continue;
        }
        rig.playUntil(0.1);
        // Far steps fill the free voices; near grunts then take the steps' voices.
        for (int i = 0; i < voiceCount; ++i) rig.sound.play(Sound::step1, glm::vec3(0.0f, 0.0f, 35.0f));
        for (int i = 0; i < 3; ++i) rig.sound.play(Sound::grunt, glm::vec3(0.0f, 0.0f, -1.0f));
        rig.expectLoops(c.humsWhileRefused, std::string(c.what) + ", refused");

        rig.device->refusedBuffer = -1;
        rig.playUntil(0.2);
        rig.expectLoops(c.humsAfter, std::string(c.what) + ", then taken");
    }
}

// Headphones pulled out: within a check the game says so once and falls silent, looks for
// a device every few seconds without a word, and when one opens says so once and plays
// the run's loops on it again from buffers and voices made anew.
TEST(GameSound, ALostDeviceIsNoticedPlayedOverInSilenceAndFoundAgainAndAPausesHushHoldsThroughIt) {
    SoundRig rig(standIn(24, Sound::count));
    rig.start();
    rig.playUntil(2.0);
    // Asked a few times a second, not every frame.
    EXPECT_GE(rig.device->checks, 2);
    EXPECT_LE(rig.device->checks, static_cast<int>(2.0 / GameSound::checkSeconds) + 1);
    rig.expectLoops(humCount, "before the device goes");
    // A paused run hushes the sound, also on a device found again meanwhile.
    rig.sound.hush(true);
    EXPECT_EQ(rig.device->masterGain, 0.0f);

    struct Step {
        const char* what;
        bool present;      // the device from this step's start
        double until;      // the clock at this step's end
        bool audible;      // at its end
        const char* said;  // what the game printed during it
        int openTries;     // in all, by its end
    };
    const double lost = 2.0 + GameSound::checkSeconds + 0.05;
    const double back = lost + 2.0 * GameSound::reopenSeconds + 0.5;
    const Step steps[] = {
        {"unplugged", false, lost, false, "Sound device lost: playing in silence\n", 1},
        {"looked for while away", false, back, false, "", 3},
        {"plugged in again", true, back + GameSound::reopenSeconds, true,
         "Sound device back: playing sound again\n", 4},
        {"playing on", true, back + 2.0 * GameSound::reopenSeconds, true, "", 4},
    };
    for (const Step& step : steps) {
        rig.device->present = step.present;
        testing::internal::CaptureStdout();
        rig.playUntil(step.until);
        rig.sound.playHere(Sound::swish);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), step.said) << step.what;
        EXPECT_EQ(rig.sound.audible(), step.audible) << step.what;
        EXPECT_EQ(rig.device->openTries, step.openTries) << step.what;
        EXPECT_EQ(rig.device->strays, 0) << step.what << ": a call on a closed device";
    }
    EXPECT_EQ(rig.sound.liveBuffers(), soundCount);
    EXPECT_EQ(rig.sound.liveVoices(), voiceCount);
    rig.expectLoops(humCount, "on the device found again");
    EXPECT_EQ(rig.device->sounding(bufferOf(Sound::swish)), 2) << "the swishes since the device came back";
    EXPECT_EQ(rig.device->masterGain, 0.0f) << "still hushed on the device found again";
    rig.sound.hush(false);
    EXPECT_EQ(rig.device->masterGain, 1.0f);
}
