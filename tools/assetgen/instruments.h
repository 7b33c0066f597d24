// The music's instruments, each playing notes into a loop (notes that ring past the end wrap to the
// start).
#pragma once

#include <vector>

#include "synth.h"

struct Loop {
    Samples buf;
    int beatLength;  // samples per beat
    Loop(int samplesPerBeat, int beats)
        : buf(static_cast<size_t>(samplesPerBeat) * beats, 0.0f), beatLength(samplesPerBeat) {}
    long Start(double beat) const { return static_cast<long>(beat * beatLength + 0.5); }
    void Add(long index, float v) {
        const long n = static_cast<long>(buf.size());
        buf[static_cast<size_t>(((index % n) + n) % n)] += v;
    }
    double Seconds(double beats) const { return beats * beatLength / kSampleRate; }
};

// Warm, slowly opening chord pad of detuned saws.
void Play_Pad(Loop& l, double beat, double beats, const std::vector<int>& notes, float gain,
              float brightness);
// Electric piano: a soft FM tine with a bell-like attack.
void Play_EPiano(Loop& l, double beat, double beats, int note, float velocity);
// Struck bar with tremolo, for lead lines.
void Play_Vibes(Loop& l, double beat, double beats, int note, float velocity);
// Glassy bell for arpeggios.
void Play_Bell(Loop& l, double beat, int note, float velocity, float decay);
// Plucked string (Karplus-Strong).
void Play_Pluck(Loop& l, double beat, int note, float velocity, uint32_t seed);
// Breathy flute-like lead with delayed vibrato.
void Play_Flute(Loop& l, double beat, double beats, int note, float velocity, uint32_t seed);
// Round bass: sine with a little warm overtone.
void Play_Bass(Loop& l, double beat, double beats, int note, float velocity);
// Drums.
void Play_Kick(Loop& l, double beat, float velocity);
void Play_Rim(Loop& l, double beat, float velocity, uint32_t seed);
void Play_Shaker(Loop& l, double beat, float velocity, uint32_t seed);
void Play_FrameDrum(Loop& l, double beat, float velocity, uint32_t seed);
// A bed of wind through stone, covering the whole loop.
void Play_Wind(Loop& l, float gain, uint32_t seed);
