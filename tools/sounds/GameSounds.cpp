#include "tools/sounds/GameSounds.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "tools/sounds/WavWriter.h"

namespace zarnhold_assets {

namespace {

// The loudest one-shots peak at -3 dBFS, so that several can sound at once.
constexpr float kLoudest = 0.707f;

using Kind = Biquad::Kind;

struct Partial {
    float frequency;  // Hz (or a ratio to a fundamental)
    float level;
};

// A sum of harmonics of `frequency` at time `t` (seconds since the note began), those
// above the highest frequency a file holds left out.
float harmonicTone(float t, float frequency, const std::vector<float>& levels) {
    float sum = 0.0f;
    for (size_t k = 0; k < levels.size(); ++k) {
        const float f = frequency * static_cast<float>(k + 1);
        if (f < 0.45f * kSampleRate) {
            sum += levels[k] * sine(static_cast<double>(f) * t);
        }
    }
    return sum;
}

// --- Loops ------------------------------------------------------------------------------

// Wind in the halls: deep noise through a low-pass that opens with slow gusts, and a faint
// drone of a low fifth whose doubled root beats once a loop. The gusts' pattern and every
// partial repeat a whole number of times a loop; the noise is crossfaded into a loop.
Samples ambient() {
    const int length = sampleCount(8.0f);
    const int fade = sampleCount(1.5f);
    const int preroll = sampleCount(0.5f);
    Rng rng(4101);
    const Samples noise = whiteNoise(rng, preroll + length + fade);
    Biquad hall(Kind::LowPass, 300.0f, 0.7f);
    Biquad hollow(Kind::BandPass, 140.0f, 2.0f);
    Samples wind(static_cast<size_t>(length + fade));
    for (int n = 0; n < preroll + length + fade; ++n) {
        const int i = n - preroll;
        const double u = static_cast<double>((i % length + length) % length) / length;
        const float gust = 0.5f + 0.3f * sine(2.0 * u + 0.1) + 0.2f * sine(3.0 * u + 0.65);
        hall.tune(170.0f + 280.0f * gust, 0.7f);
        const float x = noise[static_cast<size_t>(n)];
        const float y = (hall.process(x) + 1.5f * hollow.process(x)) * (0.35f + 0.65f * gust);
        if (i >= 0) {
            wind[static_cast<size_t>(i)] = y;
        }
    }
    Samples bed = crossfadeLoop(wind, length);
    scale(bed, 0.093f / rootMeanSquareOf(bed));

    const Partial drone[] = {{55.0f, 1.0f}, {55.125f, 0.6f}, {82.5f, 0.35f}, {110.0f, 0.25f}, {165.0f, 0.1f}};
    Samples hum(static_cast<size_t>(length), 0.0f);
    for (const Partial& p : drone) {
        const int cycles = cyclesInLoop(p.frequency, length);
        const double start = rng.uniform();
        for (int i = 0; i < length; ++i) {
            hum[static_cast<size_t>(i)] += p.level * sine(loopPhase(cycles, i, length) + start);
        }
    }
    for (int i = 0; i < length; ++i) {
        // The drone swells and ebbs once a loop.
        hum[static_cast<size_t>(i)] *= 0.7f + 0.3f * sine(loopPhase(1, i, length) + 0.3);
    }
    scale(hum, 0.035f / rootMeanSquareOf(hum));
    for (size_t i = 0; i < bed.size(); ++i) {
        bed[i] += hum[i];
    }
    scale(bed, 0.1f / rootMeanSquareOf(bed));  // -20 dBFS
    return bed;
}

// A light crystal's hum: 110 Hz and its harmonics, each with a slightly detuned twin
// (beats of half a hertz to one), a gentle shimmer twice a second and a breath of air.
Samples crystalHum() {
    const int length = sampleCount(2.0f);
    const int fade = sampleCount(0.5f);
    Rng rng(4102);
    const Partial partials[] = {{110.0f, 1.0f},  {110.5f, 0.3f},  {165.0f, 0.22f}, {220.0f, 0.45f},
                                {221.0f, 0.18f}, {330.0f, 0.12f}, {440.0f, 0.05f}};
    Samples hum(static_cast<size_t>(length), 0.0f);
    for (const Partial& p : partials) {
        const int cycles = cyclesInLoop(p.frequency, length);
        const double start = rng.uniform();
        for (int i = 0; i < length; ++i) {
            hum[static_cast<size_t>(i)] += p.level * sine(loopPhase(cycles, i, length) + start);
        }
    }
    for (int i = 0; i < length; ++i) {
        hum[static_cast<size_t>(i)] *= 0.88f + 0.12f * sine(loopPhase(4, i, length));
    }
    const Samples noise = whiteNoise(rng, length + fade);
    Biquad airFilter(Kind::BandPass, 220.0f, 3.0f);
    Samples air(noise.size());
    for (size_t i = 0; i < noise.size(); ++i) {
        air[i] = airFilter.process(noise[i]);
    }
    Samples breath = crossfadeLoop(air, length);
    scale(breath, 0.06f * rootMeanSquareOf(hum) / rootMeanSquareOf(breath));
    for (size_t i = 0; i < hum.size(); ++i) {
        hum[i] += breath[i];
    }
    scale(hum, 0.35f / peakOf(hum));
    return hum;
}

// The goal crystal: a bell's partials on 660 Hz (hum, prime, minor third, fifth, octave
// and the bright inharmonic ones above), each beating against a twin one or two cycles a
// loop apart, each swaying at its own slow rate, and struck softly twice a loop. A strike
// brightens the upper partials most and dies away to nothing before the next.
Samples goalChime() {
    const int length = sampleCount(3.0f);
    const int period = length / 2;
    const int firstStrike = sampleCount(0.2f);
    Rng rng(4103);
    const Partial bell[] = {{0.5f, 0.3f},  {1.0f, 1.0f}, {1.2f, 0.5f},  {1.5f, 0.4f},  {2.0f, 0.45f},
                            {2.5f, 0.22f}, {3.0f, 0.2f}, {4.2f, 0.16f}, {5.4f, 0.11f}, {6.8f, 0.07f}};
    Samples chime(static_cast<size_t>(length), 0.0f);
    int k = 0;
    for (const Partial& p : bell) {
        const int cycles = cyclesInLoop(660.0f * p.frequency, length);
        const int twin = cycles + 1 + k % 2;
        const double start = rng.uniform();
        const double twinStart = rng.uniform();
        const double swayStart = rng.uniform();
        const int swayCycles = 1 + k % 3;
        const float decay = 0.55f / std::sqrt(p.frequency);  // seconds
        const float tail = std::exp(-timeOf(period) / decay);
        const float strikeLevel = 0.6f + 0.35f * std::min(p.frequency / 3.0f, 1.5f);
        for (int i = 0; i < length; ++i) {
            const float u = timeOf(((i - firstStrike) % period + period) % period);
            // Rises over 8 ms and falls to exactly 0 as the next strike comes.
            const float rise = 0.5f - 0.5f * std::cos(kPi * std::min(1.0f, u / 0.008f));
            const float strike = rise * (std::exp(-u / decay) - tail) / (1.0f - tail);
            const float sway = 0.75f + 0.25f * sine(loopPhase(swayCycles, i, length) + swayStart);
            const float level = p.level * (0.45f * sway + strikeLevel * strike);
            chime[static_cast<size_t>(i)] += level * (sine(loopPhase(cycles, i, length) + start) +
                                                      0.6f * sine(loopPhase(twin, i, length) + twinStart));
        }
        ++k;
    }
    scale(chime, 0.5f / peakOf(chime));
    return chime;
}

// --- Footsteps and the body -------------------------------------------------------------

// A footstep on stone: the heel's scuff of grit (band-passed noise) with a low knock, and
// the toe's smaller scuff a moment after.
Samples footstep(std::uint64_t seed, float scuffCentre, float knock, float toeAfter) {
    const int count = sampleCount(0.15f);
    Rng rng(seed);
    const Samples noise = whiteNoise(rng, count);
    Biquad scuff(Kind::BandPass, scuffCentre, 0.9f);
    Biquad grit(Kind::HighPass, 3500.0f, 0.7f);
    Oscillator body;
    Samples step(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const float t = timeOf(i);
        const float hit = attackDecay(t, 0.001f, 0.016f) + 0.55f * attackDecay(t - toeAfter, 0.001f, 0.011f);
        const float x = noise[static_cast<size_t>(i)] * hit;
        const float thump = body.sine(glide(1.4f * knock, knock, t / 0.03f)) * attackDecay(t, 0.002f, 0.022f);
        step[static_cast<size_t>(i)] = scuff.process(x) + 0.35f * grit.process(x) + 0.5f * thump;
    }
    finishOneShot(step, 0.35f, 0.02f);
    return step;
}

// A jump: a push of breath and cloth, noise whose band rises as the body leaves the floor.
Samples jump() {
    const int count = sampleCount(0.2f);
    Rng rng(4111);
    const Samples noise = whiteNoise(rng, count);
    Biquad breath(Kind::BandPass, 500.0f, 1.2f);
    Biquad cloth(Kind::LowPass, 400.0f, 0.7f);
    Samples sound(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const float t = timeOf(i);
        breath.tune(glide(500.0f, 1500.0f, t / 0.15f), 1.2f);
        const float x = noise[static_cast<size_t>(i)] * attackDecay(t, 0.035f, 0.05f);
        sound[static_cast<size_t>(i)] = breath.process(x) + 0.6f * cloth.process(x);
    }
    finishOneShot(sound, 0.3f, 0.03f);
    return sound;
}

// A landing: a low thud that sinks in pitch, a puff of dull noise and, when `heavy`, a
// longer body, its octave, and grit that skitters after it.
Samples landing(std::uint64_t seed, bool heavy) {
    const float seconds = heavy ? 0.35f : 0.2f;
    const int count = sampleCount(seconds);
    Rng rng(seed);
    const Samples noise = whiteNoise(rng, count);
    Biquad dull(Kind::LowPass, heavy ? 600.0f : 350.0f, 0.7f);
    Biquad grit(Kind::BandPass, 2000.0f, 1.5f);
    Oscillator body;
    Oscillator octave;
    const float from = heavy ? 75.0f : 95.0f;
    const float to = heavy ? 38.0f : 55.0f;
    const float bodyDecay = heavy ? 0.11f : 0.05f;
    Samples sound(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const float t = timeOf(i);
        const float pitch = glide(from, to, t / (heavy ? 0.15f : 0.08f));
        float thud = body.sine(pitch) * attackDecay(t, 0.003f, bodyDecay);
        float debris = attackDecay(t, 0.0005f, 0.01f);
        if (heavy) {
            thud += 0.3f * octave.sine(2.0f * pitch) * attackDecay(t, 0.003f, 0.6f * bodyDecay);
            debris += 0.5f * attackDecay(t - 0.04f, 0.0005f, 0.008f) +
                      0.3f * attackDecay(t - 0.075f, 0.0005f, 0.006f);
        }
        const float x = noise[static_cast<size_t>(i)];
        sound[static_cast<size_t>(i)] =
            thud + 0.8f * dull.process(x * attackDecay(t, 0.001f, heavy ? 0.06f : 0.03f)) +
            (heavy ? 0.3f : 0.15f) * grit.process(x * debris);
    }
    finishOneShot(sound, heavy ? kLoudest : 0.45f, heavy ? 0.05f : 0.03f);
    return sound;
}

// --- The sword --------------------------------------------------------------------------

// The sword's sweep: noise through a narrow band that sweeps up to 3 kHz as the blade
// passes and back down, loudest where the band is highest.
Samples swish() {
    const int count = sampleCount(0.3f);
    Rng rng(4121);
    const Samples noise = whiteNoise(rng, count);
    Biquad band(Kind::BandPass, 450.0f, 3.0f);
    Biquad air(Kind::BandPass, 700.0f, 2.0f);
    Samples sound(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const float u = static_cast<float>(i) / static_cast<float>(count);
        const float pass = std::pow(std::sin(kPi * std::pow(u, 0.8f)), 2.0f);
        const float centre = glide(450.0f, 3200.0f, pass);
        band.tune(centre, 3.0f);
        air.tune(1.6f * centre, 2.0f);
        const float x = noise[static_cast<size_t>(i)] * pass;
        sound[static_cast<size_t>(i)] = band.process(x) + 0.4f * air.process(x);
    }
    finishOneShot(sound, 0.5f, 0.03f);
    return sound;
}

// The sword striking a creature: a sharp crack of noise, a falling knock of the body, a
// fleshy band and the blade's metallic partials ringing briefly over them.
Samples swordHit() {
    const int count = sampleCount(0.25f);
    Rng rng(4122);
    const Samples noise = whiteNoise(rng, count);
    Biquad crack(Kind::LowPass, 3000.0f, 0.7f);
    Biquad flesh(Kind::BandPass, 500.0f, 1.5f);
    Oscillator body;
    const Partial edge[] = {{2150.0f, 0.25f}, {3340.0f, 0.2f}, {4710.0f, 0.15f}, {5930.0f, 0.1f}};
    double starts[4];
    for (double& s : starts) {
        s = rng.uniform();
    }
    Samples sound(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const float t = timeOf(i);
        const float x = noise[static_cast<size_t>(i)];
        float s = crack.process(x * attackDecay(t, 0.0005f, 0.012f));
        s += 0.6f * flesh.process(x * attackDecay(t, 0.001f, 0.05f));
        s += 0.8f * body.sine(glide(160.0f, 90.0f, t / 0.05f)) * attackDecay(t, 0.001f, 0.04f);
        for (int k = 0; k < 4; ++k) {
            s += edge[k].level * sine(edge[k].frequency * t + starts[k]) *
                 attackDecay(t, 0.001f, 0.09f - 0.012f * static_cast<float>(k));
        }
        sound[static_cast<size_t>(i)] = s;
    }
    finishOneShot(sound, kLoudest, 0.03f);
    return sound;
}

// Taking up the sword: the hiss of the blade drawn (noise through a band rising to 6 kHz)
// and the blade's ring on C6, partials each beating against a twin 1.5 Hz above.
Samples pickup() {
    const int count = sampleCount(0.8f);
    Rng rng(4123);
    const Samples noise = whiteNoise(rng, count);
    Biquad hiss(Kind::BandPass, 3000.0f, 2.0f);
    const Partial ring[] = {{1.0f, 1.0f}, {2.006f, 0.5f}, {2.76f, 0.45f}, {3.99f, 0.25f}, {5.4f, 0.2f}};
    const float decays[] = {0.45f, 0.3f, 0.25f, 0.18f, 0.12f};
    const float root = 1046.5f;
    double starts[5];
    for (double& s : starts) {
        s = rng.uniform();
    }
    Samples sound(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const float t = timeOf(i);
        hiss.tune(glide(3000.0f, 6000.0f, t / 0.1f), 2.0f);
        float s = 0.5f * hiss.process(noise[static_cast<size_t>(i)] * attackDecay(t, 0.005f, 0.05f));
        for (int k = 0; k < 5; ++k) {
            const float f = root * ring[k].frequency;
            const float tone = sine(f * t + starts[k]) + 0.5f * sine((f + 1.5f) * t + starts[k] + 0.25);
            s += 0.3f * ring[k].level * tone * attackDecay(t - 0.01f, 0.002f, decays[k]);
        }
        sound[static_cast<size_t>(i)] = s;
    }
    finishOneShot(sound, 0.6f, 0.1f);
    return sound;
}

// --- Creatures --------------------------------------------------------------------------

// The centres of a voice's two formant bands, Hz.
struct Formants {
    float low;
    float high;
};

// A voice: a sawtooth at `pitch(t)` Hz, roughened, with some breath, through two formant
// bands that move from `first` to `second` and a low body; shaped by `level(t)`.
template <typename Pitch, typename Level>
Samples creatureVoice(std::uint64_t seed, float seconds, Pitch pitch, Level level, Formants first,
                      Formants second, float roughness, float breathLevel) {
    const int count = sampleCount(seconds);
    Rng rng(seed);
    const Samples noise = whiteNoise(rng, count);
    Biquad formantLow(Kind::BandPass, first.low, 4.0f);
    Biquad formantHigh(Kind::BandPass, first.high, 5.0f);
    Biquad chest(Kind::LowPass, 300.0f, 0.7f);
    Oscillator voice;
    Samples sound(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const float t = timeOf(i);
        const float u = static_cast<float>(i) / static_cast<float>(count);
        formantLow.tune(first.low + (second.low - first.low) * u, 4.0f);
        formantHigh.tune(first.high + (second.high - first.high) * u, 5.0f);
        // The throat's rattle: the voice pulses at two uneven rates in the twenties.
        const float rattle = 1.0f - roughness * (0.5f + 0.3f * sine(23.0 * t) + 0.2f * sine(31.0 * t + 0.4));
        const float source = voice.saw(pitch(t)) * rattle + breathLevel * noise[static_cast<size_t>(i)];
        const float shaped =
            formantLow.process(source) + 0.7f * formantHigh.process(source) + 0.4f * chest.process(source);
        sound[static_cast<size_t>(i)] = shaped * level(t);
    }
    return sound;
}

// A creature waking: a low growl around 72 Hz that swells, rises a little and sinks, with
// a slow vibrato and a heavy rattle; the formants open from "uh" towards "aw".
Samples growl() {
    Samples sound = creatureVoice(
        4131, 0.8f,
        [](float t) {
            const float u = t / 0.8f;
            return 72.0f * (1.0f + 0.12f * std::sin(kPi * u) - 0.1f * u) * (1.0f + 0.035f * sine(5.5 * t));
        },
        [](float t) { return swell(t, 0.12f, 0.3f, 0.8f); }, {420.0f, 1000.0f}, {560.0f, 1150.0f}, 0.6f,
        0.35f);
    finishOneShot(sound, 0.6f, 0.05f);
    return sound;
}

// A creature leaping: a short grunt falling from 130 to 85 Hz.
Samples grunt() {
    Samples sound = creatureVoice(
        4132, 0.3f, [](float t) { return glide(130.0f, 85.0f, t / 0.2f); },
        [](float t) { return attackDecay(t, 0.015f, 0.09f); }, {650.0f, 1150.0f}, {520.0f, 1000.0f}, 0.35f,
        0.4f);
    finishOneShot(sound, 0.55f, 0.04f);
    return sound;
}

// A creature dying: a cry that falls from 340 to 105 Hz, its vibrato widening and its
// formants closing as it fades.
Samples deathCry() {
    Samples sound = creatureVoice(
        4133, 0.9f,
        [](float t) {
            const float u = t / 0.9f;
            return glide(340.0f, 105.0f, std::pow(u, 0.7f)) * (1.0f + 0.06f * u * sine(6.5 * t));
        },
        [](float t) { return swell(t, 0.04f, 0.45f, 0.9f) * (1.0f - 0.3f * t / 0.9f); }, {850.0f, 1400.0f},
        {450.0f, 900.0f}, 0.25f, 0.3f);
    finishOneShot(sound, 0.6f, 0.08f);
    return sound;
}

// --- The player's harm and the shield ---------------------------------------------------

// The player hurt: a dull, low impact, a muffled puff and a short fleshy smack.
Samples playerHit() {
    const int count = sampleCount(0.3f);
    Rng rng(4141);
    const Samples noise = whiteNoise(rng, count);
    Biquad muffled(Kind::LowPass, 450.0f, 0.7f);
    Biquad smack(Kind::BandPass, 800.0f, 1.5f);
    Oscillator body;
    Samples sound(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const float t = timeOf(i);
        const float x = noise[static_cast<size_t>(i)];
        sound[static_cast<size_t>(i)] =
            body.sine(glide(120.0f, 55.0f, t / 0.1f)) * attackDecay(t, 0.001f, 0.07f) +
            0.9f * muffled.process(x * attackDecay(t, 0.0005f, 0.04f)) +
            0.4f * smack.process(x * attackDecay(t, 0.0005f, 0.02f));
    }
    finishOneShot(sound, kLoudest, 0.04f);
    return sound;
}

// A blow on the shield: a short knock rings the board's few low modes, which wood damps
// within a few tens of milliseconds, over a low thump.
Samples shieldThud() {
    const int count = sampleCount(0.3f);
    Rng rng(4142);
    const Samples noise = whiteNoise(rng, count);
    struct Mode {
        float frequency, level, q;
    };
    const Mode modes[] = {{190.0f, 1.0f, 10.0f},
                          {415.0f, 0.8f, 14.0f},
                          {730.0f, 0.6f, 16.0f},
                          {1180.0f, 0.4f, 18.0f},
                          {1720.0f, 0.25f, 20.0f}};
    std::vector<Biquad> board;
    for (const Mode& m : modes) {
        board.emplace_back(Kind::BandPass, m.frequency, m.q);
    }
    Biquad knock(Kind::LowPass, 1200.0f, 0.7f);
    Oscillator body;
    Samples sound(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const float t = timeOf(i);
        const float x = noise[static_cast<size_t>(i)] * attackDecay(t, 0.0005f, 0.004f);
        float s = 0.5f * knock.process(x) + 0.5f * body.sine(95.0f) * attackDecay(t, 0.002f, 0.04f);
        for (size_t k = 0; k < board.size(); ++k) {
            s += 6.0f * modes[k].level * board[k].process(x);
        }
        sound[static_cast<size_t>(i)] = s;
    }
    finishOneShot(sound, 0.65f, 0.05f);
    return sound;
}

// --- Stings -----------------------------------------------------------------------------

struct Note {
    float start;  // seconds
    float frequency;
    float decay;  // seconds
    float level;
};

// Notes of a soft instrument (a few harmonics, each note doubled slightly sharp for
// warmth), laid over `seconds`.
Samples playNotes(const std::vector<Note>& notes, const std::vector<float>& harmonics, float seconds) {
    const int count = sampleCount(seconds);
    Samples sound(static_cast<size_t>(count), 0.0f);
    for (const Note& note : notes) {
        for (int i = sampleCount(note.start); i < count; ++i) {
            const float t = timeOf(i) - note.start;
            const float envelope = note.level * attackDecay(t, 0.012f, note.decay);
            sound[static_cast<size_t>(i)] +=
                envelope * (harmonicTone(t, note.frequency, harmonics) +
                            0.5f * harmonicTone(t, 1.003f * note.frequency, harmonics));
        }
    }
    return sound;
}

// The run lost: A4, F4, D4 falling, then D3 and A3 together, dark and held.
Samples gameOver() {
    Samples sound = playNotes({{0.0f, 440.0f, 0.3f, 1.0f},
                               {0.3f, 349.23f, 0.3f, 1.0f},
                               {0.6f, 293.66f, 0.35f, 1.0f},
                               {0.95f, 146.83f, 0.6f, 1.1f},
                               {0.95f, 220.0f, 0.5f, 0.6f}},
                              {1.0f, 0.45f, 0.25f, 0.12f}, 2.0f);
    finishOneShot(sound, 0.6f, 0.2f);
    return sound;
}

// The run won: C4, E4, G4, C5 rising, E5, then C5, E5, G5 and C6 together, bright and
// long.
Samples won() {
    Samples sound = playNotes({{0.0f, 261.63f, 0.3f, 1.0f},
                               {0.25f, 329.63f, 0.3f, 1.0f},
                               {0.5f, 392.0f, 0.3f, 1.0f},
                               {0.75f, 523.25f, 0.35f, 1.0f},
                               {1.0f, 659.26f, 0.35f, 0.9f},
                               {1.25f, 523.25f, 1.2f, 0.7f},
                               {1.25f, 659.26f, 1.2f, 0.6f},
                               {1.25f, 783.99f, 1.2f, 0.55f},
                               {1.25f, 1046.5f, 1.0f, 0.4f}},
                              {1.0f, 0.5f, 0.35f, 0.2f, 0.12f, 0.08f}, 4.0f);
    finishOneShot(sound, 0.65f, 0.3f);
    return sound;
}

}  // namespace

std::vector<GameSound> synthesiseGameSounds() {
    return {
        {"ambient.wav", true, ambient()},
        {"crystalhum.wav", true, crystalHum()},
        {"goalchime.wav", true, goalChime()},
        {"step1.wav", false, footstep(4151, 1400.0f, 100.0f, 0.035f)},
        {"step2.wav", false, footstep(4152, 1900.0f, 120.0f, 0.045f)},
        {"jump.wav", false, jump()},
        {"land.wav", false, landing(4161, false)},
        {"landhard.wav", false, landing(4162, true)},
        {"swish.wav", false, swish()},
        {"swordhit.wav", false, swordHit()},
        {"pickup.wav", false, pickup()},
        {"growl.wav", false, growl()},
        {"grunt.wav", false, grunt()},
        {"playerhit.wav", false, playerHit()},
        {"shieldthud.wav", false, shieldThud()},
        {"deathcry.wav", false, deathCry()},
        {"gameover.wav", false, gameOver()},
        {"won.wav", false, won()},
    };
}

bool writeGameSounds(const std::string& soundsDir) {
    bool ok = true;
    for (const GameSound& sound : synthesiseGameSounds()) {
        ok = writeWav(soundsDir + "/" + sound.name, sound.samples, kSampleRate) && ok;
    }
    return ok;
}

}  // namespace zarnhold_assets
