#include "tools/sounds/WavWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>

#include "tools/LittleEndianFields.h"

namespace zarnhold_assets {

namespace {

void putTag(std::vector<unsigned char>& out, size_t at, const char* tag) {
    std::copy(tag, tag + 4, out.begin() + static_cast<std::ptrdiff_t>(at));
}

}  // namespace

std::vector<unsigned char> encodeWav(const std::vector<float>& samples, int sampleRate) {
    constexpr std::uint16_t kBytesPerSample = 2;
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size()) * kBytesPerSample;
    std::vector<unsigned char> out(44 + dataBytes, 0);

    putTag(out, 0, "RIFF");
    putU32(out, 4, 36 + dataBytes);  // everything after this field
    putTag(out, 8, "WAVE");
    putTag(out, 12, "fmt ");
    putU32(out, 16, 16);  // the PCM format chunk's size
    putU16(out, 20, 1);   // PCM
    putU16(out, 22, 1);   // mono
    putU32(out, 24, static_cast<std::uint32_t>(sampleRate));
    putU32(out, 28, static_cast<std::uint32_t>(sampleRate) * kBytesPerSample);  // bytes a second
    putU16(out, 32, kBytesPerSample);                                           // bytes a frame
    putU16(out, 34, 16);                                                        // bits a sample
    putTag(out, 36, "data");
    putU32(out, 40, dataBytes);

    for (size_t i = 0; i < samples.size(); ++i) {
        const long value = std::lround(std::clamp(samples[i], -1.0f, 1.0f) * 32767.0f);
        putU16(out, 44 + 2 * i, static_cast<std::uint16_t>(static_cast<std::int16_t>(value)));
    }
    return out;
}

bool writeWav(const std::string& path, const std::vector<float>& samples, int sampleRate) {
    const std::vector<unsigned char> bytes = encodeWav(samples, sampleRate);
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

}  // namespace zarnhold_assets
