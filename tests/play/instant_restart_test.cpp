// The restart key: R (or a pad's Back) starts the level again at once while
// flying or stranded, as the pause menu's Restart and "Try Again" do, in the
// campaign and a custom level (the editor's test play: play_mode_test); held,
// it skips the intro.
#include "app/controls.h"
#include "level/kind_shapes.h"
#include "play/replay_run.h"
#include "play/run_recorder.h"
#include "play_fixture.h"
#include "world/replay.h"
#include "screens/menu_screens.h"
#include "ui/file_chooser.h"

namespace {

const int kR = kRestartKey;

class InstantRestartTest : public PlayTest {
protected:
    static bool CellActive() {
        const Level& level = world.level;
        for (uint64_t i = 0; i < level.objectCapacity; ++i) {
            if (level.objects[i] && level.objects[i]->kind == KIND_FUEL_CELL) {
                return level.objects[i]->object->active != 0;
            }
        }
        return false;
    }

    // Thrusts for a while: the clock runs and the ship moves off its start.
    static void FlyABit() {
        Automation_KeyDown(TS_KEY_SPACE);
        Automation_RunFrames(20);
        Automation_KeyUp(TS_KEY_SPACE);
        Automation_RunFrames(1);
        ASSERT_GT(world.levelTime, 0.0f);
    }

