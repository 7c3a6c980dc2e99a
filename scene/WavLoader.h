#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zarnhold {

// A sound as the game plays it: 16-bit PCM samples, interleaved when there are two channels.
struct WavSound {
    int sampleRate = 0;
    int channels = 0;
    std::vector<std::int16_t> samples;

    bool empty() const { return samples.empty(); }
    // Frames (one sample per channel) in the sound.
    std::size_t frames() const {
        return channels > 0 ? samples.size() / static_cast<std::size_t>(channels) : 0;
    }
};

// Reads a RIFF WAVE file's bytes: chunks are walked in any order (others skipped, odd sizes
// padded), and the "fmt " chunk must say uncompressed PCM, 16 bits, one or two channels, 1
// to 192000 frames a second; the "data" chunk must hold whole frames, at least one, all of
// them present. False, leaving `out` alone, for anything else.
bool parseWav(const std::vector<unsigned char>& fileBytes, WavSound& out);

// Reads and parses a sound file (a game path such as "External\Models\Sounds\swish.wav").
// A missing, short or bad file prints "Sound could not be read: PATH" and gives an empty
// sound, which plays as silence.
WavSound readWavFile(const std::string& path);

}  // namespace zarnhold
