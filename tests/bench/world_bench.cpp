// Time per frame of a full level, headless: the World's update plus the
// submission of its drawing (measured inside the frame), and the whole
// engine frame including the software renderer's present.
#include <benchmark/benchmark.h>

#include <chrono>

#include "level/kind_shapes.h"
#include "level/level.h"
#include "platform/automation.h"
#include "world/busy_level.h"
#include "world/draw.h"
#include "world/world.h"

namespace {

double frameSeconds = 0.0;

void TimedFrame() {
    const auto start = std::chrono::steady_clock::now();
    World_Update();
    TS_Settings_Background(TS_Color_Create(0, 0, 0, 0));
    DrawWorld();
    frameSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// A flying World on the full level, the ship thrusting and turning.
struct BusyWorld {
    Level level;
    BusyWorld() {
        Automation_Start();
        Automation_LogSounds(false);
        BuildKindShapes();
        const char* path = "/tmp/vexal_bench_level.vexl";
        if (FILE* file = std::fopen(path, "w")) {
            std::fputs(BusyLevelText().c_str(), file);
            std::fclose(file);
        }
        ReadLevelFile(path, &level, true);
        SetupWorld(&level);
        TS_Engine_SetNextGameState(nullptr, TimedFrame, nullptr);
        Automation_KeyDown(TS_KEY_X);
        Automation_RunFrames(1);
        Automation_KeyDown(TS_KEY_SPACE);
        Automation_KeyDown(TS_KEY_RIGHT);
        Automation_RunFrames(120);
    }
    ~BusyWorld() {
        TeardownWorld();
        FreeLevel(&level);
        FreeKindShapes();
        Automation_Stop();
    }
};

void BM_WorldUpdateAndDraw(benchmark::State& state) {
    BusyWorld busy;
    for (auto _ : state) {
        Automation_RunFrames(1);
        state.SetIterationTime(frameSeconds);
    }
}
BENCHMARK(BM_WorldUpdateAndDraw)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_WholeEngineFrame(benchmark::State& state) {
    BusyWorld busy;
    for (auto _ : state) Automation_RunFrames(1);
}
BENCHMARK(BM_WholeEngineFrame)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
