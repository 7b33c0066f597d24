// The music's mix bus: dry sum, echo and reverb sends, gentle saturation and level.
#include "music_mix.h"

#include <algorithm>

Samples Music_Mix(const std::vector<MixPart>& parts, int echoDelay, float room) {
    const size_t n = parts.front().loop->buf.size();
    Samples dry(n, 0.0f), reverbSend(n, 0.0f), echoSend(n, 0.0f);
    for (const MixPart& p : parts)
        for (size_t i = 0; i < n; ++i) {
            const float v = p.loop->buf[i] * p.gain;
            dry[i] += v;
            reverbSend[i] += v * p.reverbSend;
            echoSend[i] += v * p.echoSend;
        }
    const Samples echo = LoopEcho(echoSend, echoDelay, 0.42f, 0.35f);
    for (size_t i = 0; i < n; ++i) reverbSend[i] += echo[i] * 0.5f;
    const Samples verb = LoopReverb(reverbSend, room, 0.45f);
    Samples out(n);
    for (size_t i = 0; i < n; ++i) out[i] = dry[i] + echo[i] * 0.55f + verb[i];
    // Soft saturation rounds the rare peaks so the normalised level stays full.
    float peak = 0;
    for (float v : out) peak = std::max(peak, std::fabs(v));
    if (peak > 0)
        for (float& v : out) v = std::tanh(v / peak * 1.3f);
    Normalise(out, 0.75f);
    return out;
}
