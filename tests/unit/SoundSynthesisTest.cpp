// The generator's sounds: the WAV bytes it writes, loops that wrap without a click,
// one-shots that start and end in silence with room to mix, and the same samples on
// every run.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tools/sounds/GameSounds.h"
#include "tools/sounds/Synth.h"
#include "tools/sounds/WavWriter.h"

namespace {

using zarnhold_assets::encodeWav;
using zarnhold_assets::GameSound;
using zarnhold_assets::kSampleRate;
using zarnhold_assets::peakOf;
using zarnhold_assets::rootMeanSquareOf;
using zarnhold_assets::Samples;
using zarnhold_assets::synthesiseGameSounds;

unsigned readU16(const std::vector<unsigned char>& b, size_t at) {
    return b[at] | (b[at + 1] << 8);
}

unsigned readU32(const std::vector<unsigned char>& b, size_t at) {
    return readU16(b, at) | (readU16(b, at + 2) << 16);
}

std::string readTag(const std::vector<unsigned char>& b, size_t at) {
    return std::string(b.begin() + static_cast<long>(at), b.begin() + static_cast<long>(at) + 4);
}

// The sounds, synthesised once for the tests that only look at them.
const std::vector<GameSound>& gameSounds() {
    static const std::vector<GameSound> sounds = synthesiseGameSounds();
    return sounds;
}

// -3 dBFS: the loudest a sound may peak, so that several can play at once.
constexpr float kHeadroomPeak = 0.708f;

}  // namespace

TEST(SoundSynthesis, AWavFileIsTheRiffHeaderThenSixteenBitSamplesClampedToFullScale) {
    const std::vector<float> samples = {0.0f, 0.5f, -0.5f, 1.0f, -1.0f, 1.5f, -2.0f, 0.25f};
    const std::vector<unsigned char> bytes = encodeWav(samples, 22050);
    ASSERT_EQ(bytes.size(), 44u + 2u * samples.size());
    EXPECT_EQ(readTag(bytes, 0), "RIFF");
    EXPECT_EQ(readU32(bytes, 4), bytes.size() - 8);
    EXPECT_EQ(readTag(bytes, 8), "WAVE");
    EXPECT_EQ(readTag(bytes, 12), "fmt ");
    EXPECT_EQ(readU32(bytes, 16), 16u);
    EXPECT_EQ(readU16(bytes, 20), 1u);  // PCM
    EXPECT_EQ(readU16(bytes, 22), 1u);  // mono
    EXPECT_EQ(readU32(bytes, 24), 22050u);
    EXPECT_EQ(readU32(bytes, 28), 44100u);  // bytes a second
    EXPECT_EQ(readU16(bytes, 32), 2u);      // bytes a frame
    EXPECT_EQ(readU16(bytes, 34), 16u);     // bits a sample
    EXPECT_EQ(readTag(bytes, 36), "data");
    EXPECT_EQ(readU32(bytes, 40), 2u * samples.size());
    const int expected[] = {0, 16384, -16384, 32767, -32767, 32767, -32767, 8192};
    for (size_t i = 0; i < samples.size(); ++i) {
        EXPECT_EQ(static_cast<std::int16_t>(readU16(bytes, 44 + 2 * i)), expected[i]) << "sample " << i;
    }
}

TEST(SoundSynthesis, EveryLoopRunsFromItsLastSampleIntoItsFirstNoHarderThanAroundThere) {
    size_t loops = 0;
    for (const GameSound& sound : gameSounds()) {
        if (!sound.loops) {
            continue;
        }
        ++loops;
        const Samples& s = sound.samples;
        const long n = static_cast<long>(s.size());
        ASSERT_GT(n, 10000) << sound.name;
        const auto at = [&](long i) { return s[static_cast<size_t>((i % n + n) % n)]; };
        // The largest step and bend (second difference) among the samples within about a
        // tenth of a second of the seam, on either side, not across it.
        const long around = 2048;
        float largestStep = 0.0f, largestBend = 0.0f;
        for (long i = -around; i < around; ++i) {
            if (i != -1) {
                largestStep = std::max(largestStep, std::abs(at(i + 1) - at(i)));
            }
            if (i != -2 && i != -1) {
                largestBend = std::max(largestBend, std::abs(at(i + 2) - 2.0f * at(i + 1) + at(i)));
            }
        }
        EXPECT_LE(std::abs(at(0) - at(-1)), largestStep) << sound.name;
        // Nor does the slope turn there: a seam that only kinks the wave also clicks.
        EXPECT_LE(std::abs(at(0) - 2.0f * at(-1) + at(-2)), largestBend) << sound.name;
        EXPECT_LE(std::abs(at(1) - 2.0f * at(0) + at(-1)), largestBend) << sound.name;
    }
    EXPECT_EQ(loops, 3u);
}

TEST(SoundSynthesis, EveryOneShotStartsAndEndsInSilenceWithNoOffsetAndPeaksBelowMinusThreeDecibels) {
    const std::set<std::string> expected = {
        "ambient.wav", "crystalhum.wav", "goalchime.wav",  "step1.wav",    "step2.wav",    "jump.wav",
        "land.wav",    "landhard.wav",   "swish.wav",      "swordhit.wav", "pickup.wav",   "growl.wav",
        "grunt.wav",   "playerhit.wav",  "shieldthud.wav", "deathcry.wav", "gameover.wav", "won.wav"};
    std::set<std::string> names;
    for (const GameSound& sound : gameSounds()) {
        names.insert(sound.name);
        const Samples& s = sound.samples;
        ASSERT_FALSE(s.empty()) << sound.name;
        const float peak = peakOf(s);
        EXPECT_LE(peak, kHeadroomPeak) << sound.name;
        EXPECT_GT(peak, 0.2f) << sound.name;  // and is heard
        if (sound.name == "ambient.wav") {
            // A bed under everything: about -20 dBFS.
            EXPECT_NEAR(20.0f * std::log10(rootMeanSquareOf(s)), -20.0f, 1.0f);
        }
        if (sound.loops) {
            continue;
        }
        // The file's first and last samples are 0.
        EXPECT_LT(std::abs(s.front()) * 32767.0f, 0.5f) << sound.name;
        EXPECT_LT(std::abs(s.back()) * 32767.0f, 0.5f) << sound.name;
        double sum = 0.0;
        for (float x : s) {
            sum += x;
        }
        EXPECT_LT(std::abs(sum / static_cast<double>(s.size())), 1e-4) << sound.name;
    }
    EXPECT_EQ(names, expected);
    EXPECT_EQ(names.size(), gameSounds().size());  // no name twice
}

TEST(SoundSynthesis, SynthesisGivesTheSameBytesEveryTimeAndTheTwoStepsDiffer) {
    const std::vector<GameSound> again = synthesiseGameSounds();
    ASSERT_EQ(again.size(), gameSounds().size());
    for (size_t i = 0; i < again.size(); ++i) {
        EXPECT_EQ(encodeWav(again[i].samples, kSampleRate), encodeWav(gameSounds()[i].samples, kSampleRate))
            << again[i].name;
    }
    const auto find = [&](const std::string& name) {
        return std::find_if(again.begin(), again.end(), [&](const GameSound& s) { return s.name == name; });
    };
    ASSERT_NE(find("step1.wav"), again.end());
    ASSERT_NE(find("step2.wav"), again.end());
    EXPECT_NE(find("step1.wav")->samples, find("step2.wav")->samples);
}
