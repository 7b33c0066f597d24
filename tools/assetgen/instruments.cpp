// Instrument voices for the two music loops: pad, electric piano, vibes, bell, pluck, flute, bass
// and drums.
#include "instruments.h"

#include <algorithm>

namespace {

// Vibrato fades in after the first few tenths of a second of a note.
float VibratoDepth(float t) { return std::min(1.0f, std::max(0.0f, (t - 0.3f) / 0.4f)); }

}  // namespace

void Play_Pad(Loop& l, double beat, double beats, const std::vector<int>& notes, float gain,
              float brightness) {
    const float held = static_cast<float>(l.Seconds(beats));
    const float attack = 1.2f, release = 2.2f;
    const long start = l.Start(beat);
    const int len = Seconds(held + release);
    static const double kDetune[3] = {-0.09, 0.0, 0.11};  // semitones
    for (size_t n = 0; n < notes.size(); ++n) {
        double phase[3] = {0.13 * n, 0.41 + 0.07 * n, 0.77 - 0.05 * n};
        double inc[3];
        for (int v = 0; v < 3; ++v)
            inc[v] = MidiHz(static_cast<float>(notes[n] + kDetune[v])) / kSampleRate;
        Filter f;
        for (int i = 0; i < len; ++i) {
            const float t = static_cast<float>(i) / kSampleRate;
            float x = 0;
            for (int v = 0; v < 3; ++v) {
                x += SawBlep(phase[v], inc[v]);
                phase[v] += inc[v];
                if (phase[v] >= 1.0) phase[v] -= 1.0;
            }
            const float env = Adsr(t, attack, 1.0f, 0.85f, release, held);
            // The filter opens with the swell and breathes slowly.
            const float cutoff =
                (350.0f + 900.0f * brightness * env) * (1.0f + 0.25f * std::sin(t * 0.9f + n));
            f.Run(x, cutoff, 0.15f);
            l.Add(start + i, f.low * env * gain * 0.12f);
        }
    }
}

void Play_EPiano(Loop& l, double beat, double beats, int note, float velocity) {
    const float held = static_cast<float>(l.Seconds(beats)), release = 0.35f;
    const float f = MidiHz(static_cast<float>(note));
    const long start = l.Start(beat);
    const int len = Seconds(held + release);
    for (int i = 0; i < len; ++i) {
        const float t = static_cast<float>(i) / kSampleRate;
        const float index = (0.4f + 1.4f * velocity) * std::exp(-t * 2.5f) + 0.15f;
        const float mod = static_cast<float>(std::sin(kTwoPi * f * t));
        const float body = static_cast<float>(std::sin(kTwoPi * f * t + index * mod));
        const float tine =
            static_cast<float>(std::sin(kTwoPi * f * 14.0 * t)) * std::exp(-t * 60.0f) * 0.12f;
        const float decay = std::exp(-t * 1.1f);
        const float env = std::min(1.0f, t / 0.003f) * decay *
                          (t < held ? 1.0f : std::max(0.0f, 1.0f - (t - held) / release));
        l.Add(start + i, (body + tine) * env * velocity * 0.22f);
    }
}

void Play_Vibes(Loop& l, double beat, double beats, int note, float velocity) {
    const float held = static_cast<float>(l.Seconds(beats)), release = 0.6f;
    const float f = MidiHz(static_cast<float>(note));
    const long start = l.Start(beat);
    const int len = Seconds(held + release);
    for (int i = 0; i < len; ++i) {
        const float t = static_cast<float>(i) / kSampleRate;
        const float v = static_cast<float>(
            std::sin(kTwoPi * f * t) + 0.25 * std::sin(kTwoPi * f * 4.0 * t) * std::exp(-t * 6.0) +
            0.08 * std::sin(kTwoPi * f * 10.0 * t) * std::exp(-t * 20.0));
        const float tremolo = 0.8f + 0.2f * std::sin(static_cast<float>(kTwoPi) * 5.2f * t);
        const float env = std::min(1.0f, t / 0.002f) * std::exp(-t * 1.3f) *
                          (t < held ? 1.0f : std::max(0.0f, 1.0f - (t - held) / release));
        l.Add(start + i, v * env * tremolo * velocity * 0.3f);
    }
}

void Play_Bell(Loop& l, double beat, int note, float velocity, float decay) {
    const float f = MidiHz(static_cast<float>(note));
    const long start = l.Start(beat);
    const int len = Seconds(decay * 1.6f);
    for (int i = 0; i < len; ++i) {
        const float t = static_cast<float>(i) / kSampleRate;
        const float index = 1.6f * std::exp(-t * 5.0f) + 0.2f;
        const float mod = static_cast<float>(std::sin(kTwoPi * f * 3.5 * t));
        const float v = static_cast<float>(std::sin(kTwoPi * f * t + index * mod));
        const float env = std::min(1.0f, t / 0.004f) * std::exp(-t * 3.0f / decay) *
                          std::min(1.0f, (len - i) / 2000.0f);
        l.Add(start + i, v * env * velocity * 0.18f);
    }
}

void Play_Pluck(Loop& l, double beat, int note, float velocity, uint32_t seed) {
    const float f = MidiHz(static_cast<float>(note));
    const int period = std::max(2, static_cast<int>(kSampleRate / f + 0.5f));
    std::vector<float> ring(static_cast<size_t>(period));
    NoiseSource noise(seed);
    float lp = 0;
    for (float& v : ring) {
        lp = lp * 0.5f + noise.Next() * 0.5f;  // a softer pick
        v = lp;
    }
    const long start = l.Start(beat);
    const int len = Seconds(1.8);
    size_t pos = 0;
    for (int i = 0; i < len; ++i) {
        const size_t next = (pos + 1) % ring.size();
        const float out = ring[pos];
        ring[pos] = 0.5f * (ring[pos] + ring[next]) * 0.996f;
        pos = next;
        l.Add(start + i, out * velocity * 0.35f * std::min(1.0f, (len - i) / 3000.0f));
    }
}

