// The sound files' reader: what it takes, what it refuses, and what a player sees of a bad
// file.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "scene/WavLoader.h"

using namespace zarnhold;

namespace {

void put16(std::vector<unsigned char>& out, unsigned value) {
    out.push_back(static_cast<unsigned char>(value & 0xFF));
    out.push_back(static_cast<unsigned char>(value >> 8 & 0xFF));
}
void put32(std::vector<unsigned char>& out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}
void chunk(std::vector<unsigned char>& out, const char* tag, const std::vector<unsigned char>& body) {
    // Byte by byte: GCC 12 warns, wrongly, of a copy into an empty vector when inserted.
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<unsigned char>(tag[i]));
    put32(out, static_cast<std::uint32_t>(body.size()));
    for (unsigned char byte : body) out.push_back(byte);
    if (body.size() % 2) out.push_back(0);
}
std::vector<unsigned char> format(unsigned channels, unsigned bits = 16, unsigned encoding = 1) {
    std::vector<unsigned char> body;
    put16(body, encoding);
    put16(body, channels);
    put32(body, 22050);
    put32(body, 22050 * channels * bits / 8);
    put16(body, channels * bits / 8);
    put16(body, bits);
    return body;
}
std::vector<unsigned char> samples(const std::vector<int>& values) {
    std::vector<unsigned char> body;
    for (int v : values) put16(body, static_cast<unsigned>(v) & 0xFFFF);
    return body;
}
std::vector<unsigned char> wave(const std::vector<std::vector<unsigned char>>& chunks) {
    std::vector<unsigned char> body = {'W', 'A', 'V', 'E'};
    for (const auto& c : chunks) body.insert(body.end(), c.begin(), c.end());
    std::vector<unsigned char> file = {'R', 'I', 'F', 'F'};
    put32(file, static_cast<std::uint32_t>(body.size()));
    file.insert(file.end(), body.begin(), body.end());
    return file;
}
std::vector<unsigned char> named(const char* tag, const std::vector<unsigned char>& body) {
    std::vector<unsigned char> out;
    chunk(out, tag, body);
    return out;
}

}  // namespace

TEST(WavLoader, ReadsSixteenBitPcmPastOtherChunksAndRefusesAnythingElse) {
    WavSound sound;
    ASSERT_TRUE(parseWav(wave({named("LIST", {'a', 'b', 'c'}), named("fmt ", format(2)),
                               named("data", samples({0, 32767, -32768, -1}))}),
                         sound))
        << "an odd-sized chunk is padded to an even size";
    EXPECT_EQ(sound.channels, 2);
    EXPECT_EQ(sound.sampleRate, 22050);
    EXPECT_EQ(sound.samples, (std::vector<std::int16_t>{0, 32767, -32768, -1}));
    EXPECT_EQ(sound.frames(), 2u);

    const WavSound before = sound;
    std::vector<unsigned char> truncated =
        wave({named("fmt ", format(1)), named("data", samples({1, 2, 3}))});
    truncated.resize(truncated.size() - 1);
    for (const auto& bad :
         {truncated, wave({named("fmt ", format(1, 8)), named("data", samples({1, 2}))}),
          wave({named("fmt ", format(1, 16, 3)), named("data", samples({1, 2}))}),
          wave({named("data", samples({1, 2})), named("fmt ", format(1))}),
          wave({named("fmt ", format(2)), named("data", samples({1, 2, 3}))}),
          wave({named("fmt ", format(1)), named("data", {})}), wave({named("fmt ", format(1))}),
          std::vector<unsigned char>{'R', 'I', 'F', 'F'}}) {
        EXPECT_FALSE(parseWav(bad, sound));
    }
    EXPECT_EQ(sound.samples, before.samples) << "a refused file leaves the sound alone";

    testing::internal::CaptureStdout();
    const WavSound missing = readWavFile("External\\Models\\Sounds\\no-such-sound.wav");
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Sound could not be read: External\\Models\\Sounds\\no-such-sound.wav\n");
    EXPECT_TRUE(missing.empty());
}
