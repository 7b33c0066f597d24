// The camera that turns world points into window pixels and back, the record
// that keeps it on the ship, and the camera effects of a flying level: the
// intro fly-over, the map view on M and the kick after a hard hit.
#pragma once

#include <cstdint>

#include "platform/tessera.h"

struct Camera {
    TS_Vec2 position;         // world point shown at the centre of the window
    float zoom;               // window pixels per world unit
    TS_Matrix worldToScreen;  // valid after Camera_UpdateMatrices
    TS_Matrix screenToWorld;  // inverse of worldToScreen
};

// Keeps a camera exactly on a point (the ship).
struct CameraFollow {
    TS_Vec2* target;
    Camera* camera;
};

// Rebuilds both matrices from the position, the zoom and the current window
// size. World y points up, window y down: (x, y) lands at
// (W/2 + zoom (x - px), H/2 - zoom (y - py)).
void Camera_UpdateMatrices(Camera* camera);

// One follow step of the World's follow record: snap onto the target and
// rebuild the matrices. Does nothing while either pointer is null.
void CameraFollow_Update(void);

// a + (b - a) t with t clamped to [0, 1]; a itself when a and b (nearly) coincide.
TS_Vec2 LerpVector(TS_Vec2 a, TS_Vec2 b, float t);

// One step of the intro's clock: `progress` is how far the fly-over has come
// (1 and over: there). Returns whether the intro is over, on its timer or on X.
bool IntroClock_Step(float* timer, uint8_t skip, float* progress);
// One step of the map view's clock (MAP_* state and its timer) on whether M is
// held: opening while held, closing after. Returns how far the opening or the
// closing has come, 0 to 1; the map is off again once a closing reaches 1,
// and that step flies. While the state is not MAP_OFF after the step, the
// level stands still.
float MapClock_Step(int32_t* state, float* timer, uint8_t mapHeld);

// The intro fly-over from the goal to the ship (phase 0); X skips it.
void World_UpdateIntro(void);
// The map view held on M, first step of every flying frame. Returns true while
// the map is open or closing: the rest of the flying frame then stands still.
bool World_UpdateMapView(void);
// After the collisions of a flying frame: the follow, or the kick when one runs.
void World_UpdateCamera(void);
// Starts (or restarts) the camera kick in the direction the ship was flying.
void World_StartCameraKick(TS_Vec2 velocity);
