#include "audio/SoundMixer.h"

#include <algorithm>

namespace zarnhold {

const SoundInfo& soundInfo(Sound sound) {
    static const SoundInfo table[static_cast<int>(Sound::count)] = {
        {"External\\Models\\Sounds\\ambient.wav", 0.3f, true, false},
        {"External\\Models\\Sounds\\crystalhum.wav", 0.5f, true, true},
        {"External\\Models\\Sounds\\goalchime.wav", 0.6f, true, true},
        {"External\\Models\\Sounds\\step1.wav", 0.5f, false, true},
        {"External\\Models\\Sounds\\step2.wav", 0.5f, false, true},
        {"External\\Models\\Sounds\\jump.wav", 0.5f, false, true},
        {"External\\Models\\Sounds\\land.wav", 0.6f, false, true},
        {"External\\Models\\Sounds\\landhard.wav", 0.9f, false, true},
        {"External\\Models\\Sounds\\swish.wav", 0.8f, false, true},
        {"External\\Models\\Sounds\\swordhit.wav", 1.0f, false, true},
        {"External\\Models\\Sounds\\pickup.wav", 0.8f, false, true},
        {"External\\Models\\Sounds\\growl.wav", 0.9f, false, true},
        {"External\\Models\\Sounds\\grunt.wav", 0.8f, false, true},
        {"External\\Models\\Sounds\\playerhit.wav", 0.6f, false, true},
        {"External\\Models\\Sounds\\shieldthud.wav", 0.6f, false, true},
        {"External\\Models\\Sounds\\deathcry.wav", 0.9f, false, true},
        {"External\\Models\\Sounds\\gameover.wav", 0.9f, false, true},
        {"External\\Models\\Sounds\\won.wav", 0.9f, false, true},
    };
    return table[static_cast<int>(sound)];
}

float distanceGain(float distance) {
    const float d = std::clamp(distance, referenceDistance, maxDistance);
    return referenceDistance / (referenceDistance + (d - referenceDistance));
}

int chooseVoice(const std::vector<Voice>& voices, float heard) {
    int quietest = -1;
    for (std::size_t i = 0; i < voices.size(); ++i) {
        const Voice& voice = voices[i];
        if (!voice.busy) return static_cast<int>(i);
        if (!voice.loops &&
            (quietest < 0 || voice.heard < voices[static_cast<std::size_t>(quietest)].heard)) {
            quietest = static_cast<int>(i);
        }
    }
    if (quietest >= 0 && voices[static_cast<std::size_t>(quietest)].heard < heard) return quietest;
    return -1;
}

glm::vec3 toListener(const glm::mat4& view, glm::vec3 renderPos) {
    return glm::vec3(view * glm::vec4(renderPos, 1.0f));
}

float humGain(float luminocity) {
    return std::clamp(luminocity / 1.25f, 0.0f, 1.6f);
}

float masterGain(float volume, bool mute) {
    return mute ? 0.0f : std::clamp(volume, 0.0f, 100.0f) / 100.0f;
}

bool isContactThump(Sound sound) {
    return sound == Sound::playerHit || sound == Sound::shieldThud;
}

float duckLevel(Sound sound, double msSinceSwordHit) {
    return isContactThump(sound) && msSinceSwordHit >= 0.0 && msSinceSwordHit < duckMs ? duckedLevel : 1.0f;
}

}  // namespace zarnhold
