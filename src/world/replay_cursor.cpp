// A replay read step by step as StepKeys, mirroring how the input path turns
// the replay's key presses into the keys of a step.
#include "world/replay_cursor.h"

#include "app/config.h"

void ReplayCursor_Start(ReplayCursor* cursor, const Replay* replay) {
    *cursor = ReplayCursor{};
    cursor->replay = replay;
    int scheme = replay ? replay->scheme : REPLAY_DEFAULT_SCHEME;
    if (scheme < 0 || scheme >= CONTROL_SCHEME_COUNT) scheme = REPLAY_DEFAULT_SCHEME;
    cursor->keys[0] = controlSchemeKeys[3 * scheme + ACTION_THRUST];
    cursor->keys[1] = controlSchemeKeys[3 * scheme + ACTION_TURN_LEFT];
    cursor->keys[2] = controlSchemeKeys[3 * scheme + ACTION_TURN_RIGHT];
    cursor->keys[3] = TS_KEY_M;
    cursor->keys[4] = TS_KEY_X;
}

StepKeys ReplayCursor_Next(ReplayCursor* cursor) {
    StepKeys keys = {};
    const Replay* replay = cursor->replay;
    const int32_t frame = cursor->frame;
    for (; replay && cursor->next < replay->count && replay->events[cursor->next].frame <= frame;
         ++cursor->next) {
        const ReplayEvent& event = replay->events[cursor->next];
        // An event out of order is passed over, as a replay run passes it.
        if (event.frame < frame) continue;
        for (int slot = 0; slot < REPLAY_CURSOR_KEYS; ++slot) {
            if (cursor->keys[slot] != event.key) continue;
            // Only a key that was up is pressed anew by going down.
            if (event.down && !cursor->held[slot]) *StepKeys_Slot(&keys, slot) = 1;
            cursor->held[slot] = event.down ? 1 : 0;
        }
    }
    for (int slot = 0; slot < REPLAY_CURSOR_KEYS - 1; ++slot) {
        if (cursor->held[slot]) *StepKeys_Slot(&keys, slot) = 1;
    }
    ++cursor->frame;
    return keys;
}

bool ReplayCursor_Finished(const ReplayCursor* cursor) {
    if (cursor->replay && cursor->next < cursor->replay->count) return false;
    for (uint8_t held : cursor->held) {
        if (held) return false;
    }
    return true;
}
