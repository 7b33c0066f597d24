// Two figures measured inside the bench: the flight frame against the number
// of objects in a level built in memory, and the slowest frames while the
// main menu and a level are entered.
#include <cstdlib>
#include <string>

#include "app/screens.h"
#include "bench/bench.h"
#include "level/kind_shapes.h"
#include "level/level.h"
#include "play/campaign_start.h"
#include "world/draw.h"
#include "world/world.h"

namespace {

// ---- Cost against level size ----------------------------------------------

// The flying frame as a gameplay screen draws it, without the screen around.
void FlightFrame(void) {
    World_Update();
    TS_Settings_Background(TS_Color_Create(0, 0, 0, 0));
    DrawWorld();
}

void Idle(void) {}

// A level of `count` asteroids, walls and fuel cells on a jittered grid, one
// every 500 units each way, so a level ten times larger covers ten times the
// area at the same density and the view holds about as many objects. The
// start is kept clear; fuel is unlimited and the ship cannot be stranded.
bool BuildSpreadLevel(Level* level, int count) {
    InitLevel(level);
    level->flags = LEVEL_UNLIMITED_FUEL | LEVEL_NO_STRANDING;
    level->objects = static_cast<LevelObject**>(std::calloc(count, sizeof(LevelObject*)));
    if (!level->objects) return false;
    level->objectCapacity = static_cast<uint64_t>(count);
    int side = 1;
    while (side * side < count + 1) ++side;
    const ObjectKind kinds[3] = {KIND_ASTEROID, KIND_WALL, KIND_FUEL_CELL};
    unsigned seed = 12345u;
    auto next = [&seed]() {
        seed = seed * 1103515245u + 12345u;
        return static_cast<float>((seed >> 8) & 0xffff) / 65535.0f;
    };
    int placed = 0;
    for (int cell = 0; placed < count; ++cell) {
        const int column = cell % side - side / 2;
        const int row = cell / side - side / 2;
        if (column == 0 && row == 0) continue;
        const TS_Vec2 at = {column * 500.0f + next() * 200.0f, row * 500.0f + next() * 200.0f};
        const float extent = 50.0f + next() * 60.0f;
        level->objects[placed] =
            CreateLevelObject(kinds[placed % 3], at, next() * 360.0f, TS_Vec2{extent, extent});
        if (!level->objects[placed]) return false;
        ++placed;
    }
    level->bounds = Level_ComputeBounds(level);
    return true;
}

BenchRow LevelSizeRow(const BenchOptions& options, int count) {
    BenchRow row;
    row.figure = "level size " + std::to_string(count) + " objects";
    Bench_StartFramework(BenchSize{1280, 720});
    BuildKindShapes();
    Level level = {};
    if (BuildSpreadLevel(&level, count)) {
        SetupWorld(&level);
        TS_Engine_SetNextGameState(nullptr, FlightFrame, nullptr);
        Automation_RunFrames(1);
        Automation_KeyDown(TS_KEY_SPACE);
        Automation_KeyDown(TS_KEY_UP);
        Automation_KeyDown(TS_KEY_RIGHT);
        Automation_KeyDown(TS_KEY_W);
        Automation_KeyDown(TS_KEY_D);
        row = Bench_RowOf(row.figure, Bench_RunFrames(options, nullptr));
        if (world.phase != PHASE_FLYING) row.failure = "the flight ended";
        TS_Engine_SetNextGameState(nullptr, Idle, nullptr);
        Automation_RunFrames(1);
        TeardownWorld();
    } else {
        row.failure = "no memory for the level";
    }
    if (row.failure.empty() && Bench_FailedDraws() > 0) {
        row.failure = std::to_string(Bench_FailedDraws()) +
                      " drawing calls failed, first: " + Bench_FirstDrawFailure();
    }
    FreeLevel(&level);
    FreeKindShapes();
    Bench_StopFramework();
    return row;
}

// ---- Entering the main menu and a level -------------------------------------

struct EntryTimes {
    double splash = 0;    // slowest frame of the splash
    double mainMenu = 0;  // slowest frame from the splash's end into the menu
    double level = 0;     // slowest frame from the menu into level_8
    std::string failure;
};

const int kFramesAfterEntry = 30;

double TimedFrame(void) {
    const double start = Bench_WallSeconds();
    Automation_RunFrames(1);
    return Bench_WallSeconds() - start;
}

// The game's own start (Startup, the splash, the menu music) into the main
// menu, then the campaign at level_8, each frame timed by the wall clock.
EntryTimes EnterMenuAndLevel(void) {
    EntryTimes times;
    Bench_StartFramework(BenchSize{1280, 720});
    Screen_Switch(Screen::Startup);
    bool inMenu = false;
    int menuFrames = 0;
    for (int frame = 0; frame < 2000 && menuFrames < kFramesAfterEntry; ++frame) {
        const double took = TimedFrame();
        const std::string screen = Screen_CurrentName();
        if (!inMenu && (screen == "MenuMusic" || screen == "MainMenu")) inMenu = true;
        if (inMenu) {
            if (took > times.mainMenu) times.mainMenu = took;
            ++menuFrames;
        } else if (screen == "Splash" && took > times.splash) {
            times.splash = took;
        }
    }
    if (std::string(Screen_CurrentName()) != "MainMenu") {
        times.failure = std::string("the start ended on ") + Screen_CurrentName();
    }
    campaignStartIndex = 6 + 7;
    Screen_Switch(Screen::Campaign);
    for (int frame = 0; frame < kFramesAfterEntry; ++frame) {
        const double took = TimedFrame();
        if (took > times.level) times.level = took;
    }
    if (times.failure.empty() && std::string(Screen_CurrentName()) != "Campaign") {
        times.failure = std::string("level_8 did not start: ") + Screen_CurrentName();
    }
    if (times.failure.empty() && Bench_FailedDraws() > 0) {
        times.failure = std::to_string(Bench_FailedDraws()) +
                        " drawing calls failed, first: " + Bench_FirstDrawFailure();
    }
    Bench_StopFramework();
    return times;
}

BenchRow EntryRow(const std::string& figure, const std::vector<double>& seconds,
                  const std::string& failure) {
    BenchRow row;
    row.figure = figure;
    row.samples = static_cast<int>(seconds.size());
    row.p50 = Bench_Quantile(seconds, 0.5) * 1e3;
    row.p99 = Bench_Quantile(seconds, 1.0) * 1e3;  // the worst start
    row.failure = failure;
    return row;
}

}  // namespace

