#pragma once

#include <algorithm>
#include <vector>

#include "audio/SoundDevice.h"
#include "scene/WavLoader.h"

namespace zarnhold {

// A sound device that plays nothing but keeps what it is asked to play, and fails on cue:
// it can be absent (it does not open, and an open one says it is gone), short of sources, or
// refuse to start one buffer. A call on a voice it never made, or on a closed device, is
// counted as a stray: the game must never make one.
class StandInSoundDevice : public SoundDevice {
public:
    // The cues.
    bool present = true;
    int sourcesAvailable = 1000;
    int refusedBuffer = -1;

    // What it saw.
    float masterGain = -1.0f;
    int openTries = 0;
    mutable int checks = 0;
    mutable int strays = 0;

    bool open(float, float) override {
        ++openTries;
        opened = present;
        return opened;
    }
    bool isOpen() const override { return opened; }
    void close() override {
        opened = false;
        bufferCount = 0;
        voiceBuffers.clear();
    }

    int addBuffer(const WavSound& sound) override {
        if (!opened || sound.empty()) return -1;
        return bufferCount++;
    }
    int makeVoices(int count) override {
        if (!opened) return 0;
        voiceBuffers.assign(static_cast<std::size_t>(std::min(count, sourcesAvailable)), -1);
        return liveVoices();
    }

    bool start(int voice, int buffer, glm::vec3, float, bool) override {
        if (!madeVoice(voice)) return false;
        const bool plays = buffer >= 0 && buffer < bufferCount && buffer != refusedBuffer;
        at(voice) = plays ? buffer : -1;
        return plays;
    }
    void place(int voice, glm::vec3, float) override { madeVoice(voice); }
    void stop(int voice) override {
        if (madeVoice(voice)) at(voice) = -1;
    }
    bool playing(int voice) const override { return madeVoice(voice) && voiceBuffers[index(voice)] >= 0; }
    void setMasterGain(float gain) override { masterGain = gain; }
    bool connected() const override {
        ++checks;
        return opened && present;
    }

    int liveVoices() const override { return opened ? static_cast<int>(voiceBuffers.size()) : 0; }
    int liveBuffers() const override { return bufferCount; }

    // Voices playing `buffer` now, or playing anything when it is -1.
    int sounding(int buffer = -1) const {
        int count = 0;
        for (int playing : voiceBuffers) count += buffer < 0 ? playing >= 0 : playing == buffer;
        return count;
    }

private:
    static std::size_t index(int voice) { return static_cast<std::size_t>(voice); }
    int& at(int voice) { return voiceBuffers[index(voice)]; }
    bool madeVoice(int voice) const {
        const bool made = opened && voice >= 0 && voice < static_cast<int>(voiceBuffers.size());
        strays += !made;
        return made;
    }

    bool opened = false;
    int bufferCount = 0;
    // The buffer each voice plays, -1 for none.
    std::vector<int> voiceBuffers;
};

}  // namespace zarnhold
