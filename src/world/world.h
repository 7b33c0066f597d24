// The World: everything a gameplay screen needs to play one level — the ship
// and its fuel, the flames, the goal compass, the camera, the level being
// played and the clocks and flags of flying, collisions and the goal capture.
#pragma once

#include <cstdint>

#include "level/level.h"
#include "world/camera.h"
#include "world/sprite_cache.h"

struct Ghost;
struct Replay;
struct ReplayCursor;

// The ship's fuel and how the gauge under the ship shows it.
struct FuelGauge {
    float max;         // a full tank; also the gauge's width in pixels
    float min;         // an empty tank
    float fuel;        // what is left
    char label[8];     // "%i%%" of the fuel, rewritten every flying frame
    float shown;       // what the bar shows, sliding toward fuel
    float trail;       // the dark bar that lingers after a loss
    float trailDelay;  // seconds before the trail starts to drain
};

// The arrow beside the ship that points at the goal, and the distance to it.
struct Compass {
    char distanceText[20];  // "%iM", rewritten every flying frame
    GameObject* arrow;      // owned
};

struct Ship {
    TS_Vec2 thrust;    // acceleration in the ship's own frame; forward is +y
    TS_Vec2 velocity;  // world units per frame
    float maxSpeed;    // units per frame
    FuelGauge* fuel;   // owned
    GameObject* body;  // owned; 65 x 65 with a circle collider
    uint8_t unlimitedFuel;
    uint8_t canTurn;
    uint8_t halfSpeed;
};

// Play phases.
enum { PHASE_INTRO = 0, PHASE_FLYING = 1, PHASE_CAPTURE = 2, PHASE_DONE = 3 };

// The three flames, in the order of their images.
enum { FLAME_BOTTOM = 0, FLAME_RIGHT = 1, FLAME_LEFT = 2, FLAME_COUNT = 3 };

// The map view's states.
enum { MAP_OFF = 0, MAP_OPEN = 1, MAP_CLOSING = 2 };

// The World moves in fixed steps of 1/60 s whatever the display's rate, so a
// run depends only on the keys of each step: a replay frame is one step.
const float kWorldStepSeconds = 1.0f / 60.0f;
// After a hitch the World catches up by at most this many steps in one frame
// and lets the rest of the lost time go, rather than fall further behind.
enum { WORLD_MAX_STEPS_PER_FRAME = 5 };
// Where the step clock starts, and goes back to after lost time: half a step,
// so frames of a 60 Hz display that come a little early or late still run
// one step each rather than none and then two.
const float kWorldStepClockRest = kWorldStepSeconds * 0.5f;

// The keys one step flies on. A key counts when it is held, or was pressed
// at any time since the last step, so a tap between two steps is never lost.
struct StepKeys {
    uint8_t thrust;
    uint8_t turnLeft;
    uint8_t turnRight;
    uint8_t map;   // M, the map view
    uint8_t skip;  // X pressed since the last step: skips the intro or capture
};

// The keys of a step by number, in the order StepKeys holds them: thrust,
// turn left, turn right, map, skip.
enum { STEP_KEY_SLOTS = 5 };
uint8_t* StepKeys_Slot(StepKeys* keys, int slot);

