// The menu theme: a slow, calm loop in D minor of pads, bell arpeggios, a flute melody and frame
// drum.
#include "instruments.h"
#include "music_mix.h"
#include "sound.h"

namespace {

struct Bar {
    int bass;
    std::vector<int> chord;
};

// Twenty bars at 70 beats a minute: a little over 68 seconds.
const std::vector<Bar>& Progression() {
    static const std::vector<Bar> bars = {
        {38, {53, 57, 60, 64}}, {46, {53, 57, 58, 62}},
        {41, {53, 57, 60, 64}}, {48, {55, 60, 62, 64}},  // Dm9 Bbmaj7 Fmaj7 Cadd9
        {38, {53, 57, 60, 64}}, {46, {53, 57, 58, 62}},
        {43, {55, 58, 62, 65}}, {45, {55, 57, 62, 64}},  // Dm9 Bbmaj7 Gm7 A7sus4
        {46, {53, 57, 58, 62}}, {48, {55, 60, 62, 64}},
        {45, {55, 57, 60, 64}}, {38, {53, 57, 60, 64}},  // Bbmaj7 Cadd9 Am7 Dm9
        {43, {53, 57, 58, 62}}, {46, {53, 57, 62, 65}},
        {45, {52, 57, 62, 64}}, {45, {52, 57, 61, 64}},  // Gm9 Bbmaj7 Asus4 A
        {38, {53, 57, 60, 64}}, {38, {53, 57, 62, 64}},
        {46, {52, 57, 58, 62}}, {45, {52, 57, 62, 64}},  // Dm9 Dm(add9) Bbmaj7#11 Asus4
    };
    return bars;
}

struct Note {
    double beat;  // from the start of the loop
    double length;
    int pitch;
};

// The flute's melody over bars 9-16, and its quiet echo over the last four bars.
std::vector<Note> Melody() {
    const double b = 4.0;
    return {
        {8 * b + 0, 2, 77},    {8 * b + 2, 1, 76},      {8 * b + 3, 1, 74},   // F E D
        {9 * b + 0, 3, 76},    {9 * b + 3, 1, 79},                            // E . G
        {10 * b + 0, 2, 76},   {10 * b + 2, 1, 72},     {10 * b + 3, 1, 74},  // E C D
        {11 * b + 0, 4, 69},                                                  // A
        {12 * b + 0, 1.5, 70}, {12 * b + 1.5, 0.5, 72}, {12 * b + 2, 2, 74},  // Bb C D
        {13 * b + 0, 2, 77},   {13 * b + 2, 1, 76},     {13 * b + 3, 1, 74},  // F E D
        {14 * b + 0, 4, 76},                                                  // E
        {15 * b + 0, 2, 73},   {15 * b + 2, 2, 76},                           // C# E
        {16 * b + 0, 2, 69},   {16 * b + 2, 1, 67},     {16 * b + 3, 1, 65},  // A G F
        {17 * b + 0, 4, 64},                                                  // E
        {18 * b + 0, 2, 62},   {18 * b + 2, 2, 64},                           // D E
    };
}

}  // namespace

bool Sound_MenuMusic(const std::string& path) {
    const int beat = kSampleRate * 60 / 70;  // 37800 samples: the loop is a whole number of beats
    const std::vector<Bar>& bars = Progression();
    const int beats = static_cast<int>(bars.size()) * 4;
    Loop pad(beat, beats), bass(beat, beats), bells(beat, beats), flute(beat, beats),
        drum(beat, beats), wind(beat, beats);
    for (size_t i = 0; i < bars.size(); ++i) {
        const double at = i * 4.0;
        Play_Pad(pad, at, 4.0, bars[i].chord, 1.0f, i >= 8 && i < 16 ? 0.9f : 0.6f);
        Play_Bass(bass, at, 3.8, bars[i].bass, 0.55f);
        // Bell arpeggio from bar 5: chord tones an octave up, in gently varied eighths.
        if (i >= 4) {
            static const int kOrder[8] = {0, 2, 1, 3, 2, 1, 3, 2};
            const bool sparse = i >= 16;
            for (int k = 0; k < 8; ++k) {
                if (sparse && k % 2 == 1) continue;
                const float vel = (k == 0 ? 0.8f : 0.5f) + 0.12f * ((i * 7 + k * 3) % 5) / 4.0f;
                Play_Bell(bells, at + k * 0.5, bars[i].chord[static_cast<size_t>(kOrder[k])] + 12,
                          vel, 1.6f);
            }
        }
        // Frame drum in the melody's bars, then a single heartbeat per bar.
        if (i >= 8 && i < 16) {
            Play_FrameDrum(drum, at, 0.9f, static_cast<uint32_t>(i * 4));
            Play_FrameDrum(drum, at + 1.5, 0.35f, static_cast<uint32_t>(i * 4 + 1));
            Play_FrameDrum(drum, at + 2.0, 0.6f, static_cast<uint32_t>(i * 4 + 2));
            Play_FrameDrum(drum, at + 3.5, 0.3f, static_cast<uint32_t>(i * 4 + 3));
        } else if (i >= 16) {
            Play_FrameDrum(drum, at, 0.55f, static_cast<uint32_t>(i * 4));
        }
    }
    uint32_t seed = 900;
    for (const Note& n : Melody())
        Play_Flute(flute, n.beat, n.length * 0.95, n.pitch, 0.85f, seed++);
    Play_Wind(wind, 0.05f, 77);
    const Samples mix = Music_Mix({{&pad, 0.85f, 0.3f, 0.0f},
                                   {&bass, 0.9f, 0.1f, 0.0f},
                                   {&bells, 1.3f, 0.45f, 0.5f},
                                   {&flute, 1.4f, 0.35f, 0.3f},
                                   {&drum, 1.0f, 0.3f, 0.0f},
                                   {&wind, 2.0f, 0.2f, 0.0f}},
                                  beat * 3 / 4, 0.85f);
    return WriteWav(mix, path);
}
