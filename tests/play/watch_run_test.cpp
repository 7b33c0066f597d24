// Watching a best run from the level select: the "Watch" button shows only
// for a level with a best run, the run plays in real time to the goal and
// shows its time, X skips to the end, Escape goes back to the level select.
#include <string>

#include "platform/automation.h"
#include "play/best_run.h"
#include "play/records.h"
#include "play/watch_run.h"
#include "screens/menu_screens.h"
#include "screens/screen_fixture.h"
#include "ui/popup.h"
#include "world/world.h"

namespace {

const int kLevel3 = 8;  // campaign slot of the shipped level_3

class WatchRunTest : public ScreenTest {
protected:
    // The level select, once its own frame has drawn it.
    static void ShowLevelSelect() {
        Open(LevelSelectScreen);
        Automation_RunFrames(1);
    }
    // The level select, and a click on the one "Watch" it shows.
    void WatchFromLevelSelect() {
        ShowLevelSelect();
        const std::vector<AutomationDrawCall> watch = Texts("Watch");
        ASSERT_EQ(watch.size(), 1u);
        Click(watch[0].x, watch[0].y);
        ASSERT_EQ(Current(), "WatchRun");
    }
    static bool EndShown() { return !Texts("Watch Again").empty(); }
    // Frames of the display's 1/60 s until the end shows (or the limit).
    static int RunToTheEnd(int limit) {
        Automation_SetRendering(false);
        int frames = 0;
        for (; frames < limit && world.phase < PHASE_DONE; ++frames) Automation_RunFrames(1);
        Automation_SetRendering(true);
        Automation_RunFrames(1);
        return frames;
    }
};

TEST_F(WatchRunTest, OnlyALevelWithABestRunOffersIt) {
    ShowLevelSelect();
    EXPECT_TRUE(Texts("Watch").empty());
    EXPECT_FALSE(WatchRun_HasBestRun(kLevel3));
    RecordShippedProof("level_3");
    EXPECT_TRUE(WatchRun_HasBestRun(kLevel3));
    EXPECT_FALSE(WatchRun_HasBestRun(kLevel3 - 1));
    ShowLevelSelect();
    const std::vector<AutomationDrawCall> watch = Texts("Watch");
    ASSERT_EQ(watch.size(), 1u);
    // Under level_3's button ("Level 3"), at the right end of its strip.
    const std::vector<AutomationDrawCall> label = Texts("Level 3");
    ASSERT_EQ(label.size(), 1u);
    EXPECT_GT(watch[0].x, label[0].x);
    EXPECT_GT(watch[0].y, label[0].y + 25.0f);
    EXPECT_TRUE(Automation_SaveFrame(ScreenshotPath("level_select_watch.png").c_str()));
}

TEST_F(WatchRunTest, TheRunReachesTheGoalInRealTimeAndShowsItsTime) {
    RecordShippedProof("level_3");
    WatchFromLevelSelect();
    Automation_SetFrameTime(kWorldStepSeconds);
    Automation_RunFrames(240);
    ASSERT_EQ(world.phase, PHASE_FLYING);
    EXPECT_TRUE(DrewTextAt("Best run of Level 3: 13.43 s", 640, 28));
    EXPECT_TRUE(Automation_SaveFrame(ScreenshotPath("watch_best_run.png").c_str()));
    RunToTheEnd(2000);
    EXPECT_TRUE(world.levelComplete);
    // The very run recorded: the same time to the step.
    EXPECT_EQ(world.levelTime, Records_AuthorTime("level_3"));
    ASSERT_TRUE(EndShown());
    EXPECT_FALSE(Texts("Reached the goal in 13.43 s").empty());
    EXPECT_TRUE(Automation_SaveFrame(ScreenshotPath("watch_best_run_end.png").c_str()));

    // Watched again from the start, then back to the level select.
    Click(Texts("Watch Again")[0].x, Texts("Watch Again")[0].y);
    EXPECT_FALSE(EndShown());
    EXPECT_EQ(world.levelTime, 0.0f);
    RunToTheEnd(2000);
    EXPECT_EQ(world.levelTime, Records_AuthorTime("level_3"));
    ASSERT_TRUE(EndShown());
    Click(Texts("Back")[0].x, Texts("Back")[0].y);
    EXPECT_EQ(Current(), "LevelSelect");
}

TEST_F(WatchRunTest, XSkipsToTheEndAndEscapeGoesBack) {
    RecordShippedProof("level_3");
    WatchFromLevelSelect();
    Automation_RunFrames(30);
    TapKey(TS_KEY_X);
    EXPECT_TRUE(world.levelComplete);
    EXPECT_EQ(world.levelTime, Records_AuthorTime("level_3"));
    EXPECT_TRUE(EndShown());

    WatchFromLevelSelect();
    Automation_RunFrames(30);
    TapKey(TS_KEY_ESCAPE);
    EXPECT_EQ(Current(), "LevelSelect");
}

}  // namespace