void Play_Flute(Loop& l, double beat, double beats, int note, float velocity, uint32_t seed) {
    const float held = static_cast<float>(l.Seconds(beats)), release = 0.25f;
    const float f = MidiHz(static_cast<float>(note));
    const long start = l.Start(beat);
    const int len = Seconds(held + release);
    NoiseSource noise(seed);
    Filter breath;
    double phase = 0;
    for (int i = 0; i < len; ++i) {
        const float t = static_cast<float>(i) / kSampleRate;
        const float vib =
            1.0f + 0.006f * VibratoDepth(t) * std::sin(static_cast<float>(kTwoPi) * 5.0f * t);
        phase += f * vib / kSampleRate;
        const float tone =
            static_cast<float>(std::sin(kTwoPi * phase) + 0.18 * std::sin(kTwoPi * phase * 2.0) +
                               0.06 * std::sin(kTwoPi * phase * 3.0));
        breath.Run(noise.Next(), f * 2.0f, 0.7f);
        const float env = Adsr(t, 0.09f, 0.2f, 0.8f, release, held);
        l.Add(start + i, (tone + breath.band * 0.25f) * env * velocity * 0.2f);
    }
}

void Play_Bass(Loop& l, double beat, double beats, int note, float velocity) {
    const float held = static_cast<float>(l.Seconds(beats)), release = 0.08f;
    const float f = MidiHz(static_cast<float>(note));
    const long start = l.Start(beat);
    const int len = Seconds(held + release);
    for (int i = 0; i < len; ++i) {
        const float t = static_cast<float>(i) / kSampleRate;
        const float x = static_cast<float>(std::sin(kTwoPi * f * t));
        const float warm = std::tanh(x * 2.2f) * 0.35f * std::exp(-t * 3.0f);
        const float env = Adsr(t, 0.006f, 0.4f, 0.65f, release, held);
        l.Add(start + i, (x + warm) * env * velocity * 0.32f);
    }
}

void Play_Kick(Loop& l, double beat, float velocity) {
    const long start = l.Start(beat);
    const int len = Seconds(0.45);
    double phase = 0;
    for (int i = 0; i < len; ++i) {
        const float t = static_cast<float>(i) / kSampleRate;
        phase += (45.0f + 75.0f * std::exp(-t * 30.0f)) / kSampleRate;
        const float env = std::min(1.0f, t / 0.002f) * std::exp(-t * 9.0f);
        l.Add(start + i, static_cast<float>(std::sin(kTwoPi * phase)) * env * velocity * 0.55f);
    }
}

void Play_Rim(Loop& l, double beat, float velocity, uint32_t seed) {
    const long start = l.Start(beat);
    const int len = Seconds(0.12);
    NoiseSource noise(seed);
    Filter f;
    for (int i = 0; i < len; ++i) {
        const float t = static_cast<float>(i) / kSampleRate;
        f.Run(noise.Next(), 1900.0f, 0.75f);
        const float tone = static_cast<float>(std::sin(kTwoPi * 420.0 * t)) * std::exp(-t * 60.0f);
        l.Add(start + i, (f.band * std::exp(-t * 45.0f) + tone * 0.5f) * velocity * 0.28f);
    }
}

void Play_Shaker(Loop& l, double beat, float velocity, uint32_t seed) {
    const long start = l.Start(beat);
    const int len = Seconds(0.09);
    NoiseSource noise(seed);
    Filter f;
    for (int i = 0; i < len; ++i) {
        const float t = static_cast<float>(i) / kSampleRate;
        f.Run(noise.Next(), 7000.0f, 0.3f);
        const float env = std::min(1.0f, t / 0.012f) * std::exp(-t * 40.0f);
        l.Add(start + i, f.high * env * velocity * 0.12f);
    }
}

void Play_FrameDrum(Loop& l, double beat, float velocity, uint32_t seed) {
    const long start = l.Start(beat);
    const int len = Seconds(0.7);
    NoiseSource noise(seed);
    Filter skin;
    double phase = 0;
    for (int i = 0; i < len; ++i) {
        const float t = static_cast<float>(i) / kSampleRate;
        phase += (72.0f + 30.0f * std::exp(-t * 25.0f)) / kSampleRate;
        skin.Run(noise.Next(), 600.0f, 0.4f);
        const float env = std::min(1.0f, t / 0.004f) * std::exp(-t * 5.5f);
        const float v =
            static_cast<float>(std::sin(kTwoPi * phase)) + skin.band * 0.35f * std::exp(-t * 30.0f);
        l.Add(start + i, v * env * velocity * 0.4f);
    }
}

void Play_Wind(Loop& l, float gain, uint32_t seed) {
    const int n = static_cast<int>(l.buf.size()), fade = Seconds(2.0);
    Samples s(static_cast<size_t>(n + fade));
    NoiseSource noise(seed);
    Filter f;
    const double cycle = static_cast<double>(n) / kSampleRate;  // the gusts repeat with the loop
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const float gust = static_cast<float>(0.5 + 0.3 * std::sin(kTwoPi * 3.0 * t / cycle) +
                                              0.2 * std::sin(kTwoPi * 7.0 * t / cycle + 1.0));
        f.Run(noise.Next(), 380.0f + 520.0f * gust, 0.82f);
        s[i] = f.band * gust * gain;
    }
    const Samples loop = SeamlessLoop(s, n, fade);
    for (int i = 0; i < n; ++i) l.buf[static_cast<size_t>(i)] += loop[static_cast<size_t>(i)];
}
