#include "audio/OpenAlDevice.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>

#include "scene/WavLoader.h"

namespace zarnhold {

namespace {

ALCdevice* asDevice(void* device) {
    return static_cast<ALCdevice*>(device);
}

// OpenAL keeps the first error until it is read: read it before a checked group of calls
// so that only theirs is seen after.
void clearErrors() {
    alGetError();
}

bool succeeded() {
    return alGetError() == AL_NO_ERROR;
}

}  // namespace

OpenAlDevice::~OpenAlDevice() {
    close();
}

bool OpenAlDevice::open(float referenceDistance, float maxDistance) {
    if (isOpen()) close();
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
    tellsDisconnect = alcIsExtensionPresent(opened, "ALC_EXT_disconnect") == ALC_TRUE;
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
    tellsDisconnect = false;
}

int OpenAlDevice::addBuffer(const WavSound& sound) {
    if (!isOpen() || sound.empty()) return -1;
    clearErrors();
    ALuint buffer = 0;
    alGenBuffers(1, &buffer);
    if (!succeeded()) return -1;
    const ALenum format = sound.channels == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16;
    alBufferData(buffer, format, sound.samples.data(), static_cast<ALsizei>(sound.samples.size() * 2),
                 sound.sampleRate);
    if (!succeeded()) {
        alDeleteBuffers(1, &buffer);
        return -1;
    }
    buffers.push_back(buffer);
    return static_cast<int>(buffers.size()) - 1;
}

int OpenAlDevice::makeVoices(int count) {
    if (!isOpen()) return 0;
    clearErrors();
    // One at a time: a device short of sources gives as many as it has, and a refused one
    // leaves no name behind.
    for (int i = 0; i < count; ++i) {
        ALuint voice = 0;
        alGenSources(1, &voice);
        if (!succeeded()) break;
        alSourcef(voice, AL_REFERENCE_DISTANCE, referenceDistanceAll);
        alSourcef(voice, AL_MAX_DISTANCE, maxDistanceAll);
        alSourcef(voice, AL_ROLLOFF_FACTOR, 1.0f);
        voices.push_back(voice);
    }
    return static_cast<int>(voices.size());
}

bool OpenAlDevice::hasVoice(int voice) const {
    return isOpen() && voice >= 0 && voice < static_cast<int>(voices.size());
}

bool OpenAlDevice::start(int voice, int buffer, glm::vec3 position, float gain, bool loop) {
    if (!hasVoice(voice) || buffer < 0 || buffer >= static_cast<int>(buffers.size())) return false;
    const ALuint source = voices[static_cast<std::size_t>(voice)];
    alSourceStop(source);
    clearErrors();
    alSourcei(source, AL_BUFFER, static_cast<ALint>(buffers[static_cast<std::size_t>(buffer)]));
    alSourcei(source, AL_LOOPING, loop ? AL_TRUE : AL_FALSE);
    alSource3f(source, AL_POSITION, position.x, position.y, position.z);
    alSourcef(source, AL_GAIN, gain);
    alSourcePlay(source);
    if (succeeded()) return true;
    // Half set up, it might still play its old buffer.
    alSourceStop(source);
    return false;
}

void OpenAlDevice::place(int voice, glm::vec3 position, float gain) {
    if (!hasVoice(voice)) return;
    const ALuint source = voices[static_cast<std::size_t>(voice)];
    alSource3f(source, AL_POSITION, position.x, position.y, position.z);
    alSourcef(source, AL_GAIN, gain);
}

void OpenAlDevice::stop(int voice) {
    if (!hasVoice(voice)) return;
    alSourceStop(voices[static_cast<std::size_t>(voice)]);
}

bool OpenAlDevice::playing(int voice) const {
    if (!hasVoice(voice)) return false;
    ALint state = AL_STOPPED;
    alGetSourcei(voices[static_cast<std::size_t>(voice)], AL_SOURCE_STATE, &state);
    return state == AL_PLAYING;
}

void OpenAlDevice::setMasterGain(float gain) {
    if (isOpen()) alListenerf(AL_GAIN, gain);
}

bool OpenAlDevice::connected() const {
    if (!isOpen()) return false;
    if (!tellsDisconnect) return true;
    ALCint connectedNow = ALC_TRUE;
    alcGetIntegerv(asDevice(device), ALC_CONNECTED, 1, &connectedNow);
    return connectedNow != ALC_FALSE;
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

}  // namespace zarnhold