struct World {
    TS_Image flameImages[FLAME_COUNT];  // bottom, right, left (Assets_FlameStrip)
    Shape* flameShapes[FLAME_COUNT];    // owned animation strips
    uint8_t thrustHeld;                 // draws the bottom flame
    uint8_t turnRightHeld;              // draws the left flame
    uint8_t turnLeftHeld;               // draws the right flame
    uint8_t thrustSoundOn;              // the engine loop is playing
    uint8_t turnSoundOn;                // the turning loop is playing
    uint8_t levelComplete;              // the goal was touched
    uint8_t winSpinStarted;             // the goal has begun to spin
    GameObject* flames[FLAME_COUNT];    // owned; kept on the ship
    TS_Sound thrustSound;               // the sound cache owns it
    TS_Sound turnSound;                 // the sound cache owns it
    float winZoom;                      // zoom the capture closes in to
    float levelTime;                    // seconds of flying in this level
    int32_t phase;                      // PHASE_*
    Camera camera;
    float kickTimer;
    Ship ship;
    TS_Vec2 kickVelocity;
    TS_Vec2 mapReturnPos;
    float defaultZoom;
    float mapTimer;
    float winSpinSpeed;  // degrees per second
    float mapZoom;
    void (*reloadLevel)(void);  // reloads and restarts the level; may be null
    TS_Vec2 kickStart;
    Compass compass;
    Level level;  // a copy; its tables belong to the caller
    int32_t levelScore;
    int32_t totalScore;
    float winTimer;    // seconds since the capture began
    uint8_t stranded;  // an asteroid hit emptied the tank
    float introTimer;
    int32_t mapState;     // MAP_*
    float emptyTankTime;  // seconds flown with an empty tank
    int32_t kickState;    // 0 off, 1 overshooting, 2 easing back
    TS_Vec2 levelCentre;
    CameraFollow cameraFollow;
    SpriteCache spriteCache;  // the level's prepared sprites, made over the first frames
    float mapSpritesZoom;     // the zoom the map's sprites were last made for; 0 none
    float stepClock;          // frame time not yet flown, under one step
    int32_t stepCount;        // steps flown since the level started
    StepKeys keys;            // what the current step flies on
    StepKeys pressed;         // keys pressed since the last step
    Replay* recording;        // the steps' keys are written here, or null
    StepKeys recorded;        // the keys as the recording last saw them
    Ghost* ghost;             // owned: the best run flown beside the ship, or null
    ReplayCursor* keySource;  // not owned: the steps' keys come from it, not the keyboard
    float bestTime;           // the level's best time, under the clock; 0 none
};

// The one World of the program.
extern World world;

// ---- Lifecycle --------------------------------------------------------------

// Builds the World for a level (ship, compass, flames, camera, sounds) and
// starts it. Called by a gameplay screen's init after reading the level.
void SetupWorld(const Level* level);
// Applies a level to the World: flags, start fuel and rotation, the camera on
// the goal for the intro (or straight to flying without a goal), map zoom;
// and plans the level's sprites for normal play and the goal's close-up,
// which the following frames prepare (World_PrepareSprites).
void StartLevel(const Level* level);
// Releases everything SetupWorld built. The Level stays the caller's.
void TeardownWorld(void);
// A restart: puts the ship, fuel, clocks and flags back as at level start.
// The caller then runs world.reloadLevel, which reads the level again.
void World_Reset(void);

// What the level is worth right now: 0 unless the goal was reached (and the
// ship not stranded); otherwise 250, plus 10 per unit of fuel left unless
// fuel is unlimited, plus up to 1000 for beating the par time.
int32_t World_LevelScore(void);

// ---- One frame --------------------------------------------------------------

// The per-frame entry of every gameplay screen: adds the frame's time to the
// step clock and runs the steps it holds (at most WORLD_MAX_STEPS_PER_FRAME),
// each on the keys held or pressed since the last one. Stops early when a
// step ends the level (stranded, or the capture over). Then prepares the
// frame's share of the sprites still planned, before anything is drawn.
void World_Update(void);
// Prepares planned sprites for up to the frame's budget (at least one),
// nearest first: drawing-side work that never touches the simulation.
void World_PrepareSprites(void);
// One step of kWorldStepSeconds on world.keys; dispatches on the phase.
void World_Step(void);
// Records every step's keys from now on into `replay` (emptied with
// Replay_Clear, its scheme the current one) as key presses and releases of the
// control scheme's keys, M and X, frame = step; a level (re)start empties it
// again, keeping its room and the level it names. Null stops recording.
void World_RecordInto(Replay* replay);
// Flies a ghost of `run` (copied; null removes it) beside the ship from the
// level's start on, restarted with every level start: it flies on the levels
// whose flight hash the run fits, and on no other. `level` is the level about
// to start (a level just read, or world.level itself). Returns whether it
// flies on it. Made here, never per frame.
bool World_SetGhostRun(const Replay* run, const Level* level);
// Takes every step's keys from `cursor` (a replay being watched) instead of
// the keyboard; null gives the keys back to the keyboard.
void World_TakeKeysFrom(ReplayCursor* cursor);
// One step at once on the key source's next keys, outside the frame's time:
// a watched run skipped ahead. Nothing without a key source or once done.
void World_StepFromSource(void);
// The flying frame (phase 1): the ship's step on the keys held, then the
// sounds, the compass, the camera and the clocks.
void World_UpdateFlying(void);

