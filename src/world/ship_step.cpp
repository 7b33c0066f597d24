// The ship's step: one frame of flight from plain values — thrust and the fuel
// it burns, turning, the move, the speed limit and the fuel gauge, then the
// hits. No keys, clocks, sounds or drawing: the caller brings the keys and the
// frame time and turns the events into sounds and HUD.
#include <cmath>
#include <cstdio>

#include "world/numbers.h"
#include "world/world.h"

namespace {

const float kTurnDegreesPerSecond = 235.0f;
const float kBurnPerSecond = 20.0f;  // a full tank lasts 5 s of thrust
const float kGaugeSlidePerSecond = 200.0f;
const float kTrailDrainPerSecond = 50.0f;

void ApplyThrust(ShipState* ship, float dt) {
    const TS_Vec2 a = TS_Vector_MatrixMultiply(TS_Matrix_Rotate(-ship->rotation),
                                               TS_Vector_Scale(ship->thrust, dt));
    // Twice the thrust per frame: 10 units per frame per second of thrust.
    ship->velocity = TS_Vector_Add(ship->velocity, dt < 1.0f ? TS_Vector_Scale(a, 2.0f) : a);
}

void Move(ShipState* ship, FlightInput input, float dt) {
    FuelGauge* gauge = &ship->fuel;
    if (input.thrust) {
        if (ship->unlimitedFuel) {
            ApplyThrust(ship, dt);
        } else if (gauge->fuel > 0.0f) {
            ApplyThrust(ship, dt);
            gauge->fuel -= kBurnPerSecond * dt;
            if (gauge->fuel >= gauge->trail) gauge->trail = gauge->fuel;
            if (gauge->fuel < gauge->min) gauge->fuel = gauge->min;
        }
    }
    if (ship->canTurn) {
        // Right wins when both are held. The rotation is left unwrapped.
        if (input.turnRight) {
            ship->rotation += kTurnDegreesPerSecond * dt;
        } else if (input.turnLeft) {
            ship->rotation -= kTurnDegreesPerSecond * dt;
        }
    }
    ship->position = TS_Vector_Add(ship->position, ship->velocity);
    // The limit applies after the move, so it bites from the next frame.
    const float limit = ship->halfSpeed ? ship->maxSpeed * 0.5f : ship->maxSpeed;
    if (TS_Vector_DotProduct(ship->velocity, ship->velocity) > limit * limit) {
        ship->velocity = TS_Vector_Scale(TS_Vector_Normalize(ship->velocity), limit);
    }
}

// The gauge follows the tank as the move left it; a hit's held trail starts
// counting down from the next frame.
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

}  // namespace

void Ship_Step(ShipState* ship, FlightInput input, float dt, const Level* level,
               FlightEvents* events) {
    *events = FlightEvents{};
    Move(ship, input, dt);
    events->movedTo = ship->position;
    events->engineLit = input.thrust && ship->fuel.fuel > ship->fuel.min;
    UpdateFuelGauge(&ship->fuel, dt);
    Ship_Collide(ship, level, events);
}

ShipState Ship_GetState(const Ship* ship) {
    ShipState state = {};
    const GameObject* body = ship->body;
    state.position = body->position;
    state.velocity = ship->velocity;
    state.rotation = body->rotation;
    state.fuel = *ship->fuel;
    state.thrust = ship->thrust;
    state.maxSpeed = ship->maxSpeed;
    state.solid = body->active && body->collider && body->collider->type == COLLIDER_CIRCLE;
    state.radius = body->collider ? body->size.x * 0.5f * body->collider->scale.x : 0.0f;
    state.unlimitedFuel = ship->unlimitedFuel;
    state.canTurn = ship->canTurn;
    state.halfSpeed = ship->halfSpeed;
    return state;
}

void Ship_SetState(Ship* ship, const ShipState* state) {
    ship->body->position = state->position;
    ship->velocity = state->velocity;
    ship->body->rotation = state->rotation;
    *ship->fuel = state->fuel;
    ship->thrust = state->thrust;
    ship->maxSpeed = state->maxSpeed;
    ship->unlimitedFuel = state->unlimitedFuel;
    ship->canTurn = state->canTurn;
    ship->halfSpeed = state->halfSpeed;
}
