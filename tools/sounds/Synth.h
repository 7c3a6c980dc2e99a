#pragma once

#include <vector>

#include "tools/pictures/Rng.h"

namespace zarnhold_assets {

// The small pieces the game's sounds are made of. Time runs in samples at kSampleRate,
// levels are linear (1 is full scale) and phases are in cycles (1 is a whole turn).

constexpr int kSampleRate = 22050;
constexpr float kPi = 3.14159265f;

using Samples = std::vector<float>;

// How many samples `seconds` take, rounded to the nearest.
int sampleCount(float seconds);

// The time of sample `i`, in seconds.
inline float timeOf(int i) {
    return static_cast<float>(i) / static_cast<float>(kSampleRate);
}

// --- Oscillators ------------------------------------------------------------------------

// sin(2 pi phase), with the phase first brought into [0, 1) so that large phases keep
// their precision.
float sine(double phase);

// A rising sawtooth in [-1, 1] at `phase`, its jump rounded off over one sample's
// `increment` of phase (a polynomial band-limited step), so that it does not alias.
float saw(double phase, double increment);

// A running phase, for tones whose pitch moves: each call gives this sample's value at
// `frequency` (Hz) and steps one sample on.
class Oscillator {
public:
    explicit Oscillator(double startPhase = 0.0) : phase(startPhase) {}
    float sine(float frequency);
    float saw(float frequency);

private:
    double step(float frequency);

    double phase = 0.0;
};

// The whole number of cycles (at least one) nearest to `frequency` in `length` samples:
// a partial of a loop that many cycles long repeats without a seam.
int cyclesInLoop(float frequency, int length);

// The phase at sample `i` of a tone of `cycles` whole cycles every `length` samples,
// worked out in whole numbers so that sample `length` has exactly the phase of sample 0.
double loopPhase(int cycles, int i, int length);

// --- Noise ------------------------------------------------------------------------------

// `count` samples of white noise, uniform in [-1, 1).
Samples whiteNoise(Rng& rng, int count);

// --- Filters ----------------------------------------------------------------------------

// A one-pole low-pass filter at `cutoff` Hz; its high-pass is the input less the low-pass.
class OnePole {
public:
    explicit OnePole(float cutoff);
    float lowPass(float x);
    float highPass(float x) { return x - lowPass(x); }

private:
    float coefficient = 0.0f;
    float state = 0.0f;
};

// A two-pole, two-zero filter (the audio equaliser cookbook's low-pass, high-pass and
// band-pass, the last with a peak gain of 1). It can be retuned while it runs, for sweeps.
class Biquad {
public:
    enum class Kind { LowPass, HighPass, BandPass };

    Biquad(Kind kind, float frequency, float q);
    // New centre or corner frequency (Hz) and Q; what the filter holds carries on.
    void tune(float frequency, float q);
    float process(float x);

private:
    Kind kind = Kind::LowPass;
    float b0 = 1.0f, b1 = 0.0f, b2 = 0.0f, a1 = 0.0f, a2 = 0.0f;
    float z1 = 0.0f, z2 = 0.0f;
};

// --- Envelopes --------------------------------------------------------------------------

// 0 before t = 0, then a half-cosine rise to 1 over `attack` seconds, then a fall by a
// factor e every `decay` seconds.
float attackDecay(float t, float attack, float decay);

// 0 outside [0, length]; a half-cosine rise over `rise` seconds, 1, then a half-cosine
// fall over the last `fall` seconds.
float swell(float t, float rise, float fall, float length);

// From `from` to `to` as u goes from 0 to 1 (clamped), by equal ratios: a pitch glide.
float glide(float from, float to, float u);

// --- Levels and shaping -----------------------------------------------------------------

float peakOf(const Samples& sound);
float rootMeanSquareOf(const Samples& sound);
void scale(Samples& sound, float gain);

// Makes a one-shot start and end in silence with no offset: takes out what lies below
// about 20 Hz, fades in over the first 2 ms and out over the last `fadeOut` seconds,
// takes away what mean is left in the shape of those fades (so the ends stay at 0), and
// scales the sound to the `peak` level.
void finishOneShot(Samples& sound, float peak, float fadeOut);

// A loop `length` samples long from `longer`, which runs on past it: the samples past
// `length` fade out over the loop's first ones while those fade in, by equal power (right
// for signals such as noise that do not repeat), so the loop's last sample runs into its
// first just as sample length - 1 ran into sample length.
Samples crossfadeLoop(const Samples& longer, int length);

}  // namespace zarnhold_assets
