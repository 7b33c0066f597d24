// The ghost of the best run flies its replay in step with the player's level
// clock: flying the same run, the ghost and the ship are in the same place
// at every flying step, whoever pauses in the map view; a run of another
// level gives no ghost; a restart starts it again.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/config.h"
#include "level/kind_shapes.h"
#include "level/level.h"
#include "levels/shipped_level_names.h"
#include "platform/automation.h"
#include "play/replay_run.h"
#include "support/headless.h"
#include "support/malloc_counter.h"
#include "world/camera.h"
#include "world/draw.h"
#include "world/ghost.h"
#include "world/replay.h"
#include "world/world.h"

namespace {

const std::string kReplays = std::string(VEXAL_SOURCE_DIR) + "/tests/replays/";

// What the hook compares after every frame of the player's flight.
struct Watch {
    float lastLevelTime = 0.0f;
    int flyingSteps = 0;
    int mismatches = 0;
    int firstMismatch = -1;
    int pausedMoves = 0;  // the ghost moved while the player's clock stood
    TS_Vec2 ghostBefore = {0.0f, 0.0f};
    bool ghostAtGoalWithPlayer = false;
};

void Compare(const ReplayState* state, void* context) {
    Watch* watch = static_cast<Watch*>(context);
    const Ghost* ghost = world.ghost;
    if (!ghost) return;
    const TS_Vec2 ghostAt = ghost->ship.position;
    if (state->levelTime > watch->lastLevelTime) {
        ++watch->flyingSteps;
        const bool same = ghostAt.x == state->position.x && ghostAt.y == state->position.y &&
                          ghost->ship.rotation == state->rotation &&
                          ghost->ship.fuel.fuel == state->fuel &&
                          ghost->flyingSteps == watch->flyingSteps;
        if (!same && watch->mismatches++ == 0) watch->firstMismatch = state->frames;
        if (state->levelComplete) watch->ghostAtGoalWithPlayer = ghost->reachedGoal != 0;
    } else if (ghostAt.x != watch->ghostBefore.x || ghostAt.y != watch->ghostBefore.y) {
        ++watch->pausedMoves;
    }
    watch->lastLevelTime = state->levelTime;
    watch->ghostBefore = ghostAt;
}

// The steps the map view holds the level still when M is held for `held`
// steps: the open steps and the closing ones but the last, which flies.
int MapPauseSteps(int held) {
    int32_t state = MAP_OFF;
    float timer = 0.0f;
    int paused = 0;
    for (int step = 0; step < held || state != MAP_OFF; ++step) {
        MapClock_Step(&state, &timer, step < held ? 1 : 0);
        if (state != MAP_OFF) ++paused;
    }
    return paused;
}

// The steps of an intro waited out with no key pressed; the last ends it.
int IntroSteps(void) {
    float timer = 0.0f;
    float progress = 0.0f;
    int steps = 1;
    while (!IntroClock_Step(&timer, 0, &progress)) ++steps;
    return steps;
}

class GhostTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        BuildKindShapes();
        InitLevel(&level_);
        InitReplay(&run_);
        Automation_SetRendering(false);
    }
    void TearDown() override {
        Automation_SetRendering(true);
        if (worldUp_) TeardownWorld();
        FreeReplay(&run_);
        FreeLevel(&level_);
        FreeKindShapes();
        HeadlessTest::TearDown();
    }

    void LoadShipped(const char* name) {
        const std::string levelPath = std::string("./Assets/levels/") + name + ".vexl";
        ASSERT_EQ(ReadLevelFile(levelPath.c_str(), &level_, true), 0);
        ASSERT_EQ(ReadReplayFile((kReplays + name + ".replay").c_str(), &run_), 0);
        SetupWorld(&level_);
        worldUp_ = true;
        TS_Engine_SetNextGameState(nullptr, Frame, nullptr);
        Automation_RunFrames(1);  // the frame of the change runs no World step
        world.stepClock = kWorldStepClockRest;
    }

    static void Frame() {
        World_Update();
        DrawWorld();
    }

    // The player flies `player` with the ghost flying `ghost`.
    Watch Fly(const Replay* player, const Replay* ghost) {
        Watch watch;
        EXPECT_TRUE(World_SetGhostRun(ghost, &world.level));
        ReplayState end;
        Replay_Fly(player, REPLAY_DEFAULT_FRAMES, Compare, &watch, &end);
        EXPECT_TRUE(end.levelComplete);
        return watch;
    }

    // `run` with M held for `held` frames from `frame` on, and every later
    // event moved on by the steps the map view stands still.
    static void WithMapPause(const Replay* run, int32_t frame, int held, Replay* paused) {
        InitReplay(paused);
        paused->scheme = run->scheme;
        const int32_t shift = MapPauseSteps(held);
        bool added = false;
        for (uint32_t i = 0; i < run->count; ++i) {
            const ReplayEvent& event = run->events[i];
            if (!added && event.frame >= frame) {
                Replay_AddEvent(paused, frame, TS_KEY_M, true);
                Replay_AddEvent(paused, frame + held, TS_KEY_M, false);
                added = true;
            }
            const int32_t at = event.frame >= frame ? event.frame + shift : event.frame;
            Replay_AddEvent(paused, at, event.key, event.down != 0);
        }
    }

    Level level_;
    Replay run_;
    bool worldUp_ = false;
};

