// The finish after touching the goal: the ship is drawn in and straightened,
// the goal spins up, and the ship is launched off the top of the screen while
// the camera closes in. X skips it.
#include <cmath>

#include "app/assets.h"
#include "app/config.h"
#include "app/sound_groups.h"
#include "world/world.h"

namespace {

const float kPullFraction = 0.1f;  // of the top speed: one unit per frame
const float kArrivalDistanceSq = 2.0f;
const float kAlignedDegrees = 3.0f;
const float kTurnDegreesPerSecond = 235.0f;
const float kSpinAccel = 405.0f;  // degrees per second, per second
const float kSpinTop = 1500.0f;
const float kLaunchBoost = 10.0f;

float EffectVolume(void) { return static_cast<float>(userConfig.sfxVolume) / 100.0f * 0.5f; }

void UpdateCaptureCamera(TS_Vec2 ship, TS_Vec2 goal, float t) {
    Camera& camera = world.camera;
    camera.position = LerpVector(ship, goal, t);
    const float arc = static_cast<float>(std::sin(static_cast<double>(t) * TS_PI));
    camera.zoom = world.defaultZoom + (world.winZoom - world.defaultZoom) * arc;
    if (t >= 0.5f) camera.zoom = world.winZoom;
    if (t >= 1.0f) camera.position = goal;
}

// Carries the ship one unit toward the goal along its own line of flight.
// Returns true when it arrived and is held on the goal.
bool PullTowardGoal(GameObject* body, TS_Vec2 goal) {
    Ship& ship = world.ship;
    const TS_Vec2 d = TS_Vector_Subtract(goal, body->position);
    const float dd = TS_Vector_DotProduct(d, d);
    TS_Vec2 heading = TS_Vec2{0.0f, 0.0f};
    if (dd > 0.0f) {
        heading = TS_Vector_Scale(d, TS_Vector_DotProduct(ship.velocity, d) / dd);
    }
    // A ship with no motion along the line (at rest, or flying square to it)
    // heads straight for the goal.
    if (!(TS_Vector_DotProduct(heading, heading) > 0.0f)) heading = d;
    ship.velocity = TS_Vector_Scale(TS_Vector_Normalize(heading), ship.maxSpeed * kPullFraction);
    body->position = TS_Vector_Add(body->position, ship.velocity);
    if (dd <= kArrivalDistanceSq) {
        ship.velocity = TS_Vec2{0.0f, 0.0f};
        body->position = goal;
        return true;
    }
    return false;
}

// Turns the ship back to upright, always through the sign of its heading
// (a ship at 350 degrees turns back down through 349, 348...).
bool Straighten(GameObject* body, float heading, float dt) {
    if (heading < -kAlignedDegrees) {
        body->rotation += kTurnDegreesPerSecond * dt;
    } else if (heading > kAlignedDegrees) {
        body->rotation -= kTurnDegreesPerSecond * dt;
    } else {
        body->rotation = 0.0f;
        return true;
    }
    return false;
}

void SpinUp(float dt) {
    if (!world.winSpinStarted) {
        SoundGroup_Play(SoundGroup::CaptureSpin, GetSound(SOUND_WIN_SPIN), EffectVolume(), false);
        // The gameplay music dips to half while the goal spins.
        SoundGroup_SetVolume(SoundGroup::GameMusic, MusicGroupVolume() * 0.5f);
    }
    world.winSpinStarted = 1;
    if (world.winSpinSpeed < kSpinTop) {
        world.winSpinSpeed += kSpinAccel * dt;
    } else {
        // Full spin: the thrust grows tenfold each frame the ship is still
        // held, until one push carries it clear of the goal.
        world.winSpinSpeed = kSpinTop;
        world.ship.thrust = TS_Vector_Scale(world.ship.thrust, kLaunchBoost);
        SoundGroup_Play(SoundGroup::CaptureExit, GetSound(SOUND_WIN_WHOOSH), EffectVolume(), false);
    }
}

void EndCapture(GameObject* goal, bool skipped) {
    world.winSpinStarted = 0;
    world.winTimer = 0.0f;
    world.winSpinSpeed = 0.0f;
    goal->rotation = 0.0f;
    SoundGroup_SetVolume(SoundGroup::GameMusic, MusicGroupVolume());
    // A natural end lets the whoosh finish.
    if (skipped) {
        SoundGroup_Stop(SoundGroup::CaptureSpin);
        SoundGroup_Stop(SoundGroup::CaptureExit);
    }
    world.phase = PHASE_DONE;
}

}  // namespace

void World_UpdateGoalCapture(void) {
    if (!world.level.goal || !world.level.goal->object) {
        world.phase = PHASE_DONE;
        return;
    }
    GameObject* goal = world.level.goal->object;
    GameObject* body = world.ship.body;
    const float dt = kWorldStepSeconds;

    const float heading = body->rotation - 360.0f * std::trunc(body->rotation / 360.0f);
    world.winTimer += dt;
    const float t = world.winTimer * 0.5f;
    UpdateCaptureCamera(body->position, goal->position, t);

    const bool held = PullTowardGoal(body, goal->position);
    const bool aligned = Straighten(body, heading, dt);
    if (held && aligned) SpinUp(dt);
    goal->rotation -= world.winSpinSpeed * dt;

    // Launch: the thrust in world axes, straight up for the upright ship.
    world.ship.velocity =
        TS_Vector_Add(world.ship.velocity, TS_Vector_Scale(world.ship.thrust, dt));
    body->position = TS_Vector_Add(body->position, world.ship.velocity);

    const TS_Vec2 top = TS_Vector_MatrixMultiply(
        world.camera.screenToWorld,
        TS_Vec2{static_cast<float>(TS_System_GetWindowWidth()) * 0.5f, 0.0f});
    const bool skipped = world.keys.skip != 0;
    if (body->position.y > top.y + body->size.y || skipped) EndCapture(goal, skipped);

    Camera_UpdateMatrices(&world.camera);
}
