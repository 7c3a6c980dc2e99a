#pragma once

#include <vector>

#include <glm/glm.hpp>

struct WavSound;

// The sound device through OpenAL: the one file that includes it. The listener stays at the
// origin looking down -z with +y up; voices are placed in that frame. Without an open
// device every call does nothing.
class OpenAlDevice {
public:
    OpenAlDevice() = default;
    OpenAlDevice(const OpenAlDevice&) = delete;
    OpenAlDevice& operator=(const OpenAlDevice&) = delete;
    ~OpenAlDevice();

    // The default device and a context on it, inverse-distance clamped attenuation from
    // `referenceDistance` to `maxDistance`; false when there is no device.
    bool open(float referenceDistance, float maxDistance);
    bool isOpen() const { return context != nullptr; }
    // Frees every voice and buffer, then the context and the device.
    void close();

    // A buffer holding `sound` (mono sounds are placed in space, stereo ones are not);
    // returns its index, or -1 for an empty sound or no device.
    int addBuffer(const WavSound& sound);
    // `count` voices (sources), all stopped.
    void makeVoices(int count);

    void start(int voice, int buffer, glm::vec3 position, float gain, bool loop);
    void place(int voice, glm::vec3 position, float gain);
    void stop(int voice);
    bool playing(int voice) const;
    void setMasterGain(float gain);

    // The sources and buffers OpenAL holds for this device now.
    int liveVoices() const;
    int liveBuffers() const;

private:
    void* device = nullptr;
    void* context = nullptr;
    float referenceDistanceAll = 1.0f;
    float maxDistanceAll = 100.0f;
    std::vector<unsigned int> buffers;
    std::vector<unsigned int> voices;
};