TEST_F(GhostTest, FlyingTheSameRunTheGhostIsOnTheShipEveryFlyingStep) {
    // Shipped proofs of every kind of level, flown by the player and the
    // ghost alike: bounces, fuel cells, no turning, half speed.
    for (const char* name :
         {"tutorial_2", "tutorial_5", "level_2", "level_4", "level_7", "level_10", "level_13"}) {
        SCOPED_TRACE(name);
        LoadShipped(name);
        const Watch watch = Fly(&run_, &run_);
        EXPECT_GT(watch.flyingSteps, 0);
        EXPECT_EQ(watch.mismatches, 0) << "first at frame " << watch.firstMismatch;
        EXPECT_TRUE(watch.ghostAtGoalWithPlayer);
        TeardownWorld();
        worldUp_ = false;
        FreeLevel(&level_);
        FreeReplay(&run_);
        InitReplay(&run_);
    }
}

TEST_F(GhostTest, TheGhostWaitsWhileThePlayerHoldsTheMap) {
    LoadShipped("level_3");
    Replay paused;
    WithMapPause(&run_, 120, 40, &paused);
    const Watch watch = Fly(&paused, &run_);
    EXPECT_EQ(watch.mismatches, 0) << "first at frame " << watch.firstMismatch;
    EXPECT_EQ(watch.pausedMoves, 0);
    EXPECT_TRUE(watch.ghostAtGoalWithPlayer);
    FreeReplay(&paused);
}

TEST_F(GhostTest, TheGhostPassesOverItsOwnMapViewAndIntro) {
    LoadShipped("level_3");
    // The ghost's run held the map and waited out the whole intro: the
    // proof skips it with X on its first step.
    ASSERT_EQ(run_.events[0].key, TS_KEY_X);
    ASSERT_EQ(run_.events[0].frame, 0);
    Replay paused;
    WithMapPause(&run_, 150, 30, &paused);
    Replay slow;
    InitReplay(&slow);
    slow.scheme = paused.scheme;
    for (uint32_t i = 0; i < paused.count; ++i) {
        const ReplayEvent& event = paused.events[i];
        if (event.key == TS_KEY_X && event.frame < 2) continue;
        Replay_AddEvent(&slow, event.frame + IntroSteps() - 1, event.key, event.down != 0);
    }
    const Watch watch = Fly(&run_, &slow);
    EXPECT_EQ(watch.mismatches, 0) << "first at frame " << watch.firstMismatch;
    EXPECT_TRUE(watch.ghostAtGoalWithPlayer);
    FreeReplay(&slow);
    FreeReplay(&paused);
}

TEST_F(GhostTest, TheRunIsReadInItsOwnControlScheme) {
    LoadShipped("level_5");
    // The same run recorded with W, A and D: the player's scheme stays 2.
    Replay wad;
    InitReplay(&wad);
    wad.scheme = 0;
    for (uint32_t i = 0; i < run_.count; ++i) {
        int32_t key = run_.events[i].key;
        for (int action = 0; action < 3; ++action) {
            if (key == controlSchemeKeys[3 * run_.scheme + action]) {
                key = controlSchemeKeys[action];
                break;
            }
        }
        Replay_AddEvent(&wad, run_.events[i].frame, key, run_.events[i].down != 0);
    }
    const Watch watch = Fly(&run_, &wad);
    EXPECT_EQ(watch.mismatches, 0) << "first at frame " << watch.firstMismatch;
    FreeReplay(&wad);
}

TEST_F(GhostTest, ARunOfAChangedLevelGivesNoGhost) {
    LoadShipped("level_2");
    const uint64_t hash = Level_FlightHash(&level_);
    Replay_SetLevel(&run_, "level_2", hash);
    EXPECT_TRUE(World_SetGhostRun(&run_, &level_));
    Replay_SetLevel(&run_, "level_2", hash ^ 1u);
    EXPECT_FALSE(World_SetGhostRun(&run_, &level_));
    // Nothing of it flies or shows, however long the player flies.
    ReplayState end;
    Replay_Fly(&run_, 400, nullptr, nullptr, &end);
    ASSERT_NE(world.ghost, nullptr);
    EXPECT_EQ(world.ghost->flyingSteps, 0);
    EXPECT_FALSE(Ghost_Visible(world.ghost));
    EXPECT_FALSE(World_SetGhostRun(nullptr, &level_));
    EXPECT_EQ(world.ghost, nullptr);
}

