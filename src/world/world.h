// The World: everything a gameplay screen needs to play one level — the ship
// and its fuel, the flames, the goal compass, the camera, the level being
// played and the clocks and flags of flying, collisions and the goal capture.
#pragma once

#include <cstdint>

#include "level/level.h"
#include "world/camera.h"

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
    TS_Vec2 thrust;     // acceleration in the ship's own frame; forward is +y
    TS_Vec2 velocity;   // world units per frame
    float maxSpeed;     // units per frame
    FuelGauge* fuel;    // owned
    GameObject* body;   // owned; 65 x 65 with a circle collider
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

struct World {
    TS_Image flameImages[FLAME_COUNT];  // owned: bottom, right, left
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
    float winSpinSpeed;                 // degrees per second
    float mapZoom;
    void (*reloadLevel)(void);          // reloads and restarts the level; may be null
    TS_Vec2 kickStart;
    Compass compass;
    Level level;                        // a copy; its tables belong to the caller
    int32_t levelScore;
    int32_t totalScore;
    float winTimer;                     // seconds since the capture began
    uint8_t stranded;                   // an asteroid hit emptied the tank
    float introTimer;
    int32_t mapState;                   // MAP_*
    float emptyTankTime;                // seconds flown with an empty tank
    int32_t kickState;                  // 0 off, 1 overshooting, 2 easing back
    TS_Vec2 levelCentre;
    CameraFollow cameraFollow;
};

// The one World of the program.
extern World world;

// ---- Lifecycle --------------------------------------------------------------

// Builds the World for a level (ship, compass, flames, camera, sounds) and
// starts it. Called by a gameplay screen's init after reading the level.
void SetupWorld(const Level* level);
// Applies a level to the World: flags, start fuel and rotation, the camera on
// the goal for the intro (or straight to flying without a goal), map zoom.
void StartLevel(const Level* level);
// Releases everything SetupWorld built. The Level stays the caller's.
void TeardownWorld(void);
// A restart: puts the ship, fuel, clocks and flags back as at level start.
// The caller then runs world.reloadLevel, which reads the level again.
void World_Reset(void);

// ---- One frame --------------------------------------------------------------

// The per-frame entry of every gameplay screen; dispatches on the phase.
void World_Update(void);
// The flying frame (phase 1).
void World_UpdateFlying(void);
// Thrust, turning, one step of movement and the speed limit.
void Ship_Move(Ship* ship);
// One frame of thrust along the ship's nose.
void Ship_ApplyThrust(Ship* ship);

// ---- Collisions -------------------------------------------------------------

// Whether the ship (a) touches b: two active circles that overlap or touch.
bool Collides(const GameObject* a, const GameObject* b);
// Asteroid bounces, fuel pick-ups and the goal touch, once per flying frame.
void World_Collide(void);

// ---- Goal capture -----------------------------------------------------------

// One frame of the finish after touching the goal (phase 2).
void World_UpdateGoalCapture(void);
