#pragma once

#include <string>
#include <vector>

#include <glm/glm.hpp>

#include "run/SoundEvents.h"

namespace zarnhold {

// The sound's rules as plain values: which file each sound is, how loud and whether it
// loops; how loudness falls with distance; which of a fixed pool of voices a new sound
// takes; where a render-frame point lies around the listener; what a restart stops.

struct SoundInfo {
    const char* file;  // game path
    float gain;        // its level in the mix, 0..1
    bool loops;
    bool followsRun;  // stopped when a run is replaced (everything but the ambient bed)
};
const SoundInfo& soundInfo(Sound sound);

// Voices the game plays at once: the ambient bed, ten crystal hums, the goal chime and
// the one-shots share them.
constexpr int voiceCount = 24;

// Distance attenuation, as the sound device is told to do it (inverse distance, clamped):
// full level within 2 units, then 2 / (2 + (d - 2)), never below that at 40 units.
constexpr float referenceDistance = 2.0f;
constexpr float maxDistance = 40.0f;
float distanceGain(float distance);

// A voice as the mixer sees it.
struct Voice {
    bool busy = false;
    bool loops = false;
    // What the listener hears of it now: its gain times its distance attenuation.
    float heard = 0.0f;
};

// The voice a new one-shot heard at `heard` takes: a free one first; else the quietest
// one-shot if it is quieter than the new sound (loops never give way); else -1, and the
// new sound is not played.
int chooseVoice(const std::vector<Voice>& voices, float heard);

// A render-frame point in the listener's frame (x right, y up, -z ahead), which is the
// eye's frame that `view` (the camera's view matrix) maps to.
glm::vec3 toListener(const glm::mat4& view, glm::vec3 renderPos);

// A crystal's hum follows its light's flicker (luminocity about 0.5 to 2).
float humGain(float luminocity);

// The master level for --volume (0 to 100) and --mute.
float masterGain(float volume, bool mute);

// A sword's hit must stand out of a fight: for duckMs after one, the contact thumps (the
// player hurt, the shield struck) play at duckedLevel, those already sounding included.
// `msSinceSwordHit` is negative before the first hit.
constexpr double duckMs = 350.0;
constexpr float duckedLevel = 0.3f;
bool isContactThump(Sound sound);
float duckLevel(Sound sound, double msSinceSwordHit);

}  // namespace zarnhold