TEST_F(GhostTest, FlyingTheGhostAllocatesNothing) {
    if (!MallocCounter_Available())
        GTEST_SKIP() << "the allocation counter is off (a sanitizer or Windows build)";
    LoadShipped("level_8");
    ASSERT_TRUE(World_SetGhostRun(&run_, &level_));
    MallocCounter_Start();
    for (int step = 0; step < 3000; ++step) Ghost_Fly(world.ghost);
    EXPECT_EQ(MallocCounter_Stop(), 0);
    EXPECT_TRUE(world.ghost->reachedGoal);
}

// The ghost's image drawn last frame (translucent), or null.
const AutomationDrawCall* GhostDraw() {
    const AutomationDrawCall* found = nullptr;
    for (const AutomationDrawCall& call : Automation_DrawCalls()) {
        if (call.kind == DRAW_IMAGE && call.alpha > 0 && call.alpha < 255) found = &call;
    }
    return found;
}

TEST_F(GhostTest, TheGhostIsDrawnTranslucentAtItsNearestPreparedTurnAndNotOffScreen) {
    Automation_SetRendering(true);  // prepared turns need a renderer
    LoadShipped("level_2");
    ASSERT_TRUE(World_SetGhostRun(&run_, &level_));
    TapKey(TS_KEY_X);  // past the intro's zooming, to the zoom of play
    Automation_RecordDraws(true);
    Automation_RunFrames(GHOST_TURNS / 4 + 2);  // the turns are made a few a frame
    Ghost* ghost = world.ghost;
    // Turns of any size and sign: the nearest multiple of 3 degrees.
    const float turns[][2] = {{-4.0f, 357.0f}, {1.4f, 0.0f}, {722.0f, 3.0f}, {-359.0f, 0.0f}};
    for (const auto& turn : turns) {
        ghost->ship.rotation = turn[0];
        Automation_RunFrames(1);
        const AutomationDrawCall* call = GhostDraw();
        ASSERT_NE(call, nullptr) << turn[0];
        EXPECT_EQ(call->rotation, turn[1]) << turn[0];
        EXPECT_EQ(call->alpha, 100);
    }
    // Far off screen: not drawn at all.
    ghost->ship.position = TS_Vec2{5000.0f, 5000.0f};
    Automation_RunFrames(1);
    EXPECT_EQ(GhostDraw(), nullptr);
    Automation_RecordDraws(false);
}

// Fuel cells in a level's table still switched on.
int ActiveCells(const Level& level) {
    int active = 0;
    for (uint64_t i = 0; i < level.objectCapacity; ++i) {
        const LevelObject* entry = level.objects[i];
        if (entry && entry->kind == KIND_FUEL_CELL && entry->object->active) ++active;
    }
    return active;
}

TEST_F(GhostTest, TheGhostPicksUpItsOwnFuelCellsAndARestartBringsThemBack) {
    LoadShipped("level_10");  // its proof picks up fuel cells
    const int cells = ActiveCells(level_);
    ASSERT_GT(cells, 0);
    ASSERT_TRUE(World_SetGhostRun(&run_, &level_));
    // The player sits still while the ghost flies its whole run.
    ReplayState end;
    Replay_Fly(nullptr, 2215 + 200, nullptr, nullptr, &end);
    const Ghost* ghost = world.ghost;
    ASSERT_NE(ghost, nullptr);
    EXPECT_TRUE(ghost->reachedGoal);
    EXPECT_LT(ActiveCells(ghost->level), cells);
    EXPECT_EQ(ActiveCells(world.level), cells);
    EXPECT_FALSE(Ghost_Visible(ghost)) << "faded after its run";

    World_Reset();
    StartLevel(&level_);
    ASSERT_EQ(world.ghost, ghost);
    EXPECT_EQ(ghost->flyingSteps, 0);
    EXPECT_EQ(ghost->phase, PHASE_INTRO);
    EXPECT_EQ(ghost->ship.position.x, 0.0f);
    EXPECT_EQ(ghost->ship.position.y, 0.0f);
    EXPECT_EQ(ActiveCells(ghost->level), cells);
    EXPECT_TRUE(Ghost_Visible(ghost));
    // And flies the run again beside the player flying it.
    Watch watch;
    Replay_Fly(&run_, REPLAY_DEFAULT_FRAMES, Compare, &watch, &end);
    EXPECT_EQ(watch.mismatches, 0) << "first at frame " << watch.firstMismatch;
    EXPECT_TRUE(watch.ghostAtGoalWithPlayer);
}

}  // namespace
