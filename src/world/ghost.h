// The ghost of the best run: a translucent ship that flies the level's best
// run again beside the player, through the same flight step, against its own
// copy of the level, one of its flying steps for each of the player's.
#pragma once

#include <cstdint>

#include "level/level.h"
#include "world/camera.h"
#include "world/replay.h"
#include "world/replay_cursor.h"
#include "world/world.h"

struct Ghost {
    Replay run;           // its own copy of the best run
    Level level;          // its own copy of the level: the cells it picks up are its own
    ReplayCursor cursor;  // over `run`
    ShipState ship;
    int32_t phase;  // PHASE_INTRO, PHASE_FLYING, or PHASE_DONE once its run ended
    float introTimer;
    int32_t mapState;  // MAP_*, from the run's own M key
    float mapTimer;
    int32_t flyingSteps;  // flying steps flown since the level started
    uint8_t thrusting;    // its engine burned on the last flying step
    uint8_t reachedGoal;
    float fade;         // 1 while it flies, down to 0 after its run ended
    GameObject* body;   // owned, with its own translucent Shape of the ship's image
    GameObject* flame;  // owned, the bottom flame, fainter still
};

// A ghost of `run`, ready at the start of `level` (Ghost_Restart); null when
// memory runs out. Everything it steps and draws with is made here.
Ghost* Ghost_Create(const Replay* run, const Level* level);
void Ghost_Free(Ghost* ghost);
// Back to the level's start on `level` (the level read again on a restart):
// every fuel cell back, the run from its first step. On a level the run does
// not fit (its flight hash) or without a goal, the ghost does not fly or show.
// Returns whether it flies.
bool Ghost_Restart(Ghost* ghost, const Level* level);
// One flying step of the player's level clock: the ghost passes over its own
// intro and map-view steps (which depend only on its keys) and flies its next
// flying step. Its run ends at the goal (or stranded), and it then fades.
void Ghost_Fly(Ghost* ghost);
// Whether it still shows.
bool Ghost_Visible(const Ghost* ghost);
// The ghost through a camera: its flame while it thrusts, then its ship,
// translucent; nothing once faded or off screen.
void Ghost_Draw(Ghost* ghost, const Camera& camera);