// ---- The ship's step --------------------------------------------------------
// One frame of flight from plain values: it reads no key, clock or setting and
// plays and draws nothing, so the game, the replays, the tests and the level
// tool all fly the ship alike.

// The ship as it flies: where it is, how it moves, its tank and what the
// level lets it do.
struct ShipState {
    TS_Vec2 position;
    TS_Vec2 velocity;  // world units per frame
    float rotation;    // degrees, clockwise; never wrapped
    FuelGauge fuel;    // the tank, and the gauge that follows it
    TS_Vec2 thrust;    // acceleration in the ship's own frame; forward is +y
    float maxSpeed;    // units per frame
    float radius;      // of the ship's collision circle
    uint8_t solid;     // the ship has a collision circle at all
    uint8_t unlimitedFuel;
    uint8_t canTurn;
    uint8_t halfSpeed;
};

// The three keys of the flight, held or not this frame.
struct FlightInput {
    uint8_t thrust;
    uint8_t turnLeft;
    uint8_t turnRight;
};

// What happened during a step, for the sounds, the camera and the HUD.
struct FlightEvents {
    TS_Vec2 movedTo;          // where the move left the ship, before any hit
    uint8_t engineLit;        // thrust held with fuel left after the burn
    int32_t bounces;          // asteroids hit
    int32_t fuelCells;        // cells picked up (and switched off in the level)
    uint8_t hardHit;          // a hit fast enough to shake the camera
    TS_Vec2 hardHitVelocity;  // the last such hit's velocity as it struck
    uint8_t stranded;         // a hit emptied the tank on a level that strands
    uint8_t goalTouched;
};

// One frame of flight of `dt` seconds: thrust and fuel burn, turning, the move,
// the speed limit, the fuel gauge, then asteroid bounces and fuel cells in the
// level's table order and the goal touch. The only change outside `ship` is a
// picked-up fuel cell, switched off in `level`. `events` is rewritten.
void Ship_Step(ShipState* ship, FlightInput input, float dt, const Level* level,
               FlightEvents* events);
// The second half of the step: the hits of the ship where it stands, added to
// `events`.
void Ship_Collide(ShipState* ship, const Level* level, FlightEvents* events);
// The World's ship as a flight state, and back.
ShipState Ship_GetState(const Ship* ship);
void Ship_SetState(Ship* ship, const ShipState* state);

// ---- Collisions -------------------------------------------------------------

// Whether the ship (a) touches b: two active circles that overlap or touch.
bool Collides(const GameObject* a, const GameObject* b);
// Asteroid bounces, fuel pick-ups and the goal touch for the World's ship where
// it stands, with their sounds, camera kick and phase change.
void World_Collide(void);
// What a step's hits mean for the World: the hit and pick-up sounds, the
// camera kick, stranding and the start of the capture.
void World_ApplyHits(const FlightEvents* events);

// ---- Goal capture -----------------------------------------------------------

// One frame of the finish after touching the goal (phase 2).
void World_UpdateGoalCapture(void);
