// Flying a level under a replay in the running framework, and where the World
// stands after each frame. Lives above the World because a run also scores.
#pragma once

#include <cstdint>

#include "platform/tessera.h"
#include "world/replay.h"

// Where the World stands after a replay frame.
struct ReplayState {
    int32_t frames;  // world updates run so far
    int32_t steps;   // World steps since the level started (one per frame)
    int32_t phase;
    bool levelComplete;
    bool stranded;
    float levelTime;
    float fuel;
    int32_t levelScore;  // what the level would score now
    TS_Vec2 position;
    TS_Vec2 velocity;
    float rotation;
};

typedef void (*ReplayFrameHook)(const ReplayState* state, void* context);

// Flies the World a screen has already set up under a replay (null: no keys
// pressed), with the current control scheme: every frame presses and releases
// that frame's keys through the real input path and runs one engine frame of
// the current screen, one World step long (a replay frame is one step). Stops when the capture is
// over, the ship is stranded, or after maxFrames frames, and lets go of every key it pressed.
// `hook`, when given, sees the state after every frame; `result` gets the end state.
void Replay_Fly(const Replay* replay, int32_t maxFrames, ReplayFrameHook hook, void* context,
                ReplayState* result);

// Plays a level under a replay (null: no keys pressed) in the running
// framework: reads the level with the replay scheme's key names, sets up the
// World on a screen that updates and draws it, and flies it as Replay_Fly.
// Returns 0, or the error of reading the level file (as ReadLevelFile).
int Replay_Run(const char* levelPath, const Replay* replay, int32_t maxFrames, ReplayFrameHook hook,
               void* context, ReplayState* result);
