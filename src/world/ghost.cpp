// The ghost of the best run: its own flight of the run through Ship_Step, in
// step with the player's level clock, and its translucent drawing.
#include "world/ghost.h"

#include <cstdlib>
#include <cstring>

#include "app/assets.h"
#include "world/draw.h"

namespace {

const float kShipSize = 65.0f;  // the World's ship
const float kFlameFrameSeconds = 0.1f;
const uint8_t kBodyAlpha = 100;  // about 40%
const uint8_t kFlameAlpha = 60;
const float kFadeSeconds = 0.5f;
// Steps the ghost may pass over for one flying step of the player: its whole
// intro and the longest map view a run may hold, and then some. A run that
// holds the map open past its last key would never fly again: it ends there.
const int32_t kMostPassedSteps = REPLAY_DEFAULT_FRAMES;

// The ship as the World starts it on this level.
ShipState StartState(const Level* level) {
    ShipState ship = {};
    ship.rotation = level->startRotation;
    ship.fuel.max = 100.0f;
    ship.fuel.min = 0.0f;
    ship.fuel.fuel = level->startFuel;
    ship.fuel.trail = level->startFuel;
    ship.thrust = TS_Vec2{0.0f, 5.0f};
    ship.maxSpeed = 10.0f;
    ship.radius = kShipSize * 0.5f;
    ship.solid = 1;
    ship.unlimitedFuel = (level->flags & LEVEL_UNLIMITED_FUEL) ? 1 : 0;
    ship.canTurn = (level->flags & LEVEL_NO_TURNING) ? 0 : 1;
    ship.halfSpeed = (level->flags & LEVEL_HALF_SPEED) ? 1 : 0;
    return ship;
}

bool HasGoal(const Level* level) { return level->goal && level->goal->object; }

bool CopyRun(const Replay* run, Replay* copy) {
    InitReplay(copy);
    copy->scheme = run->scheme;
    copy->hasLevelHash = run->hasLevelHash;
    copy->levelHash = run->levelHash;
    std::memcpy(copy->levelName, run->levelName, sizeof copy->levelName);
    if (run->count == 0) return true;
    copy->events = static_cast<ReplayEvent*>(std::malloc(run->count * sizeof(ReplayEvent)));
    if (!copy->events) return false;
    std::memcpy(copy->events, run->events, run->count * sizeof(ReplayEvent));
    copy->count = copy->capacity = run->count;
    return true;
}

GameObject* CreatePart(Shape* shape, uint8_t alpha) {
    if (!shape) return nullptr;
    shape->fill.a = alpha;
    GameObject* object = CreateGameObject();
    if (!object) {
        FreeOwnedShape(shape);
        return nullptr;
    }
    object->shape = shape;
    object->size = TS_Vec2{kShipSize, kShipSize};
    return object;
}

void FreePart(GameObject** part) {
    if (!*part) return;
    FreeOwnedShape((*part)->shape);
    FreeGameObject(*part);
    *part = nullptr;
}

void End(Ghost* ghost) {
    ghost->phase = PHASE_DONE;
    ghost->thrusting = 0;
}

void FlyOneStep(Ghost* ghost, StepKeys keys) {
    const FlightInput input = {keys.thrust, keys.turnLeft, keys.turnRight};
    FlightEvents events;
    Ship_Step(&ghost->ship, input, kWorldStepSeconds, &ghost->level, &events);
    ++ghost->flyingSteps;
    ghost->thrusting = events.engineLit;
    if (events.goalTouched || events.stranded) {
        ghost->reachedGoal = events.goalTouched;
        End(ghost);
    }
}

}  // namespace

Ghost* Ghost_Create(const Replay* run, const Level* level) {
    if (!run || !level) return nullptr;
    Ghost* ghost = static_cast<Ghost*>(std::calloc(1, sizeof(Ghost)));
    if (!ghost) return nullptr;
    InitLevel(&ghost->level);
    const bool made = CopyRun(run, &ghost->run);
    ghost->body = CreatePart(CreateImageShape(GetSpriteImage(SPRITE_PLAYER)), kBodyAlpha);
    ghost->flame = CreatePart(CreateSheetShape(Assets_FlameStrip(FLAME_BOTTOM), kFlameFrameSeconds),
                              kFlameAlpha);
    if (!made || !ghost->body || !ghost->flame) {
        Ghost_Free(ghost);
        return nullptr;
    }
    Ghost_Restart(ghost, level);
    return ghost;
}

void Ghost_Free(Ghost* ghost) {
    if (!ghost) return;
    FreeReplay(&ghost->run);
    FreeLevel(&ghost->level);
    FreePart(&ghost->body);
    FreePart(&ghost->flame);
    std::free(ghost);
}

bool Ghost_Restart(Ghost* ghost, const Level* level) {
    ReplayCursor_Start(&ghost->cursor, &ghost->run);
    ghost->ship = StartState(level);
    ghost->phase = PHASE_INTRO;
    ghost->introTimer = 0.0f;
    ghost->mapState = MAP_OFF;
    ghost->mapTimer = 0.0f;
    ghost->flyingSteps = 0;
    ghost->thrusting = 0;
    ghost->reachedGoal = 0;
    ghost->fade = 1.0f;
    // The run's fuel cells come back with a fresh copy of the level.
    FreeLevel(&ghost->level);
    const bool fits = HasGoal(level) && Replay_FitsLevel(&ghost->run, Level_FlightHash(level));
    if (!fits || Level_Copy(level, &ghost->level) != 0) {
        End(ghost);
        ghost->fade = 0.0f;
        return false;
    }
    return true;
}

void Ghost_Fly(Ghost* ghost) {
    if (!ghost) return;
    if (ghost->phase == PHASE_DONE) {
        ghost->fade -= kWorldStepSeconds / kFadeSeconds;
        if (ghost->fade < 0.0f) ghost->fade = 0.0f;
        return;
    }
    for (int32_t passed = 0; passed < kMostPassedSteps; ++passed) {
        const StepKeys keys = ReplayCursor_Next(&ghost->cursor);
        if (ghost->phase == PHASE_INTRO) {
            float progress = 0.0f;
            if (IntroClock_Step(&ghost->introTimer, keys.skip, &progress)) {
                ghost->phase = PHASE_FLYING;
            }
            continue;
        }
        MapClock_Step(&ghost->mapState, &ghost->mapTimer, keys.map);
        if (ghost->mapState != MAP_OFF) continue;
        FlyOneStep(ghost, keys);
        return;
    }
    End(ghost);
}

bool Ghost_Visible(const Ghost* ghost) { return ghost && ghost->fade > 0.0f; }

void Ghost_Draw(Ghost* ghost, const Camera& camera) {
    if (!Ghost_Visible(ghost)) return;
    const float fade = ghost->fade;
    GameObject* parts[2] = {ghost->flame, ghost->body};
    const uint8_t alphas[2] = {kFlameAlpha, kBodyAlpha};
    for (int i = 0; i < 2; ++i) {
        GameObject* part = parts[i];
        part->position = ghost->ship.position;
        part->rotation = ghost->ship.rotation;
        part->shape->fill.a = static_cast<uint8_t>(static_cast<float>(alphas[i]) * fade);
        part->active = i == 1 || ghost->thrusting;
        DrawObjectThroughCamera(part, camera);
    }
}
