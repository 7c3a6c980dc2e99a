#pragma once

#include <array>
#include <chrono>
#include <optional>
#include <vector>

#include <glm/glm.hpp>

#include "audio/OpenAlDevice.h"
#include "audio/SoundEvents.h"
#include "audio/SoundMixer.h"

// The game's sound: every file loaded once at start-up, a fixed pool of voices, the loops
// (the ambient bed always, a hum at each light crystal and the goal's chime while a run is
// on) and the one-shots the run's objects ask for, all placed around the eye.
class GameSound : public SoundEvents {
public:
    // Opens the sound device unless `mute`, at the master level `volume` (0 to 100), and
    // loads every sound. With no device prints "No sound device: playing in silence" and
    // plays on silent.
    void start(float volume, bool mute);
    // The master level from now on, 0 to 100; nothing while silent (muted or no device).
    void setVolume(float volume);
    // Frees the voices, the sounds and the device.
    void stop();
    bool audible() const { return device.isOpen(); }

    void play(Sound sound, glm::vec3 renderPos) override;
    void playHere(Sound sound) override;

    // Once a frame: the camera's view (render frame to the listener's), the light crystals'
    // hums (render-frame places and their lights' luminocity), the goal crystal's place,
    // and whether a run is on (the hums and the chime sound only then; the pictures hear
    // the ambient bed and their stings).
    void follow(const glm::mat4& view, const std::vector<glm::vec3>& humPlaces,
                const std::vector<float>& humLevels, glm::vec3 goalPlace, bool runOn);
    // A run is replaced: every voice but the ambient bed stops.
    void stopRun();

    int liveVoices() const { return device.liveVoices(); }
    // Voices playing now, as the mixer counts them.
    int busyVoices() const;
    int liveBuffers() const { return device.liveBuffers(); }

private:
    // A one-shot or a loop on voice `voice`, where `renderPos` is (at the eye when `here`).
    void startVoice(int voice, Sound sound, glm::vec3 renderPos, bool here, float level);
    void keepLoop(int& voice, Sound sound, glm::vec3 renderPos, float level);
    void stopVoice(int voice);
    // The hums and the chime, between runs.
    void stopLoopsOfRun();

    // Since the last sword hit began, in ms of real time (the mix is heard in real time);
    // negative before the first.
    double msSinceSwordHit() const;

    using Clock = std::chrono::steady_clock;
    std::optional<Clock::time_point> lastSwordHit;
    OpenAlDevice device;
    std::array<int, static_cast<int>(Sound::count)> buffers{};
    std::vector<Voice> voices;
    // What each voice plays and where, to place it as the eye moves.
    std::vector<Sound> voiceSounds;
    std::vector<glm::vec3> voicePlaces;
    std::vector<bool> voiceHere;
    std::vector<float> voiceLevels;
    glm::mat4 view{1.0f};
    int ambientVoice = -1;
    std::vector<int> humVoices;
    int chimeVoice = -1;
};
