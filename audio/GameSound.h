#pragma once

#include <array>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <glm/glm.hpp>

#include "audio/SoundDevice.h"
#include "audio/SoundMixer.h"
#include "run/SoundEvents.h"
#include "scene/WavLoader.h"

namespace zarnhold {

// The game's sound: every file loaded once at start-up, a fixed pool of voices, the loops
// (the ambient bed always, a hum at each light crystal and the goal's chime while a run is
// on) and the one-shots the run's objects ask for, all placed around the eye. A device that
// goes (headphones pulled out) is noticed within a second; the game plays on in silence and
// opens the default device again every few seconds, with the sounds and voices made anew.
class GameSound : public SoundEvents {
public:
    using Clock = std::chrono::steady_clock;
    // How often a device is asked whether it is still there, and how often a lost one is
    // looked for again (real time: the device goes and comes back in the player's time).
    static constexpr double checkSeconds = 0.25;
    static constexpr double reopenSeconds = 3.0;

    // Sound through `soundDevice`, timed by `clock`.
    GameSound(std::unique_ptr<SoundDevice> soundDevice, std::function<Clock::time_point()> clock);

    // Opens the sound device unless `mute`, at the master level `volume` (0 to 100), and
    // loads every sound. With no device prints "No sound device: playing in silence" and
    // plays on silent.
    void start(float volume, bool mute);
    // As start, with each sound made by `load` instead of read from its file.
    void start(float volume, bool mute, const std::function<WavSound(Sound)>& load);
    // The master level from now on, 0 to 100; nothing while silent (muted or no device).
    void setVolume(float volume);
    // Frees the voices, the sounds and the device.
    void stop();
    bool audible() const { return device->isOpen(); }
    // Silent while `on` (a paused run), at the master level again after; a device found
    // again meanwhile stays silent too.
    void hush(bool on);

    void play(Sound sound, glm::vec3 renderPos) override;
    void playHere(Sound sound) override;

    // Once a frame: the camera's view (render frame to the listener's), the light crystals'
    // hums (render-frame places and their lights' luminocity), the goal crystal's place,
    // and whether a run is on (the hums and the chime sound only then; the pictures hear
    // the ambient bed and their stings). Also watches for a lost device and its return.
    void follow(const glm::mat4& view, const std::vector<glm::vec3>& humPlaces,
                const std::vector<float>& humLevels, glm::vec3 goalPlace, bool runOn);
    // A run is replaced: every voice but the ambient bed stops.
    void stopRun();

    int liveVoices() const { return device->liveVoices(); }
    // Voices playing now, as the mixer counts them.
    int busyVoices() const;
    int liveBuffers() const { return device->liveBuffers(); }

private:
    // The buffers and voices on a device just opened.
    void setUpDevice();
    // Closes the device and forgets every voice.
    void closeDevice();
    // Notices a device that has gone, and brings the sound back when one opens again.
    void watchDevice();
    bool due(Clock::time_point now, double seconds) const;

    bool canPlay(Sound sound) const { return buffers[static_cast<std::size_t>(sound)] >= 0; }
    // A one-shot or a loop on voice `voice`, where `renderPos` is (at the eye when `here`);
    // false, recording nothing of it, when the device does not start it.
    bool startVoice(int voice, Sound sound, glm::vec3 renderPos, bool here, float level);
    void keepLoop(int& voice, Sound sound, glm::vec3 renderPos, bool here, float level);
    void stopVoice(int voice);
    // The hums and the chime, between runs.
    void stopLoopsOfRun();

    // Since the last sword hit began, in ms of real time (the mix is heard in real time);
    // negative before the first.
    double msSinceSwordHit() const;

    std::unique_ptr<SoundDevice> device;
    std::function<Clock::time_point()> now;
    std::optional<Clock::time_point> lastSwordHit;
    // Kept to make the buffers again on a device opened after the first was lost.
    std::vector<WavSound> sounds;
    float master = 1.0f;
    bool hushed = false;
    bool lost = false;
    // The last time the device was asked after, or lost, or looked for again.
    Clock::time_point lastWatch{};
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

}  // namespace zarnhold
