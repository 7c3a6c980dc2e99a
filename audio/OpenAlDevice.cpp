#include "audio/OpenAlDevice.h"

#include <AL/al.h>
#include <AL/alc.h>

#include "scene/WavLoader.h"

namespace {

ALCdevice* asDevice(void* device) {
    return static_cast<ALCdevice*>(device);
}

}  // namespace

OpenAlDevice::~OpenAlDevice() {
    close();
}

bool OpenAlDevice::open(float referenceDistance, float maxDistance) {
    ALCdevice* opened = alcOpenDevice(nullptr);
    if (opened == nullptr) return false;
    ALCcontext* made = alcCreateContext(opened, nullptr);
    if (made == nullptr || alcMakeContextCurrent(made) != ALC_TRUE) {
        if (made != nullptr) alcDestroyContext(made);
        alcCloseDevice(opened);
        return false;
    }
    device = opened;
    context = made;
    alDistanceModel(AL_INVERSE_DISTANCE_CLAMPED);
    referenceDistanceAll = referenceDistance;
    maxDistanceAll = maxDistance;
    return true;
}

void OpenAlDevice::close() {
    if (!isOpen()) return;
    if (!voices.empty()) {
        alSourceStopv(static_cast<ALsizei>(voices.size()), voices.data());
        alDeleteSources(static_cast<ALsizei>(voices.size()), voices.data());
    }
    if (!buffers.empty()) alDeleteBuffers(static_cast<ALsizei>(buffers.size()), buffers.data());
    voices.clear();
    buffers.clear();
    alcMakeContextCurrent(nullptr);
    alcDestroyContext(static_cast<ALCcontext*>(context));
    alcCloseDevice(asDevice(device));
    context = nullptr;
    device = nullptr;
}

int OpenAlDevice::addBuffer(const WavSound& sound) {
    if (!isOpen() || sound.empty()) return -1;
    ALuint buffer = 0;
    alGenBuffers(1, &buffer);
    const ALenum format = sound.channels == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16;
    alBufferData(buffer, format, sound.samples.data(), static_cast<ALsizei>(sound.samples.size() * 2),
                 sound.sampleRate);
    buffers.push_back(buffer);
    return static_cast<int>(buffers.size()) - 1;
}

void OpenAlDevice::makeVoices(int count) {
    if (!isOpen() || count <= 0) return;
    voices.resize(static_cast<std::size_t>(count));
    alGenSources(count, voices.data());
    for (ALuint voice : voices) {
        alSourcef(voice, AL_REFERENCE_DISTANCE, referenceDistanceAll);
        alSourcef(voice, AL_MAX_DISTANCE, maxDistanceAll);
        alSourcef(voice, AL_ROLLOFF_FACTOR, 1.0f);
    }
}

void OpenAlDevice::start(int voice, int buffer, glm::vec3 position, float gain, bool loop) {
    if (!isOpen() || voice < 0 || voice >= static_cast<int>(voices.size()) || buffer < 0) return;
    const ALuint source = voices[static_cast<std::size_t>(voice)];
    alSourceStop(source);
    alSourcei(source, AL_BUFFER, static_cast<ALint>(buffers[static_cast<std::size_t>(buffer)]));
    alSourcei(source, AL_LOOPING, loop ? AL_TRUE : AL_FALSE);
    alSource3f(source, AL_POSITION, position.x, position.y, position.z);
    alSourcef(source, AL_GAIN, gain);
    alSourcePlay(source);
}

void OpenAlDevice::place(int voice, glm::vec3 position, float gain) {
    if (!isOpen() || voice < 0 || voice >= static_cast<int>(voices.size())) return;
    const ALuint source = voices[static_cast<std::size_t>(voice)];
    alSource3f(source, AL_POSITION, position.x, position.y, position.z);
    alSourcef(source, AL_GAIN, gain);
}

void OpenAlDevice::stop(int voice) {
    if (!isOpen() || voice < 0 || voice >= static_cast<int>(voices.size())) return;
    alSourceStop(voices[static_cast<std::size_t>(voice)]);
}

bool OpenAlDevice::playing(int voice) const {
    if (!isOpen() || voice < 0 || voice >= static_cast<int>(voices.size())) return false;
    ALint state = AL_STOPPED;
    alGetSourcei(voices[static_cast<std::size_t>(voice)], AL_SOURCE_STATE, &state);
    return state == AL_PLAYING;
}

void OpenAlDevice::setMasterGain(float gain) {
    if (isOpen()) alListenerf(AL_GAIN, gain);
}

int OpenAlDevice::liveVoices() const {
    int live = 0;
    if (!isOpen()) return live;
    for (ALuint voice : voices) live += alIsSource(voice) == AL_TRUE;
    return live;
}

int OpenAlDevice::liveBuffers() const {
    int live = 0;
    if (!isOpen()) return live;
    for (ALuint buffer : buffers) live += alIsBuffer(buffer) == AL_TRUE;
    return live;
}
