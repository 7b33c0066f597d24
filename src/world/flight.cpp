// The flying step: the ship's step on the step's keys, and what happened
// turned into engine sounds, the compass, the camera and the level clocks.
#include <cmath>
#include <cstdio>

#include "app/config.h"
#include "app/sound_groups.h"
#include "world/ghost.h"
#include "world/numbers.h"
#include "world/world.h"

namespace {

const float kThrustVolume = 1.15f;
const float kTurnVolume = 0.05f;

float SfxVolume(void) { return static_cast<float>(userConfig.sfxVolume) / 100.0f; }

// The engine sounds as the move left the ship, before any hit stops them.
void UpdateEngineSounds(FlightInput input, const FlightEvents& events) {
    if (events.engineLit) {
        if (!world.thrustSoundOn) {
            SoundGroup_Play(SoundGroup::ThrusterLoop, world.thrustSound,
                            SfxVolume() * kThrustVolume, true);
            world.thrustSoundOn = 1;
        }
    } else if (world.thrustSoundOn) {
        SoundGroup_Stop(SoundGroup::ThrusterLoop);
        world.thrustSoundOn = 0;
    }
    if (world.ship.canTurn && (input.turnLeft || input.turnRight)) {
        if (!world.turnSoundOn) {
            SoundGroup_Play(SoundGroup::TurningLoop, world.turnSound, SfxVolume() * kTurnVolume,
                            true);
            world.turnSoundOn = 1;
        }
    } else if (world.turnSoundOn) {
        SoundGroup_Stop(SoundGroup::TurningLoop);
        world.turnSoundOn = 0;
    }
}

// The compass reads where the move left the ship.
void UpdateCompass(TS_Vec2 ship) {
    if (!world.level.goal || !world.level.goal->object) return;
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

// Whether a flame shows follows its key. A release missed while the frame
// stood still (map view, a popup) must not leave a flame burning.
void UpdateFlameKeys(FlightInput input) {
    const FuelGauge& gauge = *world.ship.fuel;
    if (gauge.fuel <= gauge.min && !world.ship.unlimitedFuel) {
        world.thrustHeld = 0;
    } else {
        world.thrustHeld = input.thrust;
    }
    if (world.ship.canTurn) {
        world.turnLeftHeld = input.turnLeft;
        world.turnRightHeld = input.turnRight;
    }
}

}  // namespace

void World_UpdateFlying(void) {
    if (World_UpdateMapView()) return;
    const float dt = kWorldStepSeconds;
    const FlightInput input = {world.keys.thrust, world.keys.turnLeft, world.keys.turnRight};
    ShipState ship = Ship_GetState(&world.ship);
    FlightEvents events;
    Ship_Step(&ship, input, dt, &world.level, &events);
    Ship_SetState(&world.ship, &ship);
    UpdateEngineSounds(input, events);
    UpdateCompass(events.movedTo);
    World_ApplyHits(&events);
    World_UpdateCamera();
    // One of the ghost's flying steps for each of the player's.
    Ghost_Fly(world.ghost);

    world.levelTime += dt;
    if (world.ship.fuel->fuel <= 0.0f && !(world.level.flags & LEVEL_NO_TURNING)) {
        world.emptyTankTime += dt;
    }
    for (GameObject* flame : world.flames) {
        if (!flame) continue;
        flame->position = world.ship.body->position;
        flame->rotation = world.ship.body->rotation;
    }
    UpdateFlameKeys(input);
}
