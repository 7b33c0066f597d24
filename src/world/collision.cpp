// Asteroid bounces, fuel pick-ups and the goal touch. Walls and traps are
// scenery: the ship flies through them.
#include "world/world.h"

#include "app/assets.h"
#include "app/config.h"
#include "app/sound_groups.h"

namespace {

const float kRestitution = 0.5f;  // a bounce halves the speed
const float kSeparation = 0.01f;  // world units between the circles after a push-out
const float kHitFuelCost = 5.0f;
const float kTrailHoldSeconds = 0.5f;
const float kFuelCellAmount = 50.0f;
const float kKickSpeedSquared = 9.0f;  // 3 units per frame or faster shakes the camera

float Radius(const GameObject* object) { return object->size.x * 0.5f * object->collider->scale.x; }

float EffectVolume(void) { return static_cast<float>(userConfig.sfxVolume) / 100.0f * 0.5f; }

void StopEngineSounds(void) {
    SoundGroup_Stop(SoundGroup::ThrusterLoop);
    SoundGroup_Stop(SoundGroup::TurningLoop);
    world.thrustSoundOn = 0;
    world.turnSoundOn = 0;
}

bool IsCircle(const GameObject* object) {
    return object->active && object->collider && object->collider->type == COLLIDER_CIRCLE;
}

// Collides() with the ship as the first circle.
bool Touches(const ShipState& ship, const GameObject* object) {
    if (!ship.solid || !object || !IsCircle(object)) return false;
    const float reach = ship.radius + Radius(object);
    const TS_Vec2 d = TS_Vector_Subtract(object->position, ship.position);
    return reach * reach >= TS_Vector_DotProduct(d, d);
}

// The direction from the ship to the asteroid. A ship exactly on the
// asteroid's centre has no such direction: it goes back the way it came.
TS_Vec2 HitDirection(TS_Vec2 d, TS_Vec2 velocity) {
    if (TS_Vector_DotProduct(d, d) > 0.0f) return TS_Vector_Normalize(d);
    if (TS_Vector_DotProduct(velocity, velocity) > 0.0f) return TS_Vector_Normalize(velocity);
    return TS_Vec2{0.0f, 1.0f};
}

void BounceOffAsteroid(ShipState* ship, const GameObject* asteroid, bool strands,
                       FlightEvents* events) {
    const TS_Vec2 u = ship->velocity;
    const TS_Vec2 d = TS_Vector_Subtract(asteroid->position, ship->position);
    const TS_Vec2 n = HitDirection(d, u);

    // Out of the rock along the line of centres, to just clear of touching: a
    // ship left exactly touching (one that hit at rest) would be hit again
    // every frame, draining its tank in a third of a second.
    const float clear = ship->radius + Radius(asteroid) + kSeparation;
    ship->position = TS_Vector_Subtract(asteroid->position, TS_Vector_Scale(n, clear));

    // Mirror the velocity about the tangent: the part along the line of
    // centres turns round, the rest carries on.
    TS_Vec2 v;
    if (TS_Vector_DotProduct(n, TS_Vector_Normalize(u)) == 0.0f) {
        v = TS_Vector_Negate(u);
    } else {
        const float along = 2.0f * TS_Vector_DotProduct(u, n) / TS_Vector_DotProduct(n, n);
        v = TS_Vector_Subtract(u, TS_Vector_Scale(n, along));
    }
    ship->velocity = TS_Vector_Scale(v, kRestitution);
    ship->position = TS_Vector_Add(ship->position, ship->velocity);

    FuelGauge* gauge = &ship->fuel;
    if (!ship->unlimitedFuel) {
        if (gauge->fuel >= gauge->trail) gauge->trail = gauge->fuel;
        gauge->fuel -= kHitFuelCost;
        gauge->trailDelay = kTrailHoldSeconds;
        if (gauge->fuel < gauge->min) gauge->fuel = gauge->min;
    }

    ++events->bounces;
    if (TS_Vector_DotProduct(u, u) >= kKickSpeedSquared) {
        events->hardHit = 1;
        events->hardHitVelocity = u;
    }
    if (strands && gauge->fuel <= gauge->min) events->stranded = 1;
}

void PickUpFuelCell(ShipState* ship, GameObject* cell, FlightEvents* events) {
    cell->active = 0;
    ++events->fuelCells;
    if (ship->unlimitedFuel) return;
    FuelGauge* gauge = &ship->fuel;
    // Filled up to a full tank; a tank that starts above full never loses by it.
    float filled = gauge->fuel + kFuelCellAmount;
    if (filled > gauge->max) filled = gauge->max;
    if (filled > gauge->fuel) gauge->fuel = filled;
}

}  // namespace

bool Collides(const GameObject* a, const GameObject* b) {
    if (!a || !b || a == b) return false;
    if (!IsCircle(a) || !IsCircle(b)) return false;
    const float reach = Radius(a) + Radius(b);
    const TS_Vec2 d = TS_Vector_Subtract(b->position, a->position);
    return reach * reach >= TS_Vector_DotProduct(d, d);
}

void Ship_Collide(ShipState* ship, const Level* level, FlightEvents* events) {
    const bool strands = !(level->flags & LEVEL_NO_STRANDING);
    if (level->objects) {
        for (uint64_t i = 0; i < level->objectCapacity; ++i) {
            const LevelObject* entry = level->objects[i];
            if (!entry || !entry->object) continue;
            if (!Touches(*ship, entry->object)) continue;
            if (entry->kind == KIND_ASTEROID) {
                BounceOffAsteroid(ship, entry->object, strands, events);
            } else if (entry->kind == KIND_FUEL_CELL) {
                PickUpFuelCell(ship, entry->object, events);
            }
        }
    }
    if (level->goal && Touches(*ship, level->goal->object)) events->goalTouched = 1;
}

void World_ApplyHits(const FlightEvents* events) {
    // Bounces and pick-ups in one frame sound together, whatever their order.
    for (int32_t i = 0; i < events->bounces; ++i) {
        SoundGroup_Play(SoundGroup::Effects, GetSound(SOUND_COLLISION), EffectVolume(), false);
    }
    for (int32_t i = 0; i < events->fuelCells; ++i) {
        SoundGroup_Play(SoundGroup::Effects, GetSound(SOUND_FUEL_PICKUP), EffectVolume(), false);
    }
    if (events->hardHit) World_StartCameraKick(events->hardHitVelocity);
    if (events->stranded) world.stranded = 1;
    if (events->goalTouched) {
        world.levelComplete = 1;
        world.phase = PHASE_CAPTURE;
    }
    if (events->stranded || events->goalTouched) StopEngineSounds();
}

void World_Collide(void) {
    if (!world.ship.body || !world.ship.fuel) return;
    ShipState ship = Ship_GetState(&world.ship);
    FlightEvents events = {};
    Ship_Collide(&ship, &world.level, &events);
    Ship_SetState(&world.ship, &ship);
    World_ApplyHits(&events);
}
