#pragma once

#include <glm/glm.hpp>

namespace zarnhold {

struct WavSound;

// What the game's sound asks of a sound device: buffers, a pool of voices (sources) to
// start, place and stop, and whether the device is still there. The listener stays at the
// origin looking down -z with +y up; voices are placed in that frame. Without an open
// device every call does nothing and every question answers no.
class SoundDevice {
public:
    virtual ~SoundDevice() = default;

    // Opens the default device with inverse-distance clamped attenuation from
    // `referenceDistance` to `maxDistance`; false when there is none.
    virtual bool open(float referenceDistance, float maxDistance) = 0;
    virtual bool isOpen() const = 0;
    // Frees every voice and buffer, then the device.
    virtual void close() = 0;

    // A buffer holding `sound` (mono sounds are placed in space, stereo ones are not);
    // returns its index, or -1 for an empty sound, no device or a buffer the device refused.
    virtual int addBuffer(const WavSound& sound) = 0;
    // Up to `count` voices, all stopped, numbered from 0; returns how many the device made
    // (fewer when it runs out of sources).
    virtual int makeVoices(int count) = 0;

    // Plays `buffer` on `voice` from its start, whatever the voice played before; false
    // when it does not play (the voice then plays nothing).
    virtual bool start(int voice, int buffer, glm::vec3 position, float gain, bool loop) = 0;
    virtual void place(int voice, glm::vec3 position, float gain) = 0;
    virtual void stop(int voice) = 0;
    virtual bool playing(int voice) const = 0;
    virtual void setMasterGain(float gain) = 0;
    // False once the open device has gone (unplugged, its server gone); a device that
    // cannot tell is taken to be there.
    virtual bool connected() const = 0;

    // The voices and buffers the device holds now.
    virtual int liveVoices() const = 0;
    virtual int liveBuffers() const = 0;
};

}  // namespace zarnhold
