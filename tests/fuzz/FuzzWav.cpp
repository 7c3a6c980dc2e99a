// Any bytes as a WAV file: either refused, or a sound the mixer can hand to the sound device
// as it is (whole frames, one or two channels, a rate a device can take).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "scene/WavLoader.h"

using namespace zarnhold;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<unsigned char> bytes(data, data + size);
    WavSound sound;
    if (!parseWav(bytes, sound)) return 0;
    if ((sound.channels != 1 && sound.channels != 2) || sound.sampleRate < 1 || sound.sampleRate > 192000 ||
        sound.samples.empty() || sound.samples.size() % static_cast<std::size_t>(sound.channels) != 0 ||
        sound.samples.size() * 2 > size) {
        std::abort();
    }
    return 0;
}
