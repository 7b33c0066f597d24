// Building the World for a gameplay screen, starting a level in it, restarting
// and releasing it.
#include "world/world.h"

#include <cmath>
#include <cstdlib>

#include "app/assets.h"
#include "world/ghost.h"

World world = {};

namespace {

const float kShipSize = 65.0f;
const float kFlameFrameSeconds = 0.1f;
const float kCloseUpMargin = 200.0f;  // world units around the capture's close-up
const float kWideMapFraction = 0.9f;

void InitFuelGauge(FuelGauge* gauge) {
    gauge->max = 100.0f;
    gauge->min = 0.0f;
    gauge->fuel = 100.0f;
    gauge->label[0] = '\0';
    gauge->shown = 0.0f;
    gauge->trail = 100.0f;
    gauge->trailDelay = 0.0f;
}

void SetupShip(Ship* ship) {
    ship->thrust = TS_Vec2{0.0f, 5.0f};
    ship->velocity = TS_Vec2{0.0f, 0.0f};
    ship->maxSpeed = 10.0f;
    ship->halfSpeed = 0;
    ship->unlimitedFuel = 0;
    ship->canTurn = 1;
    ship->body = CreateGameObject();
    if (ship->body) {
        ship->body->shape = CreateImageShape(GetSpriteImage(SPRITE_PLAYER));
        ship->body->size = TS_Vec2{kShipSize, kShipSize};
        AttachCircleCollider(ship->body);
    }
    ship->fuel = static_cast<FuelGauge*>(std::malloc(sizeof(FuelGauge)));
    if (ship->fuel) InitFuelGauge(ship->fuel);
}

void SetupCompass(Compass* compass) {
    compass->distanceText[0] = '\0';
    compass->arrow = CreateGameObject();
    if (!compass->arrow) return;
    compass->arrow->shape = CreateImageShape(GetSpriteImage(SPRITE_COMPASS_ARROW));
    compass->arrow->size = TS_Vec2{20.0f, 20.0f};
    compass->arrow->position = TS_Vec2{static_cast<float>(TS_System_GetWindowWidth() / 2 + 45),
                                       static_cast<float>(TS_System_GetWindowHeight() / 2 + 20)};
}

void SetupFlames(void) {
    for (int i = 0; i < FLAME_COUNT; ++i) {
        world.flameImages[i] = Assets_FlameStrip(i);
        world.flameShapes[i] = CreateSheetShape(world.flameImages[i], kFlameFrameSeconds);
        world.flames[i] = CreateGameObject();
        if (world.flames[i]) {
            world.flames[i]->size = TS_Vec2{kShipSize, kShipSize};
            world.flames[i]->shape = world.flameShapes[i];
        }
    }
}

void FreeOwnedObject(GameObject** object) {
    if (!*object) return;
    FreeOwnedShape((*object)->shape);
    FreeGameObject(*object);
    *object = nullptr;
}

// Plans every object at the zoom of normal play (around the ship's start first), and those the
// capture's close-up can show around the goal at its zoom; the frames of the intro make them a few
// at a time (World_PrepareSprites), and until then they are drawn directly. The map's zoom is
// planned when the map first holds still (World_UpdateMapView): where it stops depends on the frame
// times of its opening.
void PlanLevelSprites(const Level* level) {
    SpriteCache* cache = &world.spriteCache;
    world.mapSpritesZoom = 0.0f;
    if (!SpriteCache_Init(cache, level->objectCapacity, kSpriteCacheBudgetBytes)) return;
    if (level->goal && level->goal->object && world.winZoom > 0.0f) {
        // Once the close-up holds its zoom, the camera is at most halfway from
        // the goal to the ship, which touched the goal and is being pulled onto
        // it: half the window's diagonal and a margin cover what it shows. An
        // object outside is still drawn, only directly. Planned first so that
        // normal play's sprites, planned after, go ahead of it.
        const float w = static_cast<float>(TS_System_GetWindowWidth());
        const float h = static_cast<float>(TS_System_GetWindowHeight());
        const float radius = 0.5f * std::sqrt(w * w + h * h) / world.winZoom + kCloseUpMargin;
        SpriteCache_PlanNear(cache, level, SPRITE_STEP_CAPTURE, world.winZoom,
                             level->goal->object->position, radius);
    }
    const TS_Vec2 start = world.ship.body ? world.ship.body->position : TS_Vec2{0.0f, 0.0f};
    SpriteCache_PlanLevel(cache, level, SPRITE_STEP_PLAY, world.defaultZoom, start);
}

}  // namespace

