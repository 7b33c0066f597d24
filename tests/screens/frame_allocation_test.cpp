// Steady frames allocate nothing: every screen is shown headless for a while,
// then each of the next frames has its heap allocations counted — the game's,
// the C++ library's, SDL's and SDL_ttf's alike.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "editor/editor.h"
#include "play/best_run.h"
#include "play/play_fixture.h"
#include "screens/menu_screens.h"
#include "support/malloc_counter.h"
#include "ui/file_chooser.h"
#include "world/ghost.h"
#include "world/replay.h"

namespace {

const int kWarmUpFrames = 60;
const int kCountedFrames = 120;

// What a run of counted frames allocated: the sum and the worst frame.
struct FrameCounts {
    long total = 0;
    long worst = 0;
    bool counted = false;
};

// Counts one frame at a time while counting is on.
class FrameCounter {
public:
    void Begin() { last_ = MallocCounter_Count(); }
    void EndFrame() {
        const long now = MallocCounter_Count();
        if (now - last_ > counts_.worst) counts_.worst = now - last_;
        last_ = now;
    }
    FrameCounts Finish() {
        counts_.total = MallocCounter_Stop();
        counts_.counted = true;
        return counts_;
    }

private:
    long last_ = 0;
    FrameCounts counts_;
};

class FrameAllocationTest;

struct ScreenCase {
    const char* name;
    // How the screen is reached (then shown for the warm-up).
    void (*open)(FrameAllocationTest* test);
    // The most one steady frame of it may allocate.
    long ceiling;
    // Presses and lets go of the flight's keys during the counted frames.
    bool flyKeys = false;
    // The window, in real pixels: away from 1280 x 720 everything is drawn
    // through the layout scale.
    int width = 1280;
    int height = 720;
};

void PrintTo(const ScreenCase& screen, std::ostream* out) { *out << screen.name; }

class FrameAllocationTest : public PlayTest, public ::testing::WithParamInterface<ScreenCase> {
public:
    void SetUp() override {
        PlayTest::SetUp();
        if (!MallocCounter_Available())
            GTEST_SKIP() << "the allocation counter is off (a sanitizer or Windows build)";
        TS_System_SetWindowSize(GetParam().width, GetParam().height);
        userConfig.fullscreen = false;
        Automation_MouseMove(1, 1);
        // The automation's own records allocate; the game never keeps them.
        Automation_RecordDraws(false);
        Automation_LogSounds(false);
    }
    void TearDown() override {
        Automation_LogSounds(true);
        PlayTest::TearDown();
    }

    static void Show(const GameState& screen) {
        Screen_Switch(screen);
        Automation_RunFrames(1);
    }
    void ClickAt(float x, float y) { Click(x, y); }
    // Whether the last frame wrote this text (the draw record is on for it).
    static bool ShowsText(const char* text) {
        Automation_RecordDraws(true);
        Automation_RunFrames(1);
        bool found = false;
        for (const AutomationDrawCall& call : Automation_DrawCalls()) {
            found = found || (call.kind == DRAW_TEXT && call.text == text);
        }
        Automation_RecordDraws(false);
        return found;
    }
    void Flying() {
        StartCampaign(13);  // level_8, the busiest shipped level
        SkipIntro();
    }
    // level_8 with the ghost of its proving run beside the ship, in view
    // for the frames counted (it sets off from the ship's start).
    void FlyingWithGhost() {
        RecordShippedProof("level_8");
        StartCampaign(13);
        ASSERT_TRUE(world.ghost && Ghost_Visible(world.ghost));
        SkipIntro();
    }
    void Paused() {
        Flying();
        Pause();
    }
    // Flying with thrust and a turn held: the ship turns a little every
    // step with two flames lit on it. A full tank outlasts the counted frames.
    void Manoeuvring() {
        Flying();
        if (HasFatalFailure()) return;
        world.ship.fuel->fuel = world.ship.fuel->max;
        Automation_KeyDown(SchemeKey(ACTION_THRUST));
        Automation_KeyDown(SchemeKey(ACTION_TURN_RIGHT));
        Automation_RunFrames(1);
    }
    // Paused while manoeuvring: the flames stay lit under the pause menu.
    void PausedManoeuvring() {
        Manoeuvring();
        if (HasFatalFailure()) return;
        Pause();
        ASSERT_TRUE(world.thrustHeld && world.turnRightHeld);
    }

