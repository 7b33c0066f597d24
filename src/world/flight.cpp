// One world update per frame: the play phases, and the flying frame that moves
// the ship, burns fuel, plays the engine sounds, points the compass, animates
// the fuel gauge and keeps the level clock.
#include <cmath>
#include <cstdio>

#include "app/config.h"
#include "app/sound_groups.h"
#include "world/numbers.h"
#include "world/world.h"

namespace {

const float kTurnDegreesPerSecond = 235.0f;
const float kBurnPerSecond = 20.0f;      // a full tank lasts 5 s of thrust
const float kGaugeSlidePerSecond = 200.0f;
const float kTrailDrainPerSecond = 50.0f;
const float kThrustVolume = 1.15f;
const float kTurnVolume = 0.05f;

bool Held(int action) { return TS_Input_KeyDown(SchemeKey(action)); }

float SfxVolume(void) { return static_cast<float>(userConfig.sfxVolume) / 100.0f; }

void UpdateEngineSounds(void) {
    const FuelGauge& gauge = *world.ship.fuel;
    if (gauge.fuel > gauge.min && Held(ACTION_THRUST)) {
        if (!world.thrustSoundOn) {
            SoundGroup_Play(SoundGroup::ThrusterLoop, world.thrustSound, SfxVolume() * kThrustVolume,
                            true);
            world.thrustSoundOn = 1;
        }
    } else if (world.thrustSoundOn) {
        SoundGroup_Stop(SoundGroup::ThrusterLoop);
        world.thrustSoundOn = 0;
    }
    if (world.ship.canTurn && (Held(ACTION_TURN_LEFT) || Held(ACTION_TURN_RIGHT))) {
        if (!world.turnSoundOn) {
            SoundGroup_Play(SoundGroup::TurningLoop, world.turnSound, SfxVolume() * kTurnVolume, true);
            world.turnSoundOn = 1;
        }
    } else if (world.turnSoundOn) {
        SoundGroup_Stop(SoundGroup::TurningLoop);
        world.turnSoundOn = 0;
    }
}

void UpdateCompass(void) {
    if (!world.level.goal || !world.level.goal->object) return;
    const TS_Vec2 ship = world.ship.body->position;
    const TS_Vec2 d = TS_Vector_Subtract(world.level.goal->object->position, ship);
    std::snprintf(world.compass.distanceText, sizeof world.compass.distanceText, "%iM",
                  TruncateToInt(TS_Vector_Length(d)));
    GameObject* arrow = world.compass.arrow;
    if (!arrow) return;
    // 0 points up the screen; the angle grows clockwise like the ship's.
    arrow->rotation = 90.0f - TS_Math_Degrees(std::atan2(d.y, d.x));
    // 45 right of the ship and 20 below it on screen.
    arrow->position = TS_Vector_Add(ship, TS_Vec2{45.0f, -20.0f});
}

void UpdateFuelGauge(FuelGauge* gauge, float dt) {
    if (gauge->trailDelay > 0.0f) {
        gauge->trailDelay -= dt;
    } else if (gauge->trail > gauge->fuel) {
        gauge->trail -= kTrailDrainPerSecond * dt;
        if (gauge->trail < gauge->fuel) gauge->trail = gauge->fuel;
    }
    if (std::fabs(gauge->fuel - gauge->shown) > 2.0f) {
        const float step = kGaugeSlidePerSecond * dt;
        gauge->shown += gauge->fuel > gauge->shown ? step : -step;
        gauge->shown = TS_Math_ClampFloat(gauge->shown, gauge->min, gauge->max);
    } else {
        gauge->shown = gauge->fuel;
    }
    std::snprintf(gauge->label, sizeof gauge->label, "%i%%", TruncateToInt(gauge->fuel));
}

// Whether a flame shows follows its key. A release missed while the frame
// stood still (map view, a popup) must not leave a flame burning.
void UpdateFlameKeys(void) {
    const FuelGauge& gauge = *world.ship.fuel;
    if (gauge.fuel <= gauge.min && !world.ship.unlimitedFuel) {
        world.thrustHeld = 0;
    } else {
        world.thrustHeld = Held(ACTION_THRUST);
    }
    if (world.ship.canTurn) {
        world.turnLeftHeld = Held(ACTION_TURN_LEFT);
        world.turnRightHeld = Held(ACTION_TURN_RIGHT);
    }
}

}  // namespace

void Ship_ApplyThrust(Ship* ship) {
    const float dt = TS_System_GetDt();
    const TS_Vec2 a = TS_Vector_MatrixMultiply(TS_Matrix_Rotate(-ship->body->rotation),
                                               TS_Vector_Scale(ship->thrust, dt));
    // Twice the thrust per frame: 10 units per frame per second of thrust.
    ship->velocity = TS_Vector_Add(ship->velocity, dt < 1.0f ? TS_Vector_Scale(a, 2.0f) : a);
}

void Ship_Move(Ship* ship) {
    const float dt = TS_System_GetDt();
    FuelGauge* gauge = ship->fuel;
    if (Held(ACTION_THRUST)) {
        if (ship->unlimitedFuel) {
            Ship_ApplyThrust(ship);
        } else if (gauge->fuel > 0.0f) {
            Ship_ApplyThrust(ship);
            gauge->fuel -= kBurnPerSecond * dt;
            if (gauge->fuel >= gauge->trail) gauge->trail = gauge->fuel;
            if (gauge->fuel < gauge->min) gauge->fuel = gauge->min;
        }
    }
    if (ship->canTurn) {
        // Right wins when both are held. The rotation is left unwrapped.
        if (Held(ACTION_TURN_RIGHT)) {
            ship->body->rotation += kTurnDegreesPerSecond * dt;
        } else if (Held(ACTION_TURN_LEFT)) {
            ship->body->rotation -= kTurnDegreesPerSecond * dt;
        }
    }
    ship->body->position = TS_Vector_Add(ship->body->position, ship->velocity);
    // The limit applies after the move, so it bites from the next frame.
    const float limit = ship->halfSpeed ? ship->maxSpeed * 0.5f : ship->maxSpeed;
    if (TS_Vector_DotProduct(ship->velocity, ship->velocity) > limit * limit) {
        ship->velocity = TS_Vector_Scale(TS_Vector_Normalize(ship->velocity), limit);
    }
}

void World_UpdateFlying(void) {
    if (World_UpdateMapView()) return;
    const float dt = TS_System_GetDt();
    Ship_Move(&world.ship);
    UpdateEngineSounds();
    UpdateCompass();
    UpdateFuelGauge(world.ship.fuel, dt);
    World_Collide();
    World_UpdateCamera();

    world.levelTime += dt;
    if (world.ship.fuel->fuel <= 0.0f && !(world.level.flags & LEVEL_NO_TURNING)) {
        world.emptyTankTime += dt;
    }
    for (GameObject* flame : world.flames) {
        if (!flame) continue;
        flame->position = world.ship.body->position;
        flame->rotation = world.ship.body->rotation;
    }
    UpdateFlameKeys();
}

void World_Update(void) {
    if (!world.ship.body || !world.ship.fuel) return;
    switch (world.phase) {
        case PHASE_INTRO:
            if (!world.level.goal || !world.level.goal->object) {
                world.phase = PHASE_FLYING;
                return;
            }
            World_UpdateIntro();
            break;
        case PHASE_FLYING: World_UpdateFlying(); break;
        case PHASE_CAPTURE: World_UpdateGoalCapture(); break;
        default: break;  // done: the owning screen shows the results
    }
}
