#include "tools/sounds/Synth.h"

#include <algorithm>
#include <cmath>

namespace zarnhold_assets {

namespace {

constexpr double kTwoPi = 6.283185307179586;

// The polynomial that rounds off a unit step across the sample on either side of it.
double bandLimitedStep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

// A half-cosine from 0 at u = 0 to 1 at u = 1.
float halfCosine(float u) {
    return 0.5f - 0.5f * std::cos(kPi * std::clamp(u, 0.0f, 1.0f));
}

}  // namespace

int sampleCount(float seconds) {
    return static_cast<int>(std::lround(seconds * static_cast<float>(kSampleRate)));
}

float sine(double phase) {
    return static_cast<float>(std::sin(kTwoPi * (phase - std::floor(phase))));
}

float saw(double phase, double increment) {
    const double t = phase - std::floor(phase);
    return static_cast<float>(2.0 * t - 1.0 - bandLimitedStep(t, std::min(increment, 0.5)));
}

double Oscillator::step(float frequency) {
    const double now = phase;
    phase += static_cast<double>(frequency) / kSampleRate;
    phase -= std::floor(phase);
    return now;
}

float Oscillator::sine(float frequency) {
    return zarnhold_assets::sine(step(frequency));
}

float Oscillator::saw(float frequency) {
    return zarnhold_assets::saw(step(frequency), static_cast<double>(frequency) / kSampleRate);
}

int cyclesInLoop(float frequency, int length) {
    const long cycles = std::lround(static_cast<double>(frequency) * length / kSampleRate);
    return static_cast<int>(std::max(1L, cycles));
}

double loopPhase(int cycles, int i, int length) {
    const long long turns = static_cast<long long>(cycles) * i % length;
    return static_cast<double>(turns) / length;
}

Samples whiteNoise(Rng& rng, int count) {
    Samples noise(static_cast<size_t>(count));
    for (float& x : noise) {
        x = rng.range(-1.0f, 1.0f);
    }
    return noise;
}

OnePole::OnePole(float cutoff)
    : coefficient(1.0f - std::exp(-2.0f * kPi * cutoff / static_cast<float>(kSampleRate))) {}

float OnePole::lowPass(float x) {
    state += coefficient * (x - state);
    return state;
}

Biquad::Biquad(Kind kind, float frequency, float q) : kind(kind) {
    tune(frequency, q);
}

void Biquad::tune(float frequency, float q) {
    const float nyquistSafe = std::clamp(frequency, 10.0f, 0.45f * static_cast<float>(kSampleRate));
    const float w = 2.0f * kPi * nyquistSafe / static_cast<float>(kSampleRate);
    const float cosW = std::cos(w);
    const float alpha = std::sin(w) / (2.0f * q);
    const float a0 = 1.0f + alpha;
    switch (kind) {
        case Kind::LowPass:
            b0 = (1.0f - cosW) / 2.0f;
            b1 = 1.0f - cosW;
            b2 = b0;
            break;
        case Kind::HighPass:
            b0 = (1.0f + cosW) / 2.0f;
            b1 = -(1.0f + cosW);
            b2 = b0;
            break;
        case Kind::BandPass:
            b0 = alpha;
            b1 = 0.0f;
            b2 = -alpha;
            break;
    }
    b0 /= a0;
    b1 /= a0;
    b2 /= a0;
    a1 = -2.0f * cosW / a0;
    a2 = (1.0f - alpha) / a0;
}

float Biquad::process(float x) {
    // Transposed direct form II: two numbers of state.
    const float y = b0 * x + z1;
    z1 = b1 * x - a1 * y + z2;
    z2 = b2 * x - a2 * y;
    return y;
}

float attackDecay(float t, float attack, float decay) {
    if (t <= 0.0f) {
        return 0.0f;
    }
    if (t < attack) {
        return halfCosine(t / attack);
    }
    return std::exp(-(t - attack) / decay);
}

float swell(float t, float rise, float fall, float length) {
    if (t <= 0.0f || t >= length) {
        return 0.0f;
    }
    return halfCosine(t / rise) * halfCosine((length - t) / fall);
}

float glide(float from, float to, float u) {
    return from * std::pow(to / from, std::clamp(u, 0.0f, 1.0f));
}

float peakOf(const Samples& sound) {
    float peak = 0.0f;
    for (float x : sound) {
        peak = std::max(peak, std::abs(x));
    }
    return peak;
}

float rootMeanSquareOf(const Samples& sound) {
    double sum = 0.0;
    for (float x : sound) {
        sum += static_cast<double>(x) * x;
    }
    return sound.empty() ? 0.0f : static_cast<float>(std::sqrt(sum / static_cast<double>(sound.size())));
}

void scale(Samples& sound, float gain) {
    for (float& x : sound) {
        x *= gain;
    }
}

void finishOneShot(Samples& sound, float peak, float fadeOut) {
    if (sound.empty()) {
        return;
    }
    OnePole rumble(20.0f);
    for (float& x : sound) {
        x = rumble.highPass(x);
    }
    const int count = static_cast<int>(sound.size());
    const float length = timeOf(count - 1);
    Samples window(sound.size());
    double sum = 0.0, weight = 0.0;
    for (int i = 0; i < count; ++i) {
        window[i] = swell(timeOf(i), 0.002f, fadeOut, length);
        sound[i] *= window[i];
        sum += sound[i];
        weight += window[i];
    }
    const float offset = weight > 0.0 ? static_cast<float>(sum / weight) : 0.0f;
    for (int i = 0; i < count; ++i) {
        sound[i] -= offset * window[i];
    }
    const float loudest = peakOf(sound);
    if (loudest > 0.0f) {
        scale(sound, peak / loudest);
    }
}

Samples crossfadeLoop(const Samples& longer, int length) {
    const int fade = std::min(static_cast<int>(longer.size()) - length, length);
    Samples loop(longer.begin(), longer.begin() + length);
    for (int i = 0; i < fade; ++i) {
        const float u = static_cast<float>(i) / static_cast<float>(fade);
        const float in = std::sin(0.5f * kPi * u);
        const float out = std::cos(0.5f * kPi * u);
        loop[i] = in * longer[i] + out * longer[length + i];
    }
    return loop;
}

}  // namespace zarnhold_assets
