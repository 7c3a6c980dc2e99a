#pragma once

#include <string>
#include <vector>

namespace zarnhold_assets {

// The bytes of a 16-bit PCM mono WAV file of `samples` at `sampleRate` samples a second:
// the 44-byte RIFF header ("fmt " chunk of PCM format 1, then "data"), then the samples,
// little-endian. A sample of 1 is 32767 and -1 is -32767; values beyond are clamped.
std::vector<unsigned char> encodeWav(const std::vector<float>& samples, int sampleRate);

// Writes encodeWav(samples, sampleRate) to `path`; false when the file cannot be written.
bool writeWav(const std::string& path, const std::vector<float>& samples, int sampleRate);

}  // namespace zarnhold_assets
