// The frame pacer: an even 60 frames a second whatever the display's refresh,
// and frame times that add up to the time that really passed.
#include "platform/frame_pacer.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

const int64_t kMs = 1000000;  // nanoseconds
const int64_t kPeriod60 = 16666667;

// A display that refreshes every `refresh` ns from time 0.
int64_t NextRefresh(int64_t t, int64_t refresh) { return (t / refresh + 1) * refresh; }

struct PacedRun {
    float totalDt = 0.0f;
    float minDt = 1.0f;
    float maxDt = 0.0f;
    int64_t elapsed = 0;
};

// The frame loop as the engine runs it: the frame's work, the present (which
// waits for the display's next refresh under a vertical sync), then the pacer's
// sleep, which wakes `lateBy` after the time asked for.
PacedRun Simulate(int frames, int64_t work, int64_t refresh, bool vsync, int64_t lateBy) {
    const float refreshHz = refresh > 0 ? 1e9f / static_cast<float>(refresh) : 0.0f;
    const bool vsyncPaces = vsync && FramePacer_VsyncPaces(refreshHz, 60.0f);
    FramePacer pacer;
    int64_t t = 5 * kMs;
    FramePacer_Start(&pacer, t, 60.0f);
    PacedRun run;
    for (int i = 0; i < frames; ++i) {
        t += work;
        if (vsync) t = NextRefresh(t, refresh);
        const int64_t wake = FramePacer_WakeTime(&pacer, vsyncPaces);
        if (wake > t) t = wake + lateBy;
        const float dt = FramePacer_EndFrame(&pacer, t);
        run.totalDt += dt;
        if (dt < run.minDt) run.minDt = dt;
        if (dt > run.maxDt) run.maxDt = dt;
    }
    run.elapsed = t - 5 * kMs;
    return run;
}

TEST(FramePacerTest, LateWakeupsKeepTheCadence) {
    FramePacer pacer;
    FramePacer_Start(&pacer, 0, 60.0f);
    EXPECT_EQ(pacer.period, kPeriod60);
    EXPECT_EQ(FramePacer_WakeTime(&pacer, false), kPeriod60);
    // Woken 0.3 ms late: the next frame is still due on the 1/60 s grid.
    FramePacer_EndFrame(&pacer, kPeriod60 + 300000);
    EXPECT_EQ(pacer.deadline, 2 * kPeriod60);
    // A frame that overran by less than a period is caught up with...
    FramePacer_EndFrame(&pacer, 2 * kPeriod60 + 10 * kMs);
    EXPECT_EQ(pacer.deadline, 3 * kPeriod60);
    // ...one that overran by a whole period or more starts afresh.
    const int64_t hitch = 3 * kPeriod60 + 40 * kMs;
    // The frame time still says how long it really took.
    EXPECT_NEAR(FramePacer_EndFrame(&pacer, hitch), (kPeriod60 + 30 * kMs) / 1e9, 1e-6);
    EXPECT_EQ(pacer.deadline, hitch + kPeriod60);
}

TEST(FramePacerTest, VsyncPacesOnlyDisplaysNoFasterThanTheGame) {
    EXPECT_TRUE(FramePacer_VsyncPaces(60.0f, 60.0f));
    EXPECT_TRUE(FramePacer_VsyncPaces(59.94f, 60.0f));
    EXPECT_TRUE(FramePacer_VsyncPaces(30.0f, 60.0f));
    EXPECT_FALSE(FramePacer_VsyncPaces(75.0f, 60.0f));
    EXPECT_FALSE(FramePacer_VsyncPaces(144.0f, 60.0f));
    EXPECT_FALSE(FramePacer_VsyncPaces(0.0f, 60.0f));  // unknown: the pacer sleeps
}

TEST(FramePacerTest, RefreshRateNeverChangesTheGameSpeed) {
    struct Display {
        const char* name;
        int64_t refresh;
        float frameTime;  // what every frame should measure
    };
    const Display displays[] = {
        {"software renderer", 0, 1.0f / 60.0f}, {"60 Hz", kPeriod60, 1.0f / 60.0f},
        {"59.94 Hz", 16683350, 0.01668335f},    {"144 Hz", 6944444, 1.0f / 60.0f},
        {"30 Hz", 33333333, 1.0f / 30.0f},
    };
    for (const Display& display : displays) {
        const bool vsync = display.refresh > 0;
        const PacedRun run = Simulate(1200, 4 * kMs, display.refresh, vsync, 80000);
        // The world moves by the time that really passed...
        EXPECT_NEAR(run.totalDt, static_cast<float>(run.elapsed) / 1e9f, 0.002f) << display.name;
        // ...at the game's rate (or the display's, when that is slower).
        EXPECT_NEAR(run.totalDt / 1200.0f, display.frameTime, 0.0002f) << display.name;
        if (display.refresh != 6944444) {
            // Even frames, one per refresh: none is held over to the next one.
            EXPECT_NEAR(run.maxDt, display.frameTime, 0.0002f) << display.name;
        }
    }
}

TEST(FramePacerTest, SleepWakesAtTheDeadline) {
    const int64_t deadline = Clock_Nanoseconds() + 2 * kMs;
    Clock_SleepUntil(deadline);
    const int64_t woke = Clock_Nanoseconds();
    EXPECT_GE(woke, deadline);
    EXPECT_LT(woke - deadline, 50 * kMs);  // generous: the test machine may be busy
}

}  // namespace
