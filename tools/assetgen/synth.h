// Sound-making building blocks: WAV output, oscillators, filters, envelopes, echo and reverb.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "pi.h"

constexpr int kSampleRate = 44100;

using Samples = std::vector<float>;

// Mono, 16-bit PCM at kSampleRate. Samples are clamped to -1..1.
bool WriteWav(const Samples& samples, const std::string& path);
// Scales so the loudest sample reaches `peak`.
void Normalise(Samples& s, float peak);
// Turns a rendering `loopLength + fade` long into a seamless loop of `loopLength`:
// the opening is cross-faded with what followed the loop's end, so the last sample
// flows straight into the first.
Samples SeamlessLoop(const Samples& longer, int loopLength, int fade);
// Short fades at both ends so one-shot sounds start and stop without a click.
void FadeEdges(Samples& s, float inSeconds, float outSeconds);

inline float MidiHz(float note) { return 440.0f * std::pow(2.0f, (note - 69.0f) / 12.0f); }
inline int Seconds(double s) { return static_cast<int>(s * kSampleRate + 0.5); }

// Deterministic white noise.
struct NoiseSource {
    uint32_t state;
    explicit NoiseSource(uint32_t seed) : state(seed * 2654435761u + 12345u) {}
    float Next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return static_cast<float>(state) * (2.0f / 4294967296.0f) - 1.0f;
    }
};

// Zero-delay-feedback state-variable filter; the cutoff may change every sample.
struct Filter {
    float ic1 = 0, ic2 = 0;
    float low = 0, band = 0, high = 0;
    void Run(float x, float cutoffHz, float resonance);  // resonance 0 (none) .. ~0.95
};

// One-pole smoothing low pass.
struct OnePole {
    float y = 0;
    float Run(float x, float cutoffHz) {
        const float a = 1.0f - std::exp(-static_cast<float>(kTwoPi) * cutoffHz / kSampleRate);
        y += a * (x - y);
        return y;
    }
};

// Band-limited sawtooth (polyBLEP), phase 0..1.
float SawBlep(double phase, double increment);

// Attack-decay-sustain-release, `held` seconds of note, evaluated at `t` seconds.
float Adsr(float t, float attack, float decay, float sustain, float release, float held);

// The echoes of a loop, as if it had always been looping (the tail wraps to the start).
Samples LoopEcho(const Samples& loop, int delay, float feedback, float damping);
// The reverberation of a loop, as if it had always been looping.
Samples LoopReverb(const Samples& loop, float room, float damping);