    // A player's hands on the keys: thrust and the two turns pressed and let
    // go in turn, a change every few frames.
    static void PlayKeys(int frame) {
        const int keys[] = {SchemeKey(ACTION_THRUST), SchemeKey(ACTION_TURN_LEFT),
                            SchemeKey(ACTION_TURN_RIGHT)};
        const int key = keys[(frame / 6) % 3];
        if (frame % 6 == 0) Automation_KeyDown(key);
        if (frame % 6 == 4) Automation_KeyUp(key);
    }

    static FrameCounts CountFrames(bool flyKeys = false) {
        if (flyKeys) {
            // The hands warm up too: the first turn at a new size and the
            // first start of each engine sound happen once per level.
            for (int i = 0; i < kWarmUpFrames; ++i) {
                PlayKeys(i);
                Automation_RunFrames(1);
            }
            for (int key : {SchemeKey(ACTION_THRUST), SchemeKey(ACTION_TURN_LEFT),
                            SchemeKey(ACTION_TURN_RIGHT)}) {
                Automation_KeyUp(key);
            }
        } else {
            Automation_RunFrames(kWarmUpFrames);
        }
        FrameCounter counter;
        MallocCounter_Start();
        counter.Begin();
        for (int i = 0; i < kCountedFrames; ++i) {
            if (flyKeys) PlayKeys(i);
            Automation_RunFrames(1);
            counter.EndFrame();
        }
        return counter.Finish();
    }
};

FrameCounter chooserCounter;
FrameCounts chooserCounts;

// The file chooser runs its own loop: the hook counts from inside it.
void CountChooserFrames(int frame) {
    if (frame == kWarmUpFrames) {
        MallocCounter_Start();
        chooserCounter = FrameCounter();
        chooserCounter.Begin();
    } else if (frame > kWarmUpFrames && frame <= kWarmUpFrames + kCountedFrames) {
        chooserCounter.EndFrame();
    }
    if (frame == kWarmUpFrames + kCountedFrames) {
        chooserCounts = chooserCounter.Finish();
        Automation_KeyDown(TS_KEY_ESCAPE);
    }
}

TEST_P(FrameAllocationTest, SteadyFramesStayUnderTheCeiling) {
    const ScreenCase& screen = GetParam();
    FrameCounts counts;
    if (std::string(screen.name) == "FileChooser") {
        Show(MainMenuScreen);
        char path[LEVEL_PATH_SIZE];
        chooserCounts = FrameCounts();
        Automation_SetModalHook(CountChooserFrames);
        ChooseLevelFile(path);
        Automation_SetModalHook(nullptr);
        Automation_KeyUp(TS_KEY_ESCAPE);
        counts = chooserCounts;
    } else {
        screen.open(this);
        if (HasFatalFailure()) return;
        const std::string shown = Screen_CurrentName();
        const uint32_t recordedBefore = world.recording ? world.recording->count : 0;
        const ReplayEvent* events = world.recording ? world.recording->events : nullptr;
        const uint32_t room = world.recording ? world.recording->capacity : 0;
        counts = CountFrames(screen.flyKeys);
        if (screen.flyKeys) {
            // Every press and release went into the attempt's recording, in
            // the room it was given when the screen opened.
            ASSERT_NE(world.recording, nullptr);
            EXPECT_GE(world.recording->count, recordedBefore + 2 * (kCountedFrames / 6));
            EXPECT_EQ(world.recording->events, events);
            EXPECT_EQ(world.recording->capacity, room);
        }
        // Still the same steady screen: nothing ended or opened meanwhile.
        EXPECT_EQ(Screen_CurrentName(), shown);
        if (shown == "Campaign") {
            EXPECT_EQ(world.phase, PHASE_FLYING);
        }
    }
    ASSERT_TRUE(counts.counted) << screen.name;
    EXPECT_LE(counts.worst, screen.ceiling)
        << screen.name << ": " << counts.total << " allocations in " << kCountedFrames
        << " frames, " << counts.worst << " in the worst";
    RecordProperty("allocations", std::to_string(counts.total));
}

const ScreenCase kScreens[] = {
    {"MainMenu", [](FrameAllocationTest*) { FrameAllocationTest::Show(MainMenuScreen); }, 0},
    {"QuitQuestion",
     [](FrameAllocationTest* test) {
         FrameAllocationTest::Show(MainMenuScreen);
         test->ClickAt(1141, 720 * 0.775f);  // "Quit"
         ASSERT_TRUE(FrameAllocationTest::ShowsText("Are you sure you want to quit?"));
     },
     0},
    {"LevelSelect", [](FrameAllocationTest*) { FrameAllocationTest::Show(LevelSelectScreen); }, 0},
    {"Options", [](FrameAllocationTest*) { FrameAllocationTest::Show(OptionsScreen); }, 0},
    {"Credits", [](FrameAllocationTest*) { FrameAllocationTest::Show(CreditsScreen); }, 0},
    {"Controls", [](FrameAllocationTest*) { FrameAllocationTest::Show(ControlsScreen); }, 0},
    {"FileChooser", nullptr, 0},
    {"Help",
     [](FrameAllocationTest*) {
         Help_UseAsScreen();
         FrameAllocationTest::Show(HelpScreen);
     },
     0},
    // What SDL's software renderer still allocates for a sprite it draws
    // scaled upright (4) — its temporary surfaces — and for a text seen for
    // the first time (6). Sprites of a fixed size and turn are prepared once
    // and copied plainly (the help page's demos, the editor's palette, the
    // level objects), turned ones are turned into kept buffers (the ship, its
    // flames, the compass arrow), and changing numbers are put together from
    // cached characters; what is left: the ship drawn upright and scaled in
    // flight, under the pause menu and as the editor's start marker, and the
    // fuel gauge's percentage as the tank burns.
    {"Editor", [](FrameAllocationTest*) { FrameAllocationTest::Show(EditorScreen); }, 4},
    {"Flight", [](FrameAllocationTest* test) { test->Flying(); }, 4},
    // Flying on the keys, every change recorded into the attempt's replay:
    // the recording adds nothing (the same frames with it off allocate the
    // same). What does: the ship and its flame drawn upright but scaled (4
    // each), the fuel label made again when its percentage changes (6), and a
    // sound loop started as a key goes down.
    {"FlightWithKeys", [](FrameAllocationTest* test) { test->Flying(); }, 20, true},
    // The ghost's stepping allocates nothing (GhostTest counts it alone), and
    // its ship is copied from turns prepared over the level's first frames:
    // no more than flight without it.
    {"FlightWithGhost", [](FrameAllocationTest* test) { test->FlyingWithGhost(); }, 4},
    {"Pause", [](FrameAllocationTest* test) { test->Paused(); }, 4},
    {"FlightManoeuvring", [](FrameAllocationTest* test) { test->Manoeuvring(); }, 6},
    {"PauseManoeuvring", [](FrameAllocationTest* test) { test->PausedManoeuvring(); }, 0},
};

INSTANTIATE_TEST_SUITE_P(Screens, FrameAllocationTest, ::testing::ValuesIn(kScreens),
                         [](const ::testing::TestParamInfo<ScreenCase>& info) {
                             return std::string(info.param.name);
                         });

// At 1920 x 1080 every picture is stretched by the layout scale and every text
// rasterised larger: the stretched pictures are kept at the size they are
// drawn, so steady frames stay under the same ceilings as at 1280 x 720.
const ScreenCase kScreensAt1080[] = {
    {"MainMenu", [](FrameAllocationTest*) { FrameAllocationTest::Show(MainMenuScreen); }, 0, false,
     1920, 1080},
    {"LevelSelect", [](FrameAllocationTest*) { FrameAllocationTest::Show(LevelSelectScreen); }, 0,
     false, 1920, 1080},
    {"Editor", [](FrameAllocationTest*) { FrameAllocationTest::Show(EditorScreen); }, 4, false,
     1920, 1080},
    {"Flight", [](FrameAllocationTest* test) { test->Flying(); }, 4, false, 1920, 1080},
    {"FlightWithKeys", [](FrameAllocationTest* test) { test->Flying(); }, 20, true, 1920, 1080},
    {"Pause", [](FrameAllocationTest* test) { test->Paused(); }, 4, false, 1920, 1080},
};

INSTANTIATE_TEST_SUITE_P(ScreensAt1920x1080, FrameAllocationTest,
                         ::testing::ValuesIn(kScreensAt1080),
                         [](const ::testing::TestParamInfo<ScreenCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
