// Sound effects: the engine and steering loops, the asteroid thud, the fuel chime, the warning, and
// the goal's spin and whoosh.
#include <algorithm>

#include "sound.h"
#include "synth.h"

bool Sound_Thruster(const std::string& path) {
    // A deep, steady rocket roar: brown noise through a slowly breathing low pass,
    // a rasp of mid-band noise, and an engine hum whose partials fit the loop exactly.
    const int loop = Seconds(2.0), fade = Seconds(0.25);
    Samples s(static_cast<size_t>(loop + fade));
    NoiseSource noise(101);
    Filter low, mid;
    float brown = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        const float t = static_cast<float>(i) / kSampleRate;
        const float w = noise.Next();
        brown = brown * 0.985f + w * 0.12f;
        low.Run(brown, 320.0f + 90.0f * std::sin(t * kPi * 3.0f), 0.3f);
        mid.Run(w, 1400.0f, 0.4f);
        const double hum = std::sin(kTwoPi * 55.0 * t) * 0.5 + std::sin(kTwoPi * 110.0 * t) * 0.25 +
                           std::sin(kTwoPi * 82.5 * t) * 0.15;
        s[i] = low.low * 1.6f + mid.band * 0.10f + static_cast<float>(hum) * 0.10f;
    }
    Samples out = SeamlessLoop(s, loop, fade);
    Normalise(out, 0.6f);
    return WriteWav(out, path);
}

bool Sound_Adjuster(const std::string& path) {
    // Cold-gas steering jets: a bright hiss pulsing in short puffs. The game plays it
    // very quietly, so it is stored near full scale.
    const int loop = Seconds(1.0), fade = Seconds(0.1);
    Samples s(static_cast<size_t>(loop + fade));
    NoiseSource noise(202);
    Filter hiss, body;
    for (size_t i = 0; i < s.size(); ++i) {
        const float t = static_cast<float>(i) / kSampleRate;
        const float w = noise.Next();
        hiss.Run(w, 5200.0f, 0.2f);
        body.Run(w, 1800.0f, 0.5f);
        const float puff =
            0.7f + 0.3f * static_cast<float>(std::sin(kTwoPi * 8.0 * t));  // 8 puffs a second
        s[i] = (hiss.band * 0.9f + hiss.high * 0.25f + body.band * 0.35f) * puff;
    }
    Samples out = SeamlessLoop(s, loop, fade);
    Normalise(out, 0.95f);
    return WriteWav(out, path);
}

bool Sound_Collision(const std::string& path) {
    // A heavy thud with a rocky crunch and a short metallic ring from the hull.
    Samples s(static_cast<size_t>(Seconds(0.8)));
    NoiseSource noise(303);
    Filter crunch;
    double phase = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        const float t = static_cast<float>(i) / kSampleRate;
        const float f = 40.0f + 70.0f * std::exp(-t * 18.0f);
        phase += f / kSampleRate;
        const float thud = static_cast<float>(std::sin(kTwoPi * phase)) * std::exp(-t * 7.0f);
        crunch.Run(noise.Next(), 900.0f + 1500.0f * std::exp(-t * 25.0f), 0.3f);
        const float grit = crunch.low * std::exp(-t * 22.0f) * 1.4f;
        float ring = 0;
        static const float kPartials[4] = {317.0f, 522.0f, 871.0f, 1290.0f};
        for (int k = 0; k < 4; ++k)
            ring += static_cast<float>(std::sin(kTwoPi * kPartials[k] * t)) *
                    std::exp(-t * (9.0f + 4.0f * k)) / (k + 1.5f);
        s[i] = thud * 1.0f + grit + ring * 0.35f;
    }
    FadeEdges(s, 0.001f, 0.05f);
    Normalise(s, 0.9f);
    return WriteWav(s, path);
}

