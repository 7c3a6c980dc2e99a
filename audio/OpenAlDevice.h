#pragma once

#include <vector>

#include "audio/SoundDevice.h"

namespace zarnhold {

// The sound device through OpenAL: the one file that includes it. Every call whose failure
// matters is checked: a buffer or a source OpenAL refuses is never kept, a start it refuses
// says so, and where OpenAL Soft can tell (ALC_EXT_disconnect) a device that is gone says so.
class OpenAlDevice : public SoundDevice {
public:
    OpenAlDevice() = default;
    OpenAlDevice(const OpenAlDevice&) = delete;
    OpenAlDevice& operator=(const OpenAlDevice&) = delete;
    ~OpenAlDevice() override;

    bool open(float referenceDistance, float maxDistance) override;
    bool isOpen() const override { return context != nullptr; }
    void close() override;

    int addBuffer(const WavSound& sound) override;
    int makeVoices(int count) override;

    bool start(int voice, int buffer, glm::vec3 position, float gain, bool loop) override;
    void place(int voice, glm::vec3 position, float gain) override;
    void stop(int voice) override;
    bool playing(int voice) const override;
    void setMasterGain(float gain) override;
    bool connected() const override;

    // The sources and buffers OpenAL holds for this device now.
    int liveVoices() const override;
    int liveBuffers() const override;

private:
    bool hasVoice(int voice) const;

    void* device = nullptr;
    void* context = nullptr;
    bool tellsDisconnect = false;
    float referenceDistanceAll = 1.0f;
    float maxDistanceAll = 100.0f;
    std::vector<unsigned int> buffers;
    std::vector<unsigned int> voices;
};

}  // namespace zarnhold