void SetupWorld(const Level* level) {
    // A gameplay screen starts from a clean World: nothing of the last screen's
    // flight (a key flag, an open map, a kick) carries over.
    world = World{};
    SetupShip(&world.ship);
    SetupCompass(&world.compass);
    SetupFlames();

    world.camera.position = TS_Vec2{0.0f, 0.0f};
    world.camera.zoom = 1.0f;
    Camera_UpdateMatrices(&world.camera);
    world.defaultZoom = world.camera.zoom;
    world.winZoom = world.defaultZoom * 1.5f;

    world.cameraFollow.target = world.ship.body ? &world.ship.body->position : nullptr;
    world.cameraFollow.camera = &world.camera;

    world.thrustSound = GetSound(SOUND_THRUSTER);
    world.turnSound = GetSound(SOUND_ADJUSTER);
    GetSound(SOUND_WARNING);
    world.thrustSoundOn = 0;
    world.turnSoundOn = 0;

    StartLevel(level);

    world.levelComplete = 0;
    world.stranded = 0;
    world.winSpinStarted = 0;
    world.phase = world.level.goal ? PHASE_INTRO : PHASE_FLYING;
    world.levelScore = 0;
    world.totalScore = 0;
    world.reloadLevel = nullptr;
}

void StartLevel(const Level* level) {
    world.level = *level;
    const uint32_t flags = level->flags;
    world.ship.unlimitedFuel = (flags & LEVEL_UNLIMITED_FUEL) ? 1 : 0;
    world.ship.canTurn = (flags & LEVEL_NO_TURNING) ? 0 : 1;
    world.ship.halfSpeed = (flags & LEVEL_HALF_SPEED) ? 1 : 0;
    if (world.ship.fuel) {
        // Nothing has been lost yet: no loss trail over the starting tank.
        world.ship.fuel->fuel = level->startFuel;
        world.ship.fuel->trail = level->startFuel;
        world.ship.fuel->trailDelay = 0.0f;
    }
    if (world.ship.body) world.ship.body->rotation = level->startRotation;

    if (level->goal && level->goal->object) {
        world.phase = PHASE_INTRO;
        world.camera.position = level->goal->object->position;
        Camera_UpdateMatrices(&world.camera);
        // The map view shows the whole level: fit its longer side to the window.
        const Bounds& b = level->bounds;
        const float extentX = b.maxX - b.minX;
        const float extentY = b.maxY - b.minY;
        const float fit = extentX > extentY
                              ? static_cast<float>(TS_System_GetWindowWidth()) / extentX
                              : static_cast<float>(TS_System_GetWindowHeight()) / extentY;
        world.mapZoom = fit - 0.1f;
        // A level wider than about 12,800 units leaves the margin no zoom at
        // all: it still fits, with a tenth of the window to spare.
        if (!(world.mapZoom > 0.0f)) world.mapZoom = fit * kWideMapFraction;
        // Never closer than normal play (a level smaller than the window), and
        // never zero or inverted (a degenerate box).
        if (!(world.mapZoom <= world.defaultZoom)) world.mapZoom = world.defaultZoom;
        if (!(world.mapZoom > 0.0f)) world.mapZoom = world.defaultZoom;
        world.introTimer = 0.0f;
        world.levelCentre = TS_Vec2{b.maxX * 0.5f + b.minX * 0.5f, b.maxY * 0.5f + b.minY * 0.5f};
    } else {
        world.phase = PHASE_FLYING;
    }
    world.kickState = 0;
    world.levelScore = 0;
    world.levelTime = 0.0f;
    PlanLevelSprites(level);
    // Every attempt starts on a fresh step clock, so its steps (and a replay
    // of it) count from its own start.
    world.stepClock = kWorldStepClockRest;
    world.stepCount = 0;
    world.keys = StepKeys{};
    world.pressed = StepKeys{};
    if (world.recording) World_RecordInto(world.recording);
    if (world.ghost) Ghost_Restart(world.ghost, level);
}

