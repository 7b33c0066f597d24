// The ghost of the best run: a translucent ship that flies the level's best
// run again beside the player, through the same flight step, against its own
// copy of the level, one of its flying steps for each of the player's. It is
// drawn from turns of the ship's image prepared once, a few each frame from
// the level's start, so that a second ship on screen costs a plain copy.
#pragma once

#include <cstdint>

#include "level/level.h"
#include "world/camera.h"
#include "world/replay.h"
#include "world/replay_cursor.h"
#include "world/world.h"

// The turns of the ghost's image kept prepared: one every 3 degrees, a step
// no one sees on a ship that turns 4 degrees a frame.
enum { GHOST_TURNS = 120 };

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
    float fade;        // 1 while it flies, down to 0 after its run ended
    GameObject* body;  // owned, with its own translucent Shape of the ship's image
    // The ship's image turned by i * 3 degrees at the zoom of play, made over
    // the first frames (null until made, or when it cannot be).
    TS_PreparedImage turns[GHOST_TURNS];
    float turnsZoom;     // the zoom they are made for; 0 none yet
    int32_t turnsTried;  // turns attempted so far, in order
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
// Makes a few more of the prepared turns for the zoom of play (all of them
// again after a zoom change), before the frame's drawing.
void Ghost_PrepareSprites(Ghost* ghost, float zoom);
// The ghost's ship through a camera, translucent; nothing once faded or off
// screen. At the zoom of play it is copied from its prepared turn; otherwise
// (the map, the capture's close-up) drawn like the ship.
void Ghost_Draw(Ghost* ghost, const Camera& camera);