bool Sound_FuelPickup(const std::string& path) {
    // A quick rising major arpeggio of bell tones with a sparkle on top.
    Samples s(static_cast<size_t>(Seconds(0.9)));
    static const float kNotes[4] = {76, 80, 83, 88};  // E5 G#5 B5 E6
    for (int n = 0; n < 4; ++n) {
        const int start = Seconds(0.055 * n);
        const float f = MidiHz(kNotes[n]);
        for (size_t i = static_cast<size_t>(start); i < s.size(); ++i) {
            const float t = static_cast<float>(i - start) / kSampleRate;
            const float index = 2.2f * std::exp(-t * 12.0f);
            const float mod = static_cast<float>(std::sin(kTwoPi * f * 3.0 * t));
            const float bell = static_cast<float>(std::sin(kTwoPi * f * t + index * mod));
            const float env = std::min(1.0f, t / 0.004f) * std::exp(-t * (n == 3 ? 4.5f : 9.0f));
            s[i] += bell * env * (n == 3 ? 0.5f : 0.35f);
        }
    }
    NoiseSource noise(404);
    Filter sparkle;
    for (size_t i = 0; i < s.size(); ++i) {
        const float t = static_cast<float>(i) / kSampleRate;
        sparkle.Run(noise.Next(), 7500.0f, 0.6f);
        s[i] += sparkle.band * 0.12f * std::exp(-std::pow((t - 0.22f) / 0.1f, 2.0f));
    }
    FadeEdges(s, 0.001f, 0.08f);
    Normalise(s, 0.8f);
    return WriteWav(s, path);
}

bool Sound_Warning(const std::string& path) {
    // Three two-tone beeps, soft-edged, with a few odd harmonics so they cut through.
    Samples s(static_cast<size_t>(Seconds(1.2)));
    for (int beep = 0; beep < 3; ++beep) {
        const int start = Seconds(0.4 * beep);
        for (int half = 0; half < 2; ++half) {
            const float f = half == 0 ? 880.0f : 659.25f;
            const int a = start + Seconds(0.15 * half), len = Seconds(0.14);
            for (int i = 0; i < len && a + i < static_cast<int>(s.size()); ++i) {
                const float t = static_cast<float>(i) / kSampleRate;
                float v = 0;
                for (int h = 1; h <= 7; h += 2)
                    v += static_cast<float>(std::sin(kTwoPi * f * h * t)) / (h * 1.3f);
                const float env = std::min(1.0f, t / 0.008f) * std::min(1.0f, (0.14f - t) / 0.02f);
                s[static_cast<size_t>(a + i)] += v * env;
            }
        }
    }
    Normalise(s, 0.45f);
    return WriteWav(s, path);
}

bool Sound_WinSpin(const std::string& path) {
    // The goal spinning up: a whirring tone rising over four seconds, its flutter
    // speeding up with it, over a rising wash of air.
    const float len = 4.2f;
    Samples s(static_cast<size_t>(Seconds(len)));
    NoiseSource noise(505);
    Filter air;
    double phase = 0, flutter = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        const float t = static_cast<float>(i) / kSampleRate;
        const float u = t / len;
        const float f = 140.0f * std::pow(6.0f, u);
        phase += f / kSampleRate;
        flutter += (3.0f + 22.0f * u * u) / kSampleRate;
        const float tone = static_cast<float>(std::sin(kTwoPi * phase) * 0.6 +
                                              std::sin(kTwoPi * phase * 2.0) * 0.25 +
                                              std::sin(kTwoPi * phase * 3.01) * 0.12);
        const float whirl = 0.55f + 0.45f * static_cast<float>(std::sin(kTwoPi * flutter));
        air.Run(noise.Next(), 600.0f + 5000.0f * u * u, 0.55f);
        const float env = std::min(1.0f, t / 0.3f) * (0.45f + 0.55f * u);
        s[i] = (tone * whirl * 0.7f + air.band * 0.6f) * env;
    }
    FadeEdges(s, 0.01f, 0.25f);
    Normalise(s, 0.8f);
    return WriteWav(s, path);
}

bool Sound_WinWhoosh(const std::string& path) {
    // The launch: a swell of air sweeping up through the band, with a falling boom.
    const float len = 1.5f;
    Samples s(static_cast<size_t>(Seconds(len)));
    NoiseSource noise(606);
    Filter sweep;
    double phase = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        const float t = static_cast<float>(i) / kSampleRate;
        const float cutoff = 300.0f * std::pow(14.0f, std::min(1.0f, t / 0.6f)) *
                             (1.0f - 0.5f * std::clamp(t - 0.6f, 0.0f, 1.0f));
        sweep.Run(noise.Next(), cutoff, 0.65f);
        const float env = std::min(1.0f, t / 0.08f) * std::exp(-std::max(0.0f, t - 0.15f) * 3.2f);
        phase += (90.0f * std::exp(-t * 2.5f) + 35.0f) / kSampleRate;
        const float boom = static_cast<float>(std::sin(kTwoPi * phase)) * std::exp(-t * 4.0f) *
                           std::min(1.0f, t / 0.03f);
        s[i] = sweep.band * env * 1.3f + boom * 0.6f;
    }
    FadeEdges(s, 0.002f, 0.2f);
    Normalise(s, 0.8f);
    return WriteWav(s, path);
}
