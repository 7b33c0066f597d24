// Frame pacing: when the next frame is due and how long the last one took, on
// monotonic clock readings in nanoseconds. Pure arithmetic, so the rules can
// be checked without sleeping.
#pragma once

#include <cstdint>

const int64_t kNanosecondsPerSecond = 1000000000;

struct FramePacer {
    int64_t period = 0;      // nanoseconds per frame at the set frame rate
    int64_t frameStart = 0;  // when the current frame began (the last one ended)
    int64_t deadline = 0;    // when the current frame is due to end
};

// Nanoseconds per frame at a frame rate (at least one frame a second).
int64_t FramePacer_Period(float framesPerSecond);

// The first frame begins at `now`.
void FramePacer_Start(FramePacer* pacer, int64_t now, float framesPerSecond);

// Whether presenting on a vertical sync at `refreshHz` already holds the game
// to `framesPerSecond` or below, so the pacer need not sleep: a 60 Hz or a
// 30 Hz display does, a 144 Hz one does not, an unknown rate (0) never.
bool FramePacer_VsyncPaces(float refreshHz, float framesPerSecond);

// When the frame loop may start the next frame. Normally the deadline; under
// a vertical sync that paces, three quarters of a period after the last
// frame's end, which a working sync always passes while waiting and which
// still holds the game back on a driver whose sync does not wait.
int64_t FramePacer_WakeTime(const FramePacer* pacer, bool vsyncPaces);

// Ends the frame at `now` and returns its length in seconds, the time the
// world moves by. The next deadline is one period after the last one, so a
// sleep that wakes a little late does not push every later frame back; a
// frame that overran by a whole period starts a fresh cadence from `now`
// instead of rushing frames to catch up.
float FramePacer_EndFrame(FramePacer* pacer, int64_t now);

// The monotonic clock, and an absolute sleep on it.
int64_t Clock_Nanoseconds();
void Clock_SleepUntil(int64_t deadline);
