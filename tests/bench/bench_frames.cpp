// The benchmark's measured frames: clocks, quantiles, a fresh framework for
// each run, and the table rows it prints.
#include <time.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/assets.h"
#include "app/config.h"
#include "app/screens.h"
#include "bench/bench.h"
#include "game/game.h"
#include "support/malloc_counter.h"

namespace {

void Idle(void) {}

double Seconds(clockid_t clock) {
    timespec now = {};
    clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

}  // namespace

double Bench_ThreadSeconds(void) { return Seconds(CLOCK_THREAD_CPUTIME_ID); }
double Bench_WallSeconds(void) { return Seconds(CLOCK_MONOTONIC); }

double Bench_Quantile(std::vector<double> samples, double q) {
    if (samples.empty()) return 0.0;
    std::sort(samples.begin(), samples.end());
    size_t rank = static_cast<size_t>(std::ceil(q * static_cast<double>(samples.size())));
    if (rank < 1) rank = 1;
    return samples[std::min(rank, samples.size()) - 1];
}

bool Bench_Wanted(const BenchOptions& options, const std::string& figure) {
    return options.only.empty() || figure.find(options.only) != std::string::npos;
}

void Bench_Print(const BenchOptions& options, const BenchRow& row) {
    if (options.tsv) {
        if (!row.failure.empty()) {
            std::printf("%s\tFAILED\t%s\n", row.figure.c_str(), row.failure.c_str());
        } else {
            std::printf("%s\t%.4f\t%.4f\t%.2f\t%s\t%d\n", row.figure.c_str(), row.p50, row.p99,
                        row.allocs, row.unit.c_str(), row.samples);
        }
    } else if (!row.failure.empty()) {
        std::printf("%-34s FAILED: %s\n", row.figure.c_str(), row.failure.c_str());
    } else {
        char allocs[32] = "-";
        if (row.allocs >= 0) std::snprintf(allocs, sizeof allocs, "%.1f", row.allocs);
        std::printf("%-34s %9.3f %9.3f %-3s %12s %8d\n", row.figure.c_str(), row.p50, row.p99,
                    row.unit.c_str(), allocs, row.samples);
    }
    std::fflush(stdout);
    if (!row.failure.empty()) {
        std::fprintf(stderr, "vexal_bench: %s FAILED: %s\n", row.figure.c_str(),
                     row.failure.c_str());
    }
}

void Bench_StartFramework(BenchSize size) {
    Settings_ResetForTests();
    AutomationOptions options;
    options.displayWidth = size.width;
    options.displayHeight = size.height;
    Automation_Start(options);
    // The sound log grows with every play; the game keeps no such record.
    Automation_LogSounds(false);
    Game_DefineScreens();
    userConfig.fullscreen = false;
    TS_System_SetWindowSize(size.width, size.height);
    Automation_MouseMove(1, 1);
}

void Bench_LeaveScreen(void) {
    // A screen that itself asks for a change can overrule the request once.
    for (int i = 0; i < 5 && TS_Engine_CurrentUpdate() != Idle; ++i) {
        TS_Engine_SetNextGameState(nullptr, Idle, nullptr);
        Automation_RunFrames(1);
    }
}

void Bench_StopFramework(void) {
    Bench_LeaveScreen();
    Game_Finish();
#ifndef VEXAL_AUTOMATION_FAILED_DRAWS
    // Older games kept their caches across a shutdown; empty them by hand so
    // that every run draws with live pictures.
    FreeSpriteImages();
    FreeSounds();
#endif
    Automation_Stop();
}

void Bench_TapKey(int key) {
    Automation_KeyDown(key);
    Automation_RunFrames(1);
    Automation_KeyUp(key);
    Automation_RunFrames(1);
}

long Bench_FailedDraws(void) {
#ifdef VEXAL_AUTOMATION_FAILED_DRAWS
    return Automation_FailedDrawCount();
#else
    return 0;
#endif
}

std::string Bench_FirstDrawFailure(void) {
#ifdef VEXAL_AUTOMATION_FAILED_DRAWS
    return Automation_FirstDrawFailure();
#else
    return "";
#endif
}

FrameRun Bench_RunFrames(const BenchOptions& options, void (*beforeFrame)(void)) {
    FrameRun run;
    // A slow frame (a level of 10,000 objects) warms up in fewer frames: at
    // most a quarter of the budget, but never fewer than two.
    const double warmupEnd = Bench_ThreadSeconds() + options.budgetSeconds * 0.25;
    for (int i = 0; i < options.warmup && (i < 2 || Bench_ThreadSeconds() < warmupEnd); ++i) {
        if (beforeFrame) beforeFrame();
        Automation_RunFrames(1);
    }
    run.seconds.reserve(static_cast<size_t>(options.frames));
    double spent = 0.0;
    for (int i = 0; i < options.frames && spent < options.budgetSeconds; ++i) {
        if (beforeFrame) beforeFrame();
        const double start = Bench_ThreadSeconds();
        MallocCounter_Start();
        Automation_RunFrames(1);
        run.allocations += MallocCounter_Stop();
        const double took = Bench_ThreadSeconds() - start;
        run.seconds.push_back(took);
        spent += took;
    }
    return run;
}

BenchRow Bench_RowOf(const std::string& figure, const FrameRun& run) {
    BenchRow row;
    row.figure = figure;
    row.samples = static_cast<int>(run.seconds.size());
    row.p50 = Bench_Quantile(run.seconds, 0.50) * 1e3;
    row.p99 = Bench_Quantile(run.seconds, 0.99) * 1e3;
    if (MallocCounter_Available() && row.samples > 0) {
        row.allocs = static_cast<double>(run.allocations) / row.samples;
    }
    return row;
}
