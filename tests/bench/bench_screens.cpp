// The whole frame of every screen the player sees, at both window sizes:
// each set up afresh, run until warm, then measured frame by frame.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/config.h"
#include "app/screens.h"
#include "bench/bench.h"
#include "editor/editor.h"
#include "play/campaign_start.h"
#include "play/pause.h"
#include "support/malloc_counter.h"
#include "ui/file_chooser.h"
#include "ui/help_page.h"
#include "world/world.h"

// The ghost's row is measured where the game has a ghost; older revisions
// (scripts/bench-compare) leave it out.
#if __has_include("world/ghost.h")
#include "world/ghost.h"
#include "world/replay.h"
#define BENCH_HAS_GHOST 1
#endif

namespace {

// The heaviest shipped level: level_8 in campaign order.
const int kLevel8 = 6 + 7;
const char* const kLevel8Path = "./Assets/levels/level_8.vexl";

// What each screen's set-up leaves behind for the frames to check.
std::string setupFailure;

void Fail(const std::string& why) {
    if (setupFailure.empty()) setupFailure = why;
}

void ExpectScreen(const char* name) {
    if (std::string(Screen_CurrentName()) != name) {
        Fail(std::string("the screen is ") + Screen_CurrentName() + ", not " + name);
    }
}

void Open(Screen screen, const char* name) {
    Screen_Switch(screen);
    Automation_RunFrames(1);
    ExpectScreen(name);
}

void MainMenu(void) { Open(Screen::MainMenu, "MainMenu"); }
void LevelSelect(void) { Open(Screen::LevelSelect, "LevelSelect"); }
void Options(void) { Open(Screen::Options, "Options"); }
void Credits(void) { Open(Screen::Credits, "Credits"); }
void Help(void) {
    Help_UseAsScreen();  // as the main menu's Help button does
    Open(Screen::Help, "Help");
}

// The editor with level_8 opened through its Open command.
void Editor(void) {
    Automation_MouseMove(1200, 700);  // away from the bars and the palette
    Open(Screen::Editor, "Editor");
    FileChooser_SetAutomationAnswer(kLevel8Path, false);
    Editor_OpenCommand();
    Automation_RunFrames(1);
    if (editor.dirty || std::string(editor.titleText) == kUnsavedTitle) {
        Fail("the editor did not open level_8");
    }
}

// Flying level_8: the intro skipped, the ship thrusting and turning right.
// The tank is refilled before every frame so the flight never ends.
void Refuel(void) {
    if (world.ship.fuel) world.ship.fuel->fuel = world.ship.fuel->max;
}

void Flight(void) {
    campaignStartIndex = kLevel8;
    Open(Screen::Campaign, "Campaign");
    Bench_TapKey(TS_KEY_X);
    if (world.phase != PHASE_FLYING) Fail("level_8's intro did not end");
    Automation_KeyDown(SchemeKey(ACTION_THRUST));
    Automation_KeyDown(SchemeKey(ACTION_TURN_RIGHT));
    Automation_RunFrames(1);
}

#ifdef BENCH_HAS_GHOST
// The same flight with a ghost beside the ship: its run holds the ship's keys
// from a few steps later, so it follows the ship's path just behind it.
void FlightWithGhost(void) {
    Flight();
    Replay run;
    InitReplay(&run);
    Replay_AddEvent(&run, 0, TS_KEY_X, true);
    Replay_AddEvent(&run, 1, TS_KEY_X, false);
    Replay_AddEvent(&run, 8, TS_KEY_SPACE, true);
    Replay_AddEvent(&run, 8, TS_KEY_RIGHT, true);
    if (!World_SetGhostRun(&run, &world.level)) Fail("the ghost does not fly");
    FreeReplay(&run);  // the World keeps its own copy
}

void RefuelWithGhost(void) {
    Refuel();
    if (world.ghost) world.ghost->ship.fuel.fuel = world.ghost->ship.fuel.max;
}

bool GhostStillFlying(void) {
    return world.phase == PHASE_FLYING && world.ghost && Ghost_Visible(world.ghost) &&
           world.ghost->phase == PHASE_FLYING;
}
#endif

void Pause(void) {
    Flight();
    Automation_KeyUp(SchemeKey(ACTION_THRUST));
    Automation_KeyUp(SchemeKey(ACTION_TURN_RIGHT));
    Bench_TapKey(TS_KEY_ESCAPE);
    if (!pausePopup || !pausePopup->open) Fail("the pause menu did not open");
}

void MapView(void) {
    Flight();
    Automation_KeyDown(TS_KEY_M);
    Automation_RunFrames(1);
    if (world.mapState == MAP_OFF) Fail("the map view did not open");
}

bool StillFlying(void) { return world.phase == PHASE_FLYING; }
bool StillPaused(void) { return pausePopup && pausePopup->open && world.phase == PHASE_FLYING; }
bool MapStillOpen(void) { return world.mapState == MAP_OPEN && world.phase == PHASE_FLYING; }

struct BenchScreen {
    const char* figure;
    void (*setup)(void);
    void (*beforeFrame)(void);
    const char* screenName;  // the screen that must still run at the end
    bool (*stillThere)(void);
};

const BenchScreen kScreens[] = {
    {"main menu", MainMenu, nullptr, "MainMenu", nullptr},
    {"level select", LevelSelect, nullptr, "LevelSelect", nullptr},
    {"options", Options, nullptr, "Options", nullptr},
    {"help", Help, nullptr, "Help", nullptr},
    {"credits", Credits, nullptr, "Credits", nullptr},
    {"editor level_8", Editor, nullptr, "Editor", nullptr},
    {"flight level_8", Flight, Refuel, "Campaign", StillFlying},
#ifdef BENCH_HAS_GHOST
    {"flight level_8 with ghost", FlightWithGhost, RefuelWithGhost, "Campaign", GhostStillFlying},
#endif
    {"pause over flight", Pause, nullptr, "Campaign", StillPaused},
    {"map view level_8", MapView, Refuel, "Campaign", MapStillOpen},
};

// The last measured frame, to see that the bench measured what it says.
void SaveShot(const BenchOptions& options, const std::string& figure) {
    if (options.shots.empty()) return;
    std::string name = figure;
    for (char& c : name) {
        if (c == ' ' || c == ':') c = '_';
    }
    Automation_SaveFrame((options.shots + "/" + name + ".png").c_str());
}

// The file chooser runs frames of its own inside the editor's Open command;
// the modal hook sees the start of each, so the time between two calls is
// one whole chooser frame.
struct ChooserRun {
    const BenchOptions* options;
    FrameRun run;
    double lastStart;
    long lastCount;
    int measured;
    double spent;
    std::string figure;
} chooserRun;

void MeasureChooserFrame(int frame) {
    ChooserRun& c = chooserRun;
    const int warmup = c.options->warmup;
    if (frame < warmup) return;
    const double now = Bench_ThreadSeconds();
    const long count = MallocCounter_Count();
    if (frame == warmup) {
        MallocCounter_Start();
        c.lastStart = Bench_ThreadSeconds();
        c.lastCount = 0;
        return;
    }
    if (c.measured < c.options->frames && c.lastStart >= 0) {
        c.run.seconds.push_back(now - c.lastStart);
        c.run.allocations += count - c.lastCount;
        c.spent += now - c.lastStart;
        ++c.measured;
    }
    if (c.measured >= c.options->frames || c.spent >= c.options->budgetSeconds) {
        MallocCounter_Stop();
        SaveShot(*c.options, c.figure);
        c.lastStart = -1;
        Automation_KeyDown(TS_KEY_ESCAPE);  // the chooser closes as cancelled
        return;
    }
    c.lastCount = MallocCounter_Count();
    c.lastStart = Bench_ThreadSeconds();
}

FrameRun ChooserFrames(const BenchOptions& options, const std::string& figure) {
    // Rows to list: the player's own levels folder with a dozen files.
    const char* data = std::getenv("XDG_DATA_HOME");
    const std::string levels = std::string(data ? data : "/tmp") + "/Orrinth/Vexal/levels/";
    std::system(("mkdir -p '" + levels + "drafts'").c_str());
    for (int i = 0; i < 12; ++i) {
        const std::string path = levels + "level number " + std::to_string(i) + ".vexl";
        if (FILE* file = std::fopen(path.c_str(), "w")) std::fclose(file);
    }
    chooserRun = ChooserRun{&options, FrameRun(), -1.0, 0, 0, 0.0, figure};
    chooserRun.run.seconds.reserve(static_cast<size_t>(options.frames) + 1);
    Automation_SetModalHook(MeasureChooserFrame);
    Editor_OpenCommand();
    Automation_SetModalHook(nullptr);
    MallocCounter_Stop();  // in case the chooser gave up before the hook stopped
    Automation_KeyUp(TS_KEY_ESCAPE);
    Automation_RunFrames(1);
    return chooserRun.run;
}

std::string SizeName(BenchSize size) {
    return std::to_string(size.width) + "x" + std::to_string(size.height);
}

// The frame's checks: no failed drawing call, and the screen still there.
std::string FailureAfterRun(const char* screenName, bool (*stillThere)(void)) {
    if (!setupFailure.empty()) return setupFailure;
    if (const long failed = Bench_FailedDraws()) {
        return std::to_string(failed) + " drawing calls failed, first: " + Bench_FirstDrawFailure();
    }
    if (std::string(Screen_CurrentName()) != screenName) {
        return std::string("the screen changed to ") + Screen_CurrentName();
    }
    if (stillThere && !stillThere()) return "the screen left the state it was measured in";
    return "";
}

}  // namespace

