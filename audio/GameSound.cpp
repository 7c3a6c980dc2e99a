#include "audio/GameSound.h"

#include <cstdio>
#include <utility>

namespace zarnhold {

GameSound::GameSound(std::unique_ptr<SoundDevice> soundDevice, std::function<Clock::time_point()> clock)
    : device(std::move(soundDevice)), now(std::move(clock)) {
    buffers.fill(-1);
}

void GameSound::setVolume(float volume) {
    if (!audible()) return;
    master = masterGain(volume, false);
    if (!hushed) device->setMasterGain(master);
}

void GameSound::start(float volume, bool mute) {
    start(volume, mute, [](Sound sound) { return readWavFile(soundInfo(sound).file); });
}

void GameSound::start(float volume, bool mute, const std::function<WavSound(Sound)>& load) {
    if (mute) return;
    master = masterGain(volume, mute);
    if (!device->open(referenceDistance, maxDistance)) {
        std::printf("No sound device: playing in silence\n");
        return;
    }
    sounds.clear();
    for (int i = 0; i < static_cast<int>(Sound::count); ++i) sounds.push_back(load(static_cast<Sound>(i)));
    setUpDevice();
}

void GameSound::setUpDevice() {
    for (std::size_t i = 0; i < sounds.size(); ++i) buffers[i] = device->addBuffer(sounds[i]);
    // A device short of sources plays with fewer voices; the mixer shares out what there is.
    const std::size_t made = static_cast<std::size_t>(device->makeVoices(voiceCount));
    device->setMasterGain(hushed ? 0.0f : master);
    voices.assign(made, Voice());
    voiceSounds.assign(made, Sound::ambient);
    voicePlaces.assign(made, glm::vec3(0.0f));
    voiceHere.assign(made, false);
    voiceLevels.assign(made, 0.0f);
    lastWatch = now();
}

void GameSound::hush(bool on) {
    if (on == hushed) return;
    hushed = on;
    if (audible()) device->setMasterGain(hushed ? 0.0f : master);
}

void GameSound::closeDevice() {
    device->close();
    buffers.fill(-1);
    voices.clear();
    humVoices.clear();
    ambientVoice = chimeVoice = -1;
}

void GameSound::stop() {
    closeDevice();
    sounds.clear();
    lost = false;
}

bool GameSound::due(Clock::time_point time, double seconds) const {
    return time - lastWatch >= std::chrono::duration<double>(seconds);
}

void GameSound::watchDevice() {
    const Clock::time_point time = now();
    if (audible()) {
        if (!due(time, checkSeconds)) return;
        lastWatch = time;
        if (device->connected()) return;
        closeDevice();
        lost = true;
        std::printf("Sound device lost: playing in silence\n");
        return;
    }
    // A game that never had a device (or was muted) does not go looking for one.
    if (!lost || !due(time, reopenSeconds)) return;
    lastWatch = time;
    if (!device->open(referenceDistance, maxDistance)) return;
    setUpDevice();
    lost = false;
    std::printf("Sound device back: playing sound again\n");
}

bool GameSound::startVoice(int voice, Sound sound, glm::vec3 renderPos, bool here, float level) {
    const std::size_t v = static_cast<std::size_t>(voice);
    const SoundInfo& info = soundInfo(sound);
    const glm::vec3 place = here ? glm::vec3(0.0f) : toListener(view, renderPos);
    if (!device->start(voice, buffers[static_cast<std::size_t>(sound)], place, info.gain * level,
                       info.loops)) {
        // Whatever the voice played before stopped with the failed start.
        voices[v] = Voice();
        return false;
    }
    voices[v] = Voice{true, info.loops, info.gain * level * distanceGain(glm::length(place))};
    voiceSounds[v] = sound;
    voicePlaces[v] = renderPos;
    voiceHere[v] = here;
    voiceLevels[v] = level;
    return true;
}

void GameSound::play(Sound sound, glm::vec3 renderPos) {
    if (!audible() || !canPlay(sound)) return;
    if (sound == Sound::swordHit) lastSwordHit = now();
    const float level = duckLevel(sound, msSinceSwordHit());
    const float heard =
        soundInfo(sound).gain * level * distanceGain(glm::length(toListener(view, renderPos)));
    const int voice = chooseVoice(voices, heard);
    if (voice >= 0) startVoice(voice, sound, renderPos, false, level);
}

void GameSound::playHere(Sound sound) {
    if (!audible() || !canPlay(sound)) return;
    if (sound == Sound::swordHit) lastSwordHit = now();
    const float level = duckLevel(sound, msSinceSwordHit());
    const int voice = chooseVoice(voices, soundInfo(sound).gain * level);
    if (voice >= 0) startVoice(voice, sound, glm::vec3(0.0f), true, level);
}

double GameSound::msSinceSwordHit() const {
    if (!lastSwordHit) return -1.0;
    return std::chrono::duration<double, std::milli>(now() - *lastSwordHit).count();
}

// Starts the loop on a free voice the first time (tried again each frame until it starts),
// then keeps it placed and at its level.
void GameSound::keepLoop(int& voice, Sound sound, glm::vec3 renderPos, bool here, float level) {
    if (voice < 0) {
        if (!canPlay(sound)) return;
        const int chosen = chooseVoice(voices, soundInfo(sound).gain);
        if (chosen >= 0 && startVoice(chosen, sound, renderPos, here, level)) voice = chosen;
        return;
    }
    voicePlaces[static_cast<std::size_t>(voice)] = renderPos;
    voiceLevels[static_cast<std::size_t>(voice)] = level;
}

void GameSound::follow(const glm::mat4& newView, const std::vector<glm::vec3>& humPlaces,
                       const std::vector<float>& humLevels, glm::vec3 goalPlace, bool runOn) {
    watchDevice();
    if (!audible()) return;
    view = newView;
    keepLoop(ambientVoice, Sound::ambient, glm::vec3(0.0f), true, 1.0f);
    if (runOn) {
        humVoices.resize(humPlaces.size(), -1);
        for (std::size_t i = 0; i < humPlaces.size(); ++i) {
            keepLoop(humVoices[i], Sound::crystalHum, humPlaces[i], false, humGain(humLevels[i]));
        }
        keepLoop(chimeVoice, Sound::goalChime, goalPlace, false, 1.0f);
    } else {
        stopLoopsOfRun();
    }
    const double sinceHit = msSinceSwordHit();
    for (std::size_t v = 0; v < voices.size(); ++v) {
        if (!voices[v].busy) continue;
        const int voice = static_cast<int>(v);
        if (!voices[v].loops && !device->playing(voice)) {
            voices[v].busy = false;
            continue;
        }
        const glm::vec3 place = voiceHere[v] ? glm::vec3(0.0f) : toListener(view, voicePlaces[v]);
        // A thump that began before a hit is ducked with it; one that began ducked comes back up.
        const float level =
            isContactThump(voiceSounds[v]) ? duckLevel(voiceSounds[v], sinceHit) : voiceLevels[v];
        const float gain = soundInfo(voiceSounds[v]).gain * level;
        voices[v].heard = gain * distanceGain(glm::length(place));
        device->place(voice, place, gain);
    }
}

void GameSound::stopVoice(int voice) {
    if (voice < 0) return;
    device->stop(voice);
    voices[static_cast<std::size_t>(voice)].busy = false;
}

void GameSound::stopLoopsOfRun() {
    for (int voice : humVoices) stopVoice(voice);
    stopVoice(chimeVoice);
    humVoices.clear();
    chimeVoice = -1;
}

void GameSound::stopRun() {
    if (!audible()) return;
    for (std::size_t v = 0; v < voices.size(); ++v) {
        if (voices[v].busy && soundInfo(voiceSounds[v]).followsRun) stopVoice(static_cast<int>(v));
    }
    humVoices.clear();
    chimeVoice = -1;
}

int GameSound::busyVoices() const {
    int busy = 0;
    for (const Voice& voice : voices) busy += voice.busy;
    return busy;
}

}  // namespace zarnhold
