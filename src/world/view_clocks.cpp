// The clocks of the intro fly-over and of the map view, stepped on a step's
// keys alone: the World moves its camera by them, and a ghost replaying a run
// uses them to know which of its steps fly.
#include "world/camera.h"
#include "world/world.h"

namespace {

const float kIntroSeconds = 2.0f;
const float kMapSeconds = 0.25f;

float MapProgress(float timer) { return TS_Math_ClampFloat(timer / kMapSeconds, 0.0f, 1.0f); }

}  // namespace

bool IntroClock_Step(float* timer, uint8_t skip, float* progress) {
    *timer += kWorldStepSeconds;
    *progress = *timer / kIntroSeconds;
    return *progress >= 1.0f || skip;
}

float MapClock_Step(int32_t* state, float* timer, uint8_t mapHeld) {
    if (mapHeld) {
        if (*state == MAP_OFF) {
            *state = MAP_OPEN;
            *timer = 0.0f;
        }
        // Pressed again while closing, the map opens on the closing timer.
        *timer += kWorldStepSeconds;
        return MapProgress(*timer);
    }
    if (*state == MAP_OFF) return 0.0f;
    if (*state == MAP_OPEN) {
        *state = MAP_CLOSING;
        *timer = 0.0f;
    }
    *timer += kWorldStepSeconds;
    const float t = MapProgress(*timer);
    if (t >= 1.0f) *state = MAP_OFF;
    return t;
}