bool Bench_Screens(const BenchOptions& options) {
    bool sound = true;
    for (const BenchSize size : options.sizes) {
        for (const BenchScreen& screen : kScreens) {
            const std::string figure = std::string(screen.figure) + " " + SizeName(size);
            if (!Bench_Wanted(options, figure)) continue;
            setupFailure.clear();
            Bench_StartFramework(size);
            screen.setup();
            BenchRow row = Bench_RowOf(figure, Bench_RunFrames(options, screen.beforeFrame));
            row.failure = FailureAfterRun(screen.screenName, screen.stillThere);
            SaveShot(options, figure);
            Bench_Print(options, row);
            sound = sound && row.failure.empty();
            Bench_StopFramework();
        }
        const std::string figure = "file chooser over editor " + SizeName(size);
        if (!Bench_Wanted(options, figure)) continue;
        setupFailure.clear();
        Bench_StartFramework(size);
        Editor();
        BenchRow row = Bench_RowOf(figure, ChooserFrames(options, figure));
        row.failure = FailureAfterRun("Editor", nullptr);
        if (row.failure.empty() && row.samples == 0) row.failure = "the file chooser did not open";
        Bench_Print(options, row);
        sound = sound && row.failure.empty();
        Bench_StopFramework();
    }
    return sound;
}
