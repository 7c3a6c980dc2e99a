// The mixer's rules: which voice a new sound takes, how loud each voice may be, how
// loudness falls with distance and where a sound lies around the listener.
#include <cmath>
#include <limits>
#include <set>
#include <string>
#include <vector>

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include "audio/SoundMixer.h"
#include "game/Movement.h"

using namespace zarnhold;

namespace {

// A voice whose sound has ended keeps the level it was last heard at.
Voice freeVoice() {
    return Voice{false, false, 0.8f};
}
Voice oneShot(float heard) {
    return Voice{true, false, heard};
}
Voice loop(float heard) {
    return Voice{true, true, heard};
}

}  // namespace

TEST(SoundMixer, ANewSoundTakesAFreeVoiceFirstElseOnlyTheQuietestOneShotAndOnlyIfLouder) {
    struct Case {
        const char* what;
        std::vector<Voice> voices;
        float heard;
        int chosen;
    };
    const Case cases[] = {
        {"no voice at all", {}, 1.0f, -1},
        {"a free voice, though a busy one is quieter", {oneShot(0.01f), freeVoice(), freeVoice()}, 0.9f, 1},
        {"a free voice, for a sound quieter than every busy one",
         {loop(0.1f), oneShot(0.05f), freeVoice()},
         0.01f,
         2},
        {"all busy: the quietest one-shot", {oneShot(0.5f), oneShot(0.2f), oneShot(0.3f)}, 0.4f, 1},
        {"all busy: a quieter loop keeps its voice", {loop(0.05f), oneShot(0.3f), oneShot(0.2f)}, 0.4f, 2},
        {"as loud as the quietest one-shot: dropped", {oneShot(0.3f), oneShot(0.2f)}, 0.2f, -1},
        {"quieter than every one-shot: dropped", {oneShot(0.3f), oneShot(0.2f)}, 0.1f, -1},
        {"only loops: dropped, however loud", {loop(0.01f), loop(0.02f)}, 1.0f, -1},
    };
    for (const Case& c : cases) EXPECT_EQ(chooseVoice(c.voices, c.heard), c.chosen) << c.what;
}

// Full level within two units (the eye's own sounds at distance 0 among them), half at
// four, a twentieth from forty on; never rising with distance.
TEST(SoundMixer, LoudnessFallsWithDistanceFromFullWithinTwoUnitsToATwentiethFromForty) {
    struct Case {
        float distance;
        float gain;
    };
    const Case cases[] = {
        {0.0f, 1.0f},   {-1.0f, 1.0f},    {1.0f, 1.0f},
        {2.0f, 1.0f},   {4.0f, 0.5f},     {10.0f, 0.2f},
        {40.0f, 0.05f}, {1000.0f, 0.05f}, {std::numeric_limits<float>::infinity(), 0.05f},
    };
    for (const Case& c : cases) EXPECT_NEAR(distanceGain(c.distance), c.gain, 1e-6f) << c.distance;
    float nearer = distanceGain(0.0f);
    for (float d = 0.0f; d <= 60.0f; d += 0.25f) {
        const float gain = distanceGain(d);
        ASSERT_LE(gain, nearer) << d;
        ASSERT_GT(gain, 0.0f) << d;
        nearer = gain;
    }
}

