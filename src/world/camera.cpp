// The camera's matrices, following the ship, and the three camera moves of a
// flying level: the intro fly-over, the map view and the kick after a hard hit.
#include "world/camera.h"

#include <cmath>

#include "world/world.h"

namespace {

const float kKickOutSeconds = 0.1f;
const float kKickBackSeconds = 0.2f;

// Out to the map zoom and back in over t in [0, 1].
float ZoomArc(float t) {
    const double arc = std::sin(static_cast<double>(t) * TS_PI);
    return world.defaultZoom + (world.mapZoom - world.defaultZoom) * static_cast<float>(arc);
}

TS_Vec2 ShipPosition(void) {
    return world.ship.body ? world.ship.body->position : TS_Vec2{0.0f, 0.0f};
}

}  // namespace

void Camera_UpdateMatrices(Camera* camera) {
    const float width = static_cast<float>(TS_System_GetWindowWidth());
    const float height = static_cast<float>(TS_System_GetWindowHeight());
    const TS_Matrix toCamera = TS_Matrix_Translate(TS_Vector_Negate(camera->position));
    const TS_Matrix flipY =
        TS_Matrix_FromVector(TS_Vec2{1.0f, 0.0f}, TS_Vec2{0.0f, -1.0f}, TS_Vec2{0.0f, 0.0f});
    const TS_Matrix scale = TS_Matrix_Scale(TS_Vec2{camera->zoom, camera->zoom});
    const TS_Matrix toCentre = TS_Matrix_Translate(TS_Vec2{width * 0.5f, height * 0.5f});
    camera->worldToScreen = TS_Matrix_Multiply(
        toCentre, TS_Matrix_Multiply(scale, TS_Matrix_Multiply(flipY, toCamera)));
    camera->screenToWorld = TS_Matrix_Inverse(camera->worldToScreen);
}

void CameraFollow_Update(void) {
    CameraFollow& follow = world.cameraFollow;
    if (!follow.target || !follow.camera) return;
    follow.camera->position = *follow.target;
    Camera_UpdateMatrices(follow.camera);
}

TS_Vec2 LerpVector(TS_Vec2 a, TS_Vec2 b, float t) {
    t = TS_Math_ClampFloat(t, 0.0f, 1.0f);
    const TS_Vec2 d = TS_Vector_Subtract(b, a);
    if (TS_Vector_DotProduct(d, d) <= 1.4210855e-14f) return a;
    return TS_Vector_Add(a, TS_Vector_Scale(d, t));
}

void World_UpdateIntro(void) {
    Camera& camera = world.camera;
    const TS_Vec2 goal = world.level.goal->object->position;
    float t = 0.0f;
    const bool over = IntroClock_Step(&world.introTimer, world.keys.skip, &t);
    camera.position = LerpVector(goal, ShipPosition(), t);
    camera.zoom = ZoomArc(t);
    if (over) {
        world.phase = PHASE_FLYING;
        camera.position = ShipPosition();
        camera.zoom = world.defaultZoom;
    }
    Camera_UpdateMatrices(&camera);
}

bool World_UpdateMapView(void) {
    Camera& camera = world.camera;
    const float span = world.mapZoom - world.defaultZoom;
    const int32_t before = world.mapState;
    const float t = MapClock_Step(&world.mapState, &world.mapTimer, world.keys.map);
    if (world.keys.map) {
        if (before == MAP_OFF) world.mapReturnPos = camera.position;
        if (t < 1.0f) {
            camera.zoom = world.defaultZoom + span * t;
            camera.position = LerpVector(world.mapReturnPos, world.levelCentre, t);
            Camera_UpdateMatrices(&camera);
        } else if (world.mapSpritesZoom != camera.zoom) {
            // Held open: the level's sprites at this zoom are planned once, and
            // made over the next frames (centre first) before each draws.
            SpriteCache_PlanLevel(&world.spriteCache, &world.level, SPRITE_STEP_MAP, camera.zoom,
                                  world.levelCentre);
            world.mapSpritesZoom = camera.zoom;
        }
    } else if (before != MAP_OFF) {
        if (t < 1.0f) {
            camera.zoom = world.mapZoom - span * t;
            camera.position = LerpVector(world.levelCentre, world.mapReturnPos, t);
            Camera_UpdateMatrices(&camera);
        }
    } else {
        camera.zoom = world.defaultZoom;
    }
    return world.mapState != MAP_OFF;
}

void World_StartCameraKick(TS_Vec2 velocity) {
    world.kickVelocity = velocity;
    world.kickState = 1;
    world.kickTimer = 0.0f;
}

void World_UpdateCamera(void) {
    if (world.kickState == 0) {
        CameraFollow_Update();
        return;
    }
    Camera& camera = world.camera;
    world.kickTimer += kWorldStepSeconds;
    if (world.kickState == 1) {
        // Overshoot along the old flight line, a full velocity step per frame.
        camera.position = TS_Vector_Add(camera.position, world.kickVelocity);
        if (world.kickTimer > kKickOutSeconds) {
            world.kickState = 2;
            world.kickStart = camera.position;
            world.kickTimer = 0.0f;
        }
    } else {
        const float t = world.kickTimer / kKickBackSeconds;
        camera.position = LerpVector(world.kickStart, ShipPosition(), t);
        if (t >= 1.0f) {
            world.kickState = 0;
            camera.position = ShipPosition();
        }
    }
    Camera_UpdateMatrices(&camera);
}
