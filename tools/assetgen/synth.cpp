// WAV writing, filters, envelopes, and loop-aware echo and reverb.
#include "synth.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace {

void Put(std::vector<uint8_t>& b, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) b.push_back(static_cast<uint8_t>((v >> (8 * i)) & 255));
}

struct Comb {
    std::vector<float> line;
    size_t pos = 0;
    float store = 0;
    float Run(float x, float feedback, float damping) {
        const float out = line[pos];
        store = out * (1 - damping) + store * damping;
        line[pos] = x + store * feedback;
        pos = (pos + 1) % line.size();
        return out;
    }
};

struct Allpass {
    std::vector<float> line;
    size_t pos = 0;
    float Run(float x) {
        const float buffered = line[pos];
        const float out = buffered - x;
        line[pos] = x + buffered * 0.5f;
        pos = (pos + 1) % line.size();
        return out;
    }
};

}  // namespace

bool WriteWav(const Samples& samples, const std::string& path) {
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    std::vector<uint8_t> b;
    b.reserve(44 + dataBytes);
    for (char c : std::string("RIFF")) b.push_back(static_cast<uint8_t>(c));
    Put(b, 36 + dataBytes, 4);
    for (char c : std::string("WAVEfmt ")) b.push_back(static_cast<uint8_t>(c));
    Put(b, 16, 4);  // format chunk size
    Put(b, 1, 2);   // PCM
    Put(b, 1, 2);   // mono
    Put(b, kSampleRate, 4);
    Put(b, kSampleRate * 2, 4);  // bytes per second
    Put(b, 2, 2);                // block align
    Put(b, 16, 2);               // bits per sample
    for (char c : std::string("data")) b.push_back(static_cast<uint8_t>(c));
    Put(b, dataBytes, 4);
    for (float s : samples) {
        const long v = std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f);
        Put(b, static_cast<uint32_t>(static_cast<int16_t>(v)) & 0xffff, 2);
    }
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(b.data(), 1, b.size(), f) == b.size();
    return std::fclose(f) == 0 && ok;
}

void Normalise(Samples& s, float peak) {
    float m = 0;
    for (float v : s) m = std::max(m, std::fabs(v));
    if (m <= 0) return;
    const float k = peak / m;
    for (float& v : s) v *= k;
}

Samples SeamlessLoop(const Samples& longer, int loopLength, int fade) {
    Samples out(longer.begin(), longer.begin() + loopLength);
    for (int i = 0; i < fade; ++i) {
        // Equal-power cross-fade from the loop's continuation into its own opening.
        const float t = (i + 0.5f) / fade;
        const float in = std::sin(t * 1.5707963f), tail = std::cos(t * 1.5707963f);
        out[i] = longer[i] * in + longer[loopLength + i] * tail;
    }
    return out;
}

void FadeEdges(Samples& s, float inSeconds, float outSeconds) {
    const int a = std::min(static_cast<int>(s.size()), Seconds(inSeconds));
    const int b = std::min(static_cast<int>(s.size()), Seconds(outSeconds));
    for (int i = 0; i < a; ++i) s[i] *= static_cast<float>(i) / a;
    for (int i = 0; i < b; ++i) s[s.size() - 1 - i] *= static_cast<float>(i) / b;
}

void Filter::Run(float x, float cutoffHz, float resonance) {
    const float g = std::tan(kPi * std::min(cutoffHz, kSampleRate * 0.45f) / kSampleRate);
    const float k = 2.0f - 2.0f * resonance;
    const float a1 = 1.0f / (1.0f + g * (g + k)), a2 = g * a1, a3 = g * a2;
    const float v3 = x - ic2;
    const float v1 = a1 * ic1 + a2 * v3;
    const float v2 = ic2 + a2 * ic1 + a3 * v3;
    ic1 = 2 * v1 - ic1;
    ic2 = 2 * v2 - ic2;
    low = v2;
    band = v1;
    high = x - k * v1 - v2;
}

float SawBlep(double phase, double dt) {
    double v = 2.0 * phase - 1.0;
    if (phase < dt) {
        const double t = phase / dt;
        v -= t + t - t * t - 1.0;
    } else if (phase > 1.0 - dt) {
        const double t = (phase - 1.0) / dt;
        v -= t * t + t + t + 1.0;
    }
    return static_cast<float>(v);
}

float Adsr(float t, float attack, float decay, float sustain, float release, float held) {
    auto level = [&](float u) {
        if (u < 0) return 0.0f;
        if (u < attack) return u / attack;
        if (u < attack + decay) return 1.0f - (1.0f - sustain) * (u - attack) / decay;
        return sustain;
    };
    if (t < held) return level(t);
    const float r = t - held;
    if (r >= release) return 0.0f;
    return level(held) * (1.0f - r / release);
}

Samples LoopEcho(const Samples& loop, int delay, float feedback, float damping) {
    const size_t n = loop.size();
    std::vector<float> line(static_cast<size_t>(delay), 0.0f);
    size_t pos = 0;
    float lp = 0;
    Samples wet(n, 0.0f);
    // Three passes: the echoes that trail past the end land again at the start.
    for (int pass = 0; pass < 3; ++pass)
        for (size_t i = 0; i < n; ++i) {
            const float out = line[pos];
            lp = out * (1 - damping) + lp * damping;
            line[pos] = loop[i] + lp * feedback;
            pos = (pos + 1) % line.size();
            if (pass == 2) wet[i] = out;
        }
    return wet;
}

Samples LoopReverb(const Samples& loop, float room, float damping) {
    static const int kCombs[8] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
    static const int kAllpasses[4] = {556, 441, 341, 225};
    std::vector<Comb> combs(8);
    std::vector<Allpass> passes(4);
    for (int i = 0; i < 8; ++i) combs[i].line.assign(static_cast<size_t>(kCombs[i]), 0.0f);
    for (int i = 0; i < 4; ++i) passes[i].line.assign(static_cast<size_t>(kAllpasses[i]), 0.0f);
    const float feedback = 0.7f + 0.28f * room;
    const size_t n = loop.size();
    Samples out(n, 0.0f);
    for (int pass = 0; pass < 2; ++pass)
        for (size_t i = 0; i < n; ++i) {
            const float x = loop[i] * 0.015f;
            float sum = 0;
            for (Comb& c : combs) sum += c.Run(x, feedback, damping);
            for (Allpass& a : passes) sum = a.Run(sum);
            if (pass == 1) out[i] = sum;
        }
    for (float& v : out) v *= 3.0f;
    return out;
}
