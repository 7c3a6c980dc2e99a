#include "audio/GameSound.h"

#include <cstdio>

#include "scene/WavLoader.h"

void GameSound::setVolume(float volume) {
    device.setMasterGain(masterGain(volume, false));
}

void GameSound::start(float volume, bool mute) {
    buffers.fill(-1);
    if (mute) return;
    if (!device.open(referenceDistance, maxDistance)) {
        std::printf("No sound device: playing in silence\n");
        return;
    }
    for (int i = 0; i < static_cast<int>(Sound::count); ++i) {
        buffers[static_cast<std::size_t>(i)] =
            device.addBuffer(readWavFile(soundInfo(static_cast<Sound>(i)).file));
    }
    device.makeVoices(voiceCount);
    device.setMasterGain(masterGain(volume, mute));
    voices.assign(voiceCount, Voice());
    voiceSounds.assign(voiceCount, Sound::ambient);
    voicePlaces.assign(voiceCount, glm::vec3(0.0f));
    voiceHere.assign(voiceCount, false);
    voiceLevels.assign(voiceCount, 0.0f);
}

void GameSound::stop() {
    device.close();
    voices.clear();
    humVoices.clear();
    ambientVoice = chimeVoice = -1;
}

void GameSound::startVoice(int voice, Sound sound, glm::vec3 renderPos, bool here, float level) {
    const std::size_t v = static_cast<std::size_t>(voice);
    const SoundInfo& info = soundInfo(sound);
    const glm::vec3 place = here ? glm::vec3(0.0f) : toListener(view, renderPos);
    voices[v] = Voice{true, info.loops, info.gain * level * distanceGain(glm::length(place))};
    voiceSounds[v] = sound;
    voicePlaces[v] = renderPos;
    voiceHere[v] = here;
    voiceLevels[v] = level;
    device.start(voice, buffers[static_cast<std::size_t>(sound)], place, info.gain * level, info.loops);
}

void GameSound::play(Sound sound, glm::vec3 renderPos) {
    if (!audible()) return;
    if (sound == Sound::swordHit) lastSwordHit = Clock::now();
    const float level = duckLevel(sound, msSinceSwordHit());
    const float heard =
        soundInfo(sound).gain * level * distanceGain(glm::length(toListener(view, renderPos)));
    const int voice = chooseVoice(voices, heard);
    if (voice >= 0) startVoice(voice, sound, renderPos, false, level);
}

void GameSound::playHere(Sound sound) {
    if (!audible()) return;
    if (sound == Sound::swordHit) lastSwordHit = Clock::now();
    const float level = duckLevel(sound, msSinceSwordHit());
    const int voice = chooseVoice(voices, soundInfo(sound).gain * level);
    if (voice >= 0) startVoice(voice, sound, glm::vec3(0.0f), true, level);
}

double GameSound::msSinceSwordHit() const {
    if (!lastSwordHit) return -1.0;
    return std::chrono::duration<double, std::milli>(Clock::now() - *lastSwordHit).count();
}

// Starts the loop on a free voice the first time, then keeps it placed and at its level.
void GameSound::keepLoop(int& voice, Sound sound, glm::vec3 renderPos, float level) {
    if (voice < 0) {
        voice = chooseVoice(voices, soundInfo(sound).gain);
        if (voice >= 0) startVoice(voice, sound, renderPos, false, level);
        return;
    }
    voicePlaces[static_cast<std::size_t>(voice)] = renderPos;
    voiceLevels[static_cast<std::size_t>(voice)] = level;
}

void GameSound::follow(const glm::mat4& newView, const std::vector<glm::vec3>& humPlaces,
                       const std::vector<float>& humLevels, glm::vec3 goalPlace, bool runOn) {
    if (!audible()) return;
    view = newView;
    if (ambientVoice < 0) {
        ambientVoice = chooseVoice(voices, 1.0f);
        if (ambientVoice >= 0) startVoice(ambientVoice, Sound::ambient, glm::vec3(0.0f), true, 1.0f);
    }
    if (runOn) {
        humVoices.resize(humPlaces.size(), -1);
        for (std::size_t i = 0; i < humPlaces.size(); ++i) {
            keepLoop(humVoices[i], Sound::crystalHum, humPlaces[i], humGain(humLevels[i]));
        }
        keepLoop(chimeVoice, Sound::goalChime, goalPlace, 1.0f);
    } else {
        stopLoopsOfRun();
    }
    const double sinceHit = msSinceSwordHit();
    for (std::size_t v = 0; v < voices.size(); ++v) {
        if (!voices[v].busy) continue;
        const int voice = static_cast<int>(v);
        if (!voices[v].loops && !device.playing(voice)) {
            voices[v].busy = false;
            continue;
        }
        const glm::vec3 place = voiceHere[v] ? glm::vec3(0.0f) : toListener(view, voicePlaces[v]);
        // A thump that began before a hit is ducked with it; one that began ducked comes back up.
        const float level =
            isContactThump(voiceSounds[v]) ? duckLevel(voiceSounds[v], sinceHit) : voiceLevels[v];
        const float gain = soundInfo(voiceSounds[v]).gain * level;
        voices[v].heard = gain * distanceGain(glm::length(place));
        device.place(voice, place, gain);
    }
}

void GameSound::stopVoice(int voice) {
    if (voice < 0) return;
    device.stop(voice);
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
