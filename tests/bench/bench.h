// The frame benchmark's shared pieces: its options, the rows of the table it
// prints, clocks, a fresh framework for every run and a measured run of frames.
#pragma once

#include <string>
#include <vector>

#include "platform/automation.h"

struct BenchSize {
    int width;
    int height;
};

struct BenchOptions {
    int frames = 3000;                 // measured frames per screen
    int warmup = 120;                  // frames run before measuring
    double budgetSeconds = 30;         // a run stops early once its frames cost this much CPU
    int entryRepeats = 5;              // fresh starts for the entry hitches
    int launches = 10;                 // game launches for the first frame
    double idleSeconds = 4;            // measured stretch of the idle main menu
    std::vector<std::string> figures;  // empty: all of them
    std::string only;                  // only rows whose name contains this
    std::vector<BenchSize> sizes = {{1280, 720}, {1920, 1080}};
    bool tsv = false;    // machine-readable rows (for scripts/bench-compare)
    std::string shots;   // a folder for each screen's last frame, or empty
    std::string folder;  // where the bench lives: the game, the probe, Assets
};

// One row of the table. Times are milliseconds; the idle row is % of a core.
struct BenchRow {
    std::string figure;
    double p50 = 0;
    double p99 = 0;
    double allocs = -1;  // heap allocations per frame; -1 where not counted
    int samples = 0;
    std::string unit = "ms";
    std::string failure;  // empty when the run was sound
};

// Prints one row at once, so a long run shows its progress.
void Bench_Print(const BenchOptions& options, const BenchRow& row);
// Whether a row of this name is wanted (the --only filter).
bool Bench_Wanted(const BenchOptions& options, const std::string& figure);

double Bench_ThreadSeconds(void);  // this thread's CPU time
double Bench_WallSeconds(void);    // a monotonic clock
// The q-th quantile (0..1) by nearest rank; 0 for no samples.
double Bench_Quantile(std::vector<double> samples, double q);

// A fresh framework with the game's screen table, a window of the size
// given and no sound log; Bench_StopFramework leaves the screen (its exit
// frees what it made) and shuts everything down again.
void Bench_StartFramework(BenchSize size);
void Bench_StopFramework(void);
// Runs one empty frame so that the screen that was running exits.
void Bench_LeaveScreen(void);
void Bench_TapKey(int key);

// Runs warm-up then measured frames, each a whole engine frame timed as
// thread CPU time with its heap allocations counted. `beforeFrame` (may be
// null) runs untimed before every frame.
struct FrameRun {
    std::vector<double> seconds;
    long allocations = 0;
};
FrameRun Bench_RunFrames(const BenchOptions& options, void (*beforeFrame)(void));
// The row for a run: p50/p99 in ms and allocations per frame.
BenchRow Bench_RowOf(const std::string& figure, const FrameRun& run);

// Failed drawing calls so far, or 0 where the framework cannot tell.
long Bench_FailedDraws(void);
std::string Bench_FirstDrawFailure(void);

// The figures; each prints its own rows and returns false when one failed.
bool Bench_Screens(const BenchOptions& options);
bool Bench_LevelSize(const BenchOptions& options);
bool Bench_Entry(const BenchOptions& options);
bool Bench_Idle(const BenchOptions& options);
bool Bench_FirstFrame(const BenchOptions& options);
