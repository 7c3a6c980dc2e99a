#include "scene/WavLoader.h"

#include <cstdio>
#include <cstring>

#include "scene/FilePath.h"
#include "scene/LittleEndian.h"

namespace zarnhold {

namespace {

bool tagAt(const std::vector<unsigned char>& bytes, std::size_t offset, const char* tag) {
    return std::memcmp(&bytes[offset], tag, 4) == 0;
}

struct Format {
    bool found = false;
    int channels = 0;
    int sampleRate = 0;
};

// The "fmt " chunk's body at `offset`, `size` bytes.
Format readFormat(const std::vector<unsigned char>& bytes, std::size_t offset, std::size_t size) {
    Format format;
    if (size < 16) return format;
    const std::uint16_t encoding = readU16(bytes, offset);
    const std::uint16_t channels = readU16(bytes, offset + 2);
    const std::uint32_t rate = readU32(bytes, offset + 4);
    const std::uint16_t blockAlign = readU16(bytes, offset + 12);
    const std::uint16_t bits = readU16(bytes, offset + 14);
    if (encoding != 1 || bits != 16 || (channels != 1 && channels != 2) || rate < 1 || rate > 192000 ||
        blockAlign != channels * 2) {
        return format;
    }
    format.found = true;
    format.channels = channels;
    format.sampleRate = static_cast<int>(rate);
    return format;
}

}  // namespace

bool parseWav(const std::vector<unsigned char>& bytes, WavSound& out) {
    if (bytes.size() < 12 || !tagAt(bytes, 0, "RIFF") || !tagAt(bytes, 8, "WAVE")) return false;
    Format format;
    std::size_t offset = 12;
    // Each chunk: a tag, a size, the body, a pad byte when the size is odd.
    while (offset + 8 <= bytes.size()) {
        const std::size_t size = readU32(bytes, offset + 4);
        const std::size_t body = offset + 8;
        if (size > bytes.size() - body) return false;
        if (tagAt(bytes, offset, "fmt ")) {
            format = readFormat(bytes, body, size);
            if (!format.found) return false;
        } else if (tagAt(bytes, offset, "data")) {
            const std::size_t frameBytes = static_cast<std::size_t>(format.channels) * 2;
            if (!format.found || size == 0 || size % frameBytes != 0) return false;
            WavSound sound;
            sound.sampleRate = format.sampleRate;
            sound.channels = format.channels;
            sound.samples.resize(size / 2);
            for (std::size_t i = 0; i < sound.samples.size(); ++i) {
                const std::uint16_t raw = readU16(bytes, body + 2 * i);
                std::int16_t value = 0;
                std::memcpy(&value, &raw, sizeof value);
                sound.samples[i] = value;
            }
            out = std::move(sound);
            return true;
        }
        offset = body + size + (size & 1u);
    }
    return false;
}

WavSound readWavFile(const std::string& path) {
    std::vector<unsigned char> bytes;
    WavSound sound;
    if (!readGameFile(path, bytes) || !parseWav(bytes, sound)) {
        std::printf("Sound could not be read: %s\n", path.c_str());
        return WavSound();
    }
    return sound;
}

}  // namespace zarnhold
