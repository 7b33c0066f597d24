// The ghost of the best run: its own flight of the run through Ship_Step, in
// step with the player's level clock, and its translucent drawing.
#include "world/ghost.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "app/assets.h"
#include "world/draw.h"

namespace {

const float kShipSize = 65.0f;   // the World's ship
const uint8_t kBodyAlpha = 100;  // about 40%
const float kTurnStep = 360.0f / GHOST_TURNS;
// Prepared turns made in one frame: all of them within the intro.
const int32_t kTurnsPerFrame = 4;
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
    if (!made || !ghost->body) {
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
    for (TS_PreparedImage& turn : ghost->turns) TS_PreparedImage_Free(&turn);
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

void Ghost_PrepareSprites(Ghost* ghost, float zoom) {
    if (!Ghost_Visible(ghost) || !ghost->body->shape) return;
    if (ghost->turnsZoom != zoom) {
        for (TS_PreparedImage& turn : ghost->turns) TS_PreparedImage_Free(&turn);
        ghost->turnsZoom = zoom;
        ghost->turnsTried = 0;
    }
    const TS_Image image = ghost->body->shape->image;
    const float size = kShipSize * zoom;
    for (int32_t made = 0; made < kTurnsPerFrame && ghost->turnsTried < GHOST_TURNS; ++made) {
        const int32_t i = ghost->turnsTried++;
        ghost->turns[i] =
            TS_PreparedImage_Create(image, size, size, static_cast<float>(i) * kTurnStep);
    }
}

void Ghost_Draw(Ghost* ghost, const Camera& camera) {
    if (!Ghost_Visible(ghost)) return;
    GameObject* body = ghost->body;
    body->position = ghost->ship.position;
    body->rotation = ghost->ship.rotation;
    const int alpha = static_cast<int>(static_cast<float>(kBodyAlpha) * ghost->fade);
    body->shape->fill.a = alpha;
    // The nearest prepared turn, for a rotation of any size or sign.
    float step = std::floor(ghost->ship.rotation / kTurnStep + 0.5f);
    step -= std::floor(step / GHOST_TURNS) * GHOST_TURNS;
    const int32_t index = static_cast<int32_t>(step) % GHOST_TURNS;
    const TS_PreparedImage turn =
        index >= 0 && camera.zoom == ghost->turnsZoom ? ghost->turns[index] : nullptr;
    if (!turn) {
        DrawObjectThroughCamera(body, camera);
        return;
    }
    DrawTransform transform;
    transform.position = TS_Vector_MatrixMultiply(camera.worldToScreen, body->position);
    transform.rotation = static_cast<float>(index) * kTurnStep;
    transform.size = TS_Vector_Scale(body->size, camera.zoom);
    if (!DrawShape_OnScreen(body->shape, transform)) return;
    TS_Settings_ImageMode(TS_MODE_CENTER);
    TS_PreparedImage_Draw(turn, body->shape->image, transform.position.x, transform.position.y,
                          transform.size.x, transform.size.y, alpha, transform.rotation);
}
