// Reading a replay step by step as the keys each World step flies on, as the
// game's input would have seen them: used by the ghost of the best run and by
// watching a run, both without the keyboard.
#pragma once

#include <cstdint>

#include "world/replay.h"
#include "world/world.h"

enum { REPLAY_CURSOR_KEYS = 5 };

struct ReplayCursor {
    const Replay* replay;  // not owned; null yields no keys
    uint32_t next;         // the first event not yet applied
    int32_t frame;         // the step the next call yields
    // The key code behind each step key (thrust, left, right, M, X) in the
    // replay's own control scheme, and whether the replay holds it down.
    int32_t keys[REPLAY_CURSOR_KEYS];
    uint8_t held[REPLAY_CURSOR_KEYS];
};

// Puts the cursor before the replay's frame 0. The key codes are read through
// the replay's scheme, never the player's current one.
void ReplayCursor_Start(ReplayCursor* cursor, const Replay* replay);
// The keys of the next step: a key counts when held, or pressed during the
// step's frame (a press and release in one frame, or a release and a press
// again); X counts only as a press. Past the last event nothing is held.
StepKeys ReplayCursor_Next(ReplayCursor* cursor);
// Whether every event has been applied and no key is left held.
bool ReplayCursor_Finished(const ReplayCursor* cursor);
