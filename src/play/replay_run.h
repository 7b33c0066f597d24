// Flying a level under a replay in the running framework, and where the World
// stands after each frame. Lives above the World because a run also scores.
#pragma once

#include <cstdint>

#include "platform/tessera.h"
#include "world/replay.h"

// Where the World stands after a replay frame.
struct ReplayState {
    int32_t frames;       // world updates run so far
    int32_t phase;
    bool levelComplete;
    bool stranded;
    float levelTime;
    float fuel;
    int32_t levelScore;   // what the level would score now
    TS_Vec2 position;
    TS_Vec2 velocity;
    float rotation;
};

typedef void (*ReplayFrameHook)(const ReplayState* state, void* context);

// Plays a level under a replay (null: no keys pressed) in the running
// framework: reads the level with the replay scheme's key names, sets up the
// World and runs engine frames, each pressing and releasing that frame's keys
// through the real input path and then updating and drawing the World. Stops
// when the capture is over, the ship is stranded, or after maxFrames updates.
// `hook`, when given, sees the state after every frame. Returns 0, or the
// error of reading the level file (as ReadLevelFile); `result` gets the end state.
int Replay_Run(const char* levelPath, const Replay* replay, int32_t maxFrames,
               ReplayFrameHook hook, void* context, ReplayState* result);
