// The gameplay theme: an easy, floating loop in F major of electric piano, bass, light drums and a
// vibes-then-flute melody.
#include "instruments.h"
#include "music_mix.h"
#include "sound.h"

namespace {

struct Bar {
    int bass;
    std::vector<int> chord;
};

// One eight-bar cycle, played three times: 24 bars at 84 beats a minute, about 68.6 seconds.
const std::vector<Bar>& Cycle() {
    static const std::vector<Bar> bars = {
        {41, {53, 57, 60, 64}}, {45, {55, 57, 60, 64}},
        {46, {53, 57, 58, 62}}, {48, {55, 57, 62, 64}},  // Fmaj7 Am7 Bbmaj7 C6/9
        {38, {53, 57, 60, 62}}, {43, {53, 55, 58, 62}},
        {48, {53, 57, 58, 62}}, {48, {53, 55, 58, 60}},  // Dm7 Gm7 Bbmaj7/C C7sus4
    };
    return bars;
}

struct Note {
    double beat;  // from the start of its bar
    double length;
    int pitch;
};

// The tune, bar by bar; the second pass answers the first in its last four bars.
const std::vector<std::vector<Note>>& Tune() {
    static const std::vector<std::vector<Note>> bars = {
        {{0, 1.5, 69}, {1.5, 0.5, 67}, {2, 1, 65}, {3, 1, 72}},  // A G F C
        {{0, 2, 76}, {2, 0.5, 74}, {2.5, 1.5, 72}},              // E D C
        {{0, 1.5, 74}, {1.5, 0.5, 72}, {2, 1, 70}, {3, 1, 69}},  // D C Bb A
        {{0, 3, 67}},                                            // G
        {{0, 1, 65}, {1, 1, 69}, {2, 1, 72}, {3, 1, 76}},        // F A C E
        {{0, 2.5, 74}, {2.5, 0.5, 70}, {3, 1, 72}},              // D Bb C
        {{0, 1.5, 69}, {1.5, 0.5, 67}, {2, 1, 65}, {3, 1, 67}},  // A G F G
        {{0, 3.5, 67}},                                          // G
    };
    return bars;
}

const std::vector<std::vector<Note>>& Answer() {
    static const std::vector<std::vector<Note>> bars = {
        {{0, 1, 81}, {1, 0.5, 79}, {1.5, 0.5, 77}, {2, 1, 76}, {3, 1, 74}},  // A G F E D
        {{0, 1.5, 74}, {1.5, 0.5, 77}, {2, 2, 79}},                          // D F G
        {{0, 1, 77}, {1, 1, 76}, {2, 1, 74}, {3, 1, 72}},                    // F E D C
        {{0, 1, 70}, {1, 3, 72}},                                            // Bb C
    };
    return bars;
}

}  // namespace

bool Sound_GameMusic(const std::string& path) {
    const int beat = kSampleRate * 60 / 84;  // 31500 samples: the loop is a whole number of beats
    const std::vector<Bar>& cycle = Cycle();
    const int barsTotal = 24;
    Loop keys(beat, barsTotal * 4), pad(beat, barsTotal * 4), bass(beat, barsTotal * 4),
        drums(beat, barsTotal * 4), lead(beat, barsTotal * 4), pluck(beat, barsTotal * 4);
    uint32_t seed = 1000;
    for (int i = 0; i < barsTotal; ++i) {
        const Bar& bar = cycle[static_cast<size_t>(i % 8)];
        const double at = i * 4.0;
        const int section = i / 8;  // 0 intro, 1 tune on vibes, 2 tune on flute with its answer
        Play_Pad(pad, at, 4.0, bar.chord, 0.7f, 0.45f);
        // Electric piano comping: on the one, a soft push before two, and the and of three.
        for (int note : bar.chord) {
            Play_EPiano(keys, at, 1.4, note, 0.75f);
            Play_EPiano(keys, at + 1.5, 0.45, note, 0.35f);
            Play_EPiano(keys, at + 2.5, 1.3, note, 0.55f);
        }
        // Bass: root, a fifth pickup, root again, and an octave leading on.
        Play_Bass(bass, at, 1.4, bar.bass, 0.9f);
        Play_Bass(bass, at + 1.5, 0.45, bar.bass + 7, 0.55f);
        Play_Bass(bass, at + 2.5, 0.9, bar.bass, 0.75f);
        Play_Bass(bass, at + 3.5, 0.45, bar.bass + 12, 0.45f);
        // Drums: shaker throughout; kick and rim from the second pass; ghost notes in the third.
        for (int k = 0; k < 8; ++k) Play_Shaker(drums, at + k * 0.5, k % 2 ? 0.9f : 0.5f, seed++);
        Play_Kick(drums, at, section == 0 ? 0.6f : 0.9f);
        if (section > 0) {
            Play_Kick(drums, at + 2.5, 0.7f);
            Play_Rim(drums, at + 1, 0.8f, seed++);
            Play_Rim(drums, at + 3, 0.8f, seed++);
        }
        if (section == 2) {
            for (int k = 0; k < 16; k += 3) Play_Shaker(drums, at + k * 0.25 + 0.25, 0.45f, seed++);
            if (i % 8 == 7) {
                for (int k = 0; k < 4; ++k)
                    Play_Rim(drums, at + 3 + k * 0.25, 0.3f + 0.12f * k, seed++);
            }
        }
        // The melody.
        if (section == 1) {
            for (const Note& n : Tune()[static_cast<size_t>(i % 8)])
                Play_Vibes(lead, at + n.beat, n.length * 0.9, n.pitch, 0.8f);
        } else if (section == 2) {
            const bool answer = i % 8 >= 4;
            const auto& line =
                answer ? Answer()[static_cast<size_t>(i % 4)] : Tune()[static_cast<size_t>(i % 8)];
            for (const Note& n : line)
                Play_Flute(lead, at + n.beat, n.length * 0.92, n.pitch + (answer ? 0 : 12), 0.65f,
                           seed++);
            // Plucked arpeggio under the flute.
            static const int kOrder[8] = {0, 1, 2, 3, 2, 1, 3, 1};
            for (int k = 0; k < 8; ++k)
                Play_Pluck(pluck, at + k * 0.5, bar.chord[static_cast<size_t>(kOrder[k])] + 12,
                           k % 2 ? 0.5f : 0.75f, seed++);
        }
    }
    const Samples mix = Music_Mix({{&pad, 0.7f, 0.5f, 0.0f},
                                   {&keys, 1.0f, 0.3f, 0.15f},
                                   {&bass, 0.7f, 0.05f, 0.0f},
                                   {&drums, 0.8f, 0.15f, 0.0f},
                                   {&lead, 1.3f, 0.4f, 0.35f},
                                   {&pluck, 1.3f, 0.4f, 0.3f}},
                                  beat * 3 / 4, 0.7f);
    return WriteWav(mix, path);
}