// A gain above 1 clips or is cut by the device; below 0 it is an error there.
TEST(SoundMixer, EveryLevelGivenToAVoiceOrTheMasterStaysWithinZeroAndOne) {
    struct MasterCase {
        float volume;
        bool mute;
        float gain;
    };
    const MasterCase masters[] = {
        {100.0f, false, 1.0f}, {50.0f, false, 0.5f}, {0.0f, false, 0.0f},
        {150.0f, false, 1.0f}, {-5.0f, false, 0.0f}, {100.0f, true, 0.0f},
    };
    for (const MasterCase& c : masters) {
        EXPECT_FLOAT_EQ(masterGain(c.volume, c.mute), c.gain) << c.volume << (c.mute ? " muted" : "");
    }

    // The hum follows its crystal's flicker: silent with the light out, at its place in the
    // mix at the flicker's middle, 1.6 of it at the top and never more.
    struct HumCase {
        float luminocity;
        float level;
    };
    const HumCase hums[] = {{-0.5f, 0.0f}, {0.0f, 0.0f}, {0.5f, 0.4f},
                            {1.25f, 1.0f}, {2.0f, 1.6f}, {9.0f, 1.6f}};
    for (const HumCase& c : hums) EXPECT_FLOAT_EQ(humGain(c.luminocity), c.level) << c.luminocity;

    // What a voice is given: its sound's gain times its level (the hum's, a ducked
    // thump's or full).
    std::set<std::string> files;
    for (int i = 0; i < static_cast<int>(Sound::count); ++i) {
        const Sound sound = static_cast<Sound>(i);
        const SoundInfo& info = soundInfo(sound);
        files.insert(info.file);
        const bool bed = sound == Sound::ambient;
        const bool loops = bed || sound == Sound::crystalHum || sound == Sound::goalChime;
        EXPECT_EQ(info.loops, loops) << info.file;
        EXPECT_EQ(info.followsRun, !bed) << info.file << ": only the ambient bed outlasts a run";
        std::vector<float> levels = {1.0f};
        if (sound == Sound::crystalHum) levels = {humGain(-1.0f), humGain(1.0f), humGain(1e6f)};
        if (isContactThump(sound)) levels = {duckLevel(sound, 0.0), duckLevel(sound, -1.0)};
        for (float level : levels) {
            EXPECT_GE(info.gain * level, 0.0f) << info.file;
            EXPECT_LE(info.gain * level, 1.0f) << info.file;
        }
        EXPECT_GT(info.gain, 0.0f) << info.file;
    }
    EXPECT_EQ(files.size(), static_cast<std::size_t>(Sound::count)) << "a file for each sound";
}

// The listener's frame is the eye's: a sound drawn on the screen's right half is heard on
// the right, one drawn above its middle is heard above, at the distance it is from the eye.
// Behind the eye a sound keeps its side.
TEST(SoundMixer, ASoundIsHeardOnTheSideOfTheScreenItIsDrawnOnAndAtItsDistance) {
    const glm::vec3 eye(4.0f, -1.5f, 12.0f);
    const glm::mat4 projection = glm::perspective(glm::radians(70.0f), 16.0f / 9.0f, 0.1f, 100.0f);
    const double turns[] = {0.0, 1.2, -2.5, 3.9};
    const double pitches[] = {0.0, 0.6, -1.0};
    const glm::vec2 offsets[] = {{2.0f, 1.5f}, {-2.0f, 1.5f}, {2.0f, -1.5f}, {-2.0f, -1.5f}};
    for (double h : turns) {
        for (double v : pitches) {
            // As the camera writes its view.
            const ViewVectors vectors = viewVectors(h, v);
            const glm::mat4 view = glm::lookAt(eye, eye + vectors.direction, vectors.up);
            for (glm::vec2 offset : offsets) {
                const glm::vec3 side = offset.x * vectors.right + offset.y * vectors.up;
                const glm::vec3 ahead = eye + 5.0f * vectors.direction + side;
                const glm::vec4 clip = projection * view * glm::vec4(ahead, 1.0f);
                ASSERT_GT(clip.w, 0.0f);
                const glm::vec3 heard = toListener(view, ahead);
                const std::string where = "h " + std::to_string(h) + ", v " + std::to_string(v) +
                                          ", offset " + std::to_string(offset.x) + " " +
                                          std::to_string(offset.y);
                EXPECT_EQ(heard.x > 0.0f, clip.x > 0.0f) << where << ": left and right";
                EXPECT_EQ(heard.y > 0.0f, clip.y > 0.0f) << where << ": above and below";
                EXPECT_LT(heard.z, 0.0f) << where << ": ahead";
                EXPECT_NEAR(glm::length(heard), glm::length(ahead - eye), 1e-4f) << where;
                const glm::vec3 behind = toListener(view, eye - 5.0f * vectors.direction + side);
                EXPECT_GT(behind.z, 0.0f) << where << ": behind";
                EXPECT_EQ(behind.x > 0.0f, heard.x > 0.0f) << where << ": behind keeps its side";
            }
            EXPECT_NEAR(glm::length(toListener(view, eye)), 0.0f, 1e-4f) << "at the eye";
        }
    }
}
