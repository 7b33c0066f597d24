// Mixing the music's parts into one looping track with shared echo and reverb.
#pragma once

#include <vector>

#include "instruments.h"

struct MixPart {
    const Loop* loop;
    float gain;
    float reverbSend;
    float echoSend;
};

// Sums the parts, adds loop-aware echo and reverb, rounds off peaks and normalises.
Samples Music_Mix(const std::vector<MixPart>& parts, int echoDelay, float room);