bool World_SetGhostRun(const Replay* run, const Level* level) {
    Ghost_Free(world.ghost);
    world.ghost = run ? Ghost_Create(run, level) : nullptr;
    return world.ghost && Ghost_Visible(world.ghost);
}

void World_PrepareSprites(void) {
    Ghost_PrepareSprites(world.ghost, world.defaultZoom);
    if (SpriteCache_Pending(&world.spriteCache) == 0) return;
    const SpriteBudget budget = SpriteBudget_Start();
    SpriteCache_PrepareWithin(&world.spriteCache, &world.level, &budget);
}

void World_Reset(void) {
    Ship& ship = world.ship;
    ship.thrust = TS_Vec2{0.0f, 5.0f};
    ship.velocity = TS_Vec2{0.0f, 0.0f};
    ship.halfSpeed = 0;
    if (ship.body) {
        ship.body->position = TS_Vec2{0.0f, 0.0f};
        ship.body->rotation = 0.0f;
    }
    if (ship.fuel) {
        ship.fuel->shown = ship.fuel->min;
        ship.fuel->fuel = 100.0f;
        ship.fuel->trailDelay = 0.0f;
    }
    world.thrustHeld = 0;
    world.turnLeftHeld = 0;
    world.turnRightHeld = 0;
    world.levelTime = 0.0f;
    world.emptyTankTime = 0.0f;
    // A map held open when the player restarted is closed: the new attempt
    // flies from its first step, not after the camera slides back.
    world.mapState = MAP_OFF;
    world.mapTimer = 0.0f;
    world.phase = PHASE_INTRO;
    world.levelComplete = 0;
    world.stranded = 0;
    world.levelScore = 0;
    // A restart from the results of a finished capture starts a fresh one.
    world.winSpinStarted = 0;
    world.winSpinSpeed = 0.0f;
    world.winTimer = 0.0f;
    world.kickState = 0;
    for (Shape* flame : world.flameShapes) {
        if (flame && flame->type == SHAPE_SHEET_ANIMATION && flame->params) {
            static_cast<SheetAnimation*>(flame->params)->elapsed = 0.0f;
        }
    }
}

void TeardownWorld(void) {
    Ghost_Free(world.ghost);
    world.ghost = nullptr;
    world.keySource = nullptr;
    Ship& ship = world.ship;
    std::free(ship.fuel);
    ship.fuel = nullptr;
    FreeOwnedObject(&ship.body);
    FreeSpriteImage(SPRITE_PLAYER);

    FreeOwnedObject(&world.compass.arrow);
    FreeSpriteImage(SPRITE_COMPASS_ARROW);

    for (int i = 0; i < FLAME_COUNT; ++i) {
        FreeOwnedShape(world.flameShapes[i]);
        world.flameShapes[i] = nullptr;
        FreeGameObject(world.flames[i]);
        world.flames[i] = nullptr;
        FreeFlameStrip(i);
        world.flameImages[i] = nullptr;
    }

    FreeSound(SOUND_THRUSTER);
    FreeSound(SOUND_ADJUSTER);
    FreeSound(SOUND_WARNING);
    FreeSounds();
    world.thrustSound = nullptr;
    world.turnSound = nullptr;

    world.cameraFollow.target = nullptr;
    world.reloadLevel = nullptr;
    SpriteCache_Free(&world.spriteCache);
    InitLevel(&world.level);
}
