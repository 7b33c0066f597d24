// The World's fixed step: each frame's time feeds a clock that the World
// spends in steps of 1/60 s, so a run plays the same at any display rate or
// load. The keys (or pad buttons) each step flies on, and the recording of
// them as a replay.
#include <cstdint>

#include "app/config.h"
#include "app/controls.h"
#include "world/replay.h"
#include "world/replay_cursor.h"
#include "world/world.h"

namespace {

// The actions a step reads, in the order StepKeys holds them.
int SlotAction(int slot) {
    switch (slot) {
        case 0: return CONTROL_THRUST;
        case 1: return CONTROL_TURN_LEFT;
        case 2: return CONTROL_TURN_RIGHT;
        case 3: return CONTROL_MAP;
        default: return CONTROL_SKIP;
    }
}

// The key a slot is recorded as: a run flown with a pad replays on the keys.
int KeyCode(int slot) { return Controls_Key(SlotAction(slot)); }

const int kKeySlots = STEP_KEY_SLOTS;

uint8_t* Slot(StepKeys* keys, int slot) { return StepKeys_Slot(keys, slot); }

// Presses of this frame wait for the next step, which may be frames away on a
// fast display.
void LatchPresses(void) {
    for (int slot = 0; slot < kKeySlots; ++slot) {
        if (Controls_Pressed(SlotAction(slot))) *Slot(&world.pressed, slot) = 1;
    }
}

// Held now, or pressed since the last step; X counts only as a press. The
// restart held through the intro skips it, so a restart is one press to
// flying again.
StepKeys HeldOrPressed(StepKeys pressed) {
    StepKeys keys = pressed;
    for (int slot = 0; slot < kKeySlots - 1; ++slot) {
        if (Controls_Down(SlotAction(slot))) *Slot(&keys, slot) = 1;
    }
    if (world.phase == PHASE_INTRO && Controls_Down(CONTROL_RESTART)) keys.skip = 1;
    return keys;
}

// The step's keys as replay events at frame = step. A key pressed afresh while
// the last step already saw it down is written as a release and a press in
// the same frame, which replays as a new press.
void RecordStep(StepKeys keys, StepKeys fresh) {
    Replay* replay = world.recording;
    for (int slot = 0; slot < kKeySlots; ++slot) {
        uint8_t* was = Slot(&world.recorded, slot);
        const bool now = *Slot(&keys, slot) != 0;
        const bool again = *was && now && *Slot(&fresh, slot);
        const int key = KeyCode(slot);
        // A failed append marks the recording incomplete: it is never written.
        if (again) Replay_AddEvent(replay, world.stepCount, key, false);
        if ((*was != 0) != now || again) Replay_AddEvent(replay, world.stepCount, key, now);
        *was = now ? 1 : 0;
    }
}

}  // namespace

void World_Step(void) {
    switch (world.phase) {
        case PHASE_INTRO:
            if (!world.level.goal || !world.level.goal->object) {
                world.phase = PHASE_FLYING;
                break;
            }
            World_UpdateIntro();
            break;
        case PHASE_FLYING: World_UpdateFlying(); break;
        case PHASE_CAPTURE: World_UpdateGoalCapture(); break;
        default: break;  // done: the owning screen shows the results
    }
}

namespace {

void RunSteps(void) {
    if (!world.ship.body || !world.ship.fuel) return;
    if (world.phase >= PHASE_DONE) return;
    LatchPresses();
    world.stepClock += TS_System_GetDt();
    for (int steps = 0; world.stepClock >= kWorldStepSeconds; ++steps) {
        if (steps == WORLD_MAX_STEPS_PER_FRAME) {
            world.stepClock = kWorldStepClockRest;
            break;
        }
        world.stepClock -= kWorldStepSeconds;
        const StepKeys fresh = world.pressed;
        world.pressed = StepKeys{};
        world.keys = world.keySource ? ReplayCursor_Next(world.keySource) : HeldOrPressed(fresh);
        if (world.recording) RecordStep(world.keys, fresh);
        const bool wasStranded = world.stranded != 0;
        World_Step();
        ++world.stepCount;
        // A step that ends the level ends the frame's steps: the screen
        // decides what follows before anything else moves, at any rate alike.
        if ((world.stranded && !wasStranded) || world.phase >= PHASE_DONE) {
            world.stepClock = kWorldStepClockRest;
            break;
        }
    }
}

}  // namespace

void World_Update(void) {
    RunSteps();
    World_PrepareSprites();
}

void World_TakeKeysFrom(ReplayCursor* cursor) { world.keySource = cursor; }

void World_StepFromSource(void) {
    if (!world.keySource || !world.ship.body || !world.ship.fuel) return;
    if (world.phase >= PHASE_DONE) return;
    world.keys = ReplayCursor_Next(world.keySource);
    World_Step();
    ++world.stepCount;
}

void World_RecordInto(Replay* replay) {
    world.recording = replay;
    world.recorded = StepKeys{};
    if (!replay) return;
    // The events' room and the level's name stay: a restart records afresh
    // without allocating.
    Replay_Clear(replay);
    replay->scheme = userConfig.controlScheme;
}

uint8_t* StepKeys_Slot(StepKeys* keys, int slot) {
    switch (slot) {
        case 0: return &keys->thrust;
        case 1: return &keys->turnLeft;
        case 2: return &keys->turnRight;
        case 3: return &keys->map;
        default: return &keys->skip;
    }
}