    // A fuel cell on the start (collected at once), the goal far away.
    static const char* FuelLevel() { return "%50\nF,0,40,0,50,50\nE,0,3000,0,50,50\n"; }
};

TEST_F(InstantRestartTest, InTheCampaignRBringsEverythingBackKeepsTheScoreAndHeldSkipsTheIntro) {
    // A level finished first, so there is a total to keep.
    UseCampaignLevels(FlatScoreLevel());
    StartCampaign(0);
    FinishHopLevel();
    WriteText(TempDir() + "/level_1.vexl", FuelLevel());
    Press(levelWinPopup, 0);  // "Next Level"
    ASSERT_EQ(world.totalScore, 250);

    SkipIntro();
    FlyABit();
    ASSERT_LT(world.ship.fuel->fuel, 100.0f);
    TapKey(kR);
    // The intro went with the press, and the first step took the cell back
    // on the start: 50 and 50.
    EXPECT_EQ(world.phase, PHASE_FLYING);
    EXPECT_FLOAT_EQ(world.ship.fuel->fuel, 100.0f);
    EXPECT_LT(world.levelTime, 0.1f);
    EXPECT_EQ(world.totalScore, 250);  // as "Try Again" leaves it
    EXPECT_EQ(world.levelScore, 0);
    EXPECT_EQ(Campaign_List()->current, 1);
    EXPECT_FALSE(Open(restartPopup));
    EXPECT_FALSE(Open(pausePopup));

    // Finishing it after the restart adds the level once.
    WriteText(TempDir() + "/level_1.vexl", FlatScoreLevel());
    TapKey(kR);
    ASSERT_TRUE(RunUntil([] { return world.phase == PHASE_CAPTURE; }, 10));
    TapKey(kSkip);
    ASSERT_TRUE(RunUntil([] { return Open(levelWinPopup); }, 10));
    EXPECT_EQ(world.totalScore, 500);
}

TEST_F(InstantRestartTest, TheAttemptAfterARestartReplaysToTheSameEnd) {
    // The restart held through the intro is recorded as its skip (X), so the
    // recording flies the same attempt.
    const std::string path = WriteLevel("goal.vexl", "E,0,300,0,50,50\n");
    UseCampaignFiles(std::vector<std::string>(CAMPAIGN_LEVEL_COUNT, path));
    StartCampaign(0);
    SkipIntro();
    FlyABit();
    Automation_KeyDown(kR);
    Automation_RunFrames(3);
    Automation_KeyDown(TS_KEY_SPACE);
    Automation_RunFrames(5);
    Automation_KeyUp(kR);
    ASSERT_TRUE(RunUntil([] { return world.phase == PHASE_CAPTURE; }, 300));
    Automation_KeyUp(TS_KEY_SPACE);
    const int32_t steps = world.stepCount;
    const TS_Vec2 at = world.ship.body->position;

    Replay copy;
    InitReplay(&copy);
    const Replay* recording = RunRecorder_Recording();
    for (uint32_t i = 0; i < recording->count; ++i) {
        const ReplayEvent& event = recording->events[i];
        ASSERT_EQ(Replay_AddEvent(&copy, event.frame, event.key, event.down != 0), 0);
    }
    copy.scheme = recording->scheme;
    LeaveScreen();
    ReplayState end = {};
    // The replay runs until the capture is over; stop it where the play did.
    ASSERT_EQ(Replay_Run(path.c_str(), &copy, steps, nullptr, nullptr, &end), 0);
    FreeReplay(&copy);
    EXPECT_EQ(end.steps, steps);
    EXPECT_EQ(end.phase, PHASE_CAPTURE);
    EXPECT_EQ(end.position.x, at.x);
    EXPECT_EQ(end.position.y, at.y);
}

TEST_F(InstantRestartTest, StrandedRClosesGameOverAndRestarts) {
    UseCampaignLevels("%5\nA,0,-50,0,50,50\nE,0,3000,0,50,50\n");
    StartCampaign(2);
    SkipIntro();
    ASSERT_TRUE(RunUntil([] { return Open(gameOverPopup); }, 10));
    ASSERT_EQ(world.stranded, 1);

    Automation_KeyDown(kR);
    Automation_RunFrames(1);
    EXPECT_FALSE(Open(gameOverPopup));
    EXPECT_EQ(world.stranded, 0);
    EXPECT_EQ(world.totalScore, 0);
    EXPECT_EQ(Campaign_List()->current, 2);
    Automation_KeyUp(kR);
    Automation_RunFrames(1);
}

TEST_F(InstantRestartTest, ATapShowsTheIntroOnlyWhenLetGoBeforeTheFirstStep) {
    UseCampaignLevels(FuelLevel());
    StartCampaign(0);
    // In the intro R only skips it; nothing restarts.
    Automation_KeyDown(kR);
    Automation_RunFrames(1);
    EXPECT_EQ(world.phase, PHASE_FLYING);
    Automation_KeyUp(kR);
    Automation_RunFrames(1);
    FlyABit();
    // Pressed and let go within one frame: a restart with the fly-over.
    Automation_KeyDown(kR);
    Automation_KeyUp(kR);
    Automation_RunFrames(1);
    EXPECT_EQ(world.phase, PHASE_INTRO);
    EXPECT_TRUE(CellActive());  // back, and not yet flown over
    EXPECT_FLOAT_EQ(world.ship.fuel->fuel, 50.0f);
}

TEST_F(InstantRestartTest, NothingRestartsUnderThePauseMenuOrTheHelp) {
    UseCampaignLevels(FuelLevel());
    StartCampaign(0);
    SkipIntro();
    FlyABit();
    Pause();
    const float clock = world.levelTime;
    TapKey(kR);
    EXPECT_TRUE(Open(pausePopup));
    EXPECT_FALSE(Open(restartPopup));
    EXPECT_EQ(world.levelTime, clock);
    EXPECT_FALSE(CellActive());
}

TEST_F(InstantRestartTest, ACustomLevelRestartsFromItsFileAgain) {
    const std::string path = WriteLevel("mine.vexl", FuelLevel());
    Screen_Switch(LevelSelectScreen);
    Automation_RunFrames(1);
    FileChooser_SetAutomationAnswer(path.c_str(), false);
    Automation_MouseMove(640.0f, 612.0f);
    Automation_MouseDown(TS_MOUSE_LEFT);
    Automation_RunFrames(1);
    Automation_MouseUp(TS_MOUSE_LEFT);
    Automation_RunFrames(1);
    ASSERT_STREQ(Screen_CurrentName(), "CustomLevel");
    SkipIntro();
    FlyABit();
    ASSERT_FALSE(CellActive());

    WriteText(path, "%30\nF,0,40,0,50,50\nE,0,3000,0,50,50\n");
    TapKey(kR);
    EXPECT_EQ(world.phase, PHASE_FLYING);
    EXPECT_FLOAT_EQ(world.ship.fuel->fuel, 80.0f);  // 30, and the cell collected again
}

}  // namespace