bool Bench_LevelSize(const BenchOptions& options) {
    bool sound = true;
    for (int count : {100, 1000, 10000}) {
        if (!Bench_Wanted(options, "level size " + std::to_string(count) + " objects")) continue;
        const BenchRow row = LevelSizeRow(options, count);
        Bench_Print(options, row);
        sound = sound && row.failure.empty();
    }
    return sound;
}

bool Bench_Entry(const BenchOptions& options) {
    const char* const names[3] = {"entry: slowest splash frame", "entry: slowest main menu frame",
                                  "entry: slowest level_8 frame"};
    bool wanted = false;
    for (const char* name : names) wanted = wanted || Bench_Wanted(options, name);
    if (!wanted) return true;
    std::vector<double> splash, menu, level;
    std::string failure;
    for (int i = 0; i < options.entryRepeats; ++i) {
        const EntryTimes times = EnterMenuAndLevel();
        if (failure.empty()) failure = times.failure;
        splash.push_back(times.splash);
        menu.push_back(times.mainMenu);
        level.push_back(times.level);
    }
    const std::vector<double>* series[3] = {&splash, &menu, &level};
    for (int i = 0; i < 3; ++i) {
        if (Bench_Wanted(options, names[i])) {
            Bench_Print(options, EntryRow(names[i], *series[i], failure));
        }
    }
    return failure.empty();
}
