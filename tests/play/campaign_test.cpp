// The campaign: levels in order, the results after each, "Game Over" when
// stranded, "Play Again" scoring a level afresh, and level files that can
// no longer be read.

#include <cstdio>
#include <cstring>

#include "play_fixture.h"
#include "support/portable.h"

namespace {

class CampaignTest : public PlayTest {};

TEST_F(CampaignTest, YouWinShowsTheSummaryAndNextLevelPlaysTheFollowingOne) {
    UseCampaignLevels(FlatScoreLevel());
    StartCampaign(0);
    EXPECT_EQ(Campaign_List()->current, 0);
    FinishHopLevel();

    ASSERT_TRUE(Open(levelWinPopup));
    EXPECT_EQ(world.levelScore, 250);
    EXPECT_EQ(world.totalScore, 250);
    char expected[160];
    // The first finish of a level is its best so far (no par: no medal).
    std::snprintf(expected, sizeof expected,
                  "Total Time Taken : %.2fs\nTime to Beat: 0.00s\n\nLevel Score : 250\n"
                  "Total score : 250\n\nNew best! %.2f s",
                  static_cast<double>(world.levelTime), static_cast<double>(world.levelTime));
    EXPECT_STREQ(levelWinPopup->message, expected);

    // While the results are up the World stands still.
    const float clock = world.levelTime;
    Automation_RunFrames(30);
    EXPECT_EQ(world.levelTime, clock);
    EXPECT_EQ(world.phase, PHASE_DONE);

    Press(levelWinPopup, 0);  // "Next Level"
    EXPECT_FALSE(Open(levelWinPopup));
    EXPECT_EQ(Campaign_List()->current, 1);
    EXPECT_EQ(world.phase, PHASE_INTRO);
    EXPECT_EQ(world.levelComplete, 0);
    FinishHopLevel();
    EXPECT_EQ(world.totalScore, 500);
}

TEST_F(CampaignTest, PlayAgainAfterYouWinScoresTheLevelAfreshNotOnTop) {
    UseCampaignLevels(FlatScoreLevel());
    StartCampaign(3);
    FinishHopLevel();
    Press(levelWinPopup, 0);  // on to level 4 with 250
    FinishHopLevel();
    ASSERT_EQ(world.totalScore, 500);

    Press(levelWinPopup, 1);  // "Play Again"
    EXPECT_EQ(Campaign_List()->current, 4);
    EXPECT_EQ(world.totalScore, 250);
    EXPECT_EQ(world.phase, PHASE_INTRO);
    FinishHopLevel();
    EXPECT_EQ(world.totalScore, 500);
    EXPECT_NE(std::strstr(levelWinPopup->message, "Total score : 500"), nullptr);
}

TEST_F(CampaignTest, StrandedLevelShowsGameOverScoresNothingAndTryAgainReplaysIt) {
    // An asteroid beside the start and five units of fuel: the first bump
    // empties the tank; the goal is touched in the same frame.
    UseCampaignLevels("%5\nA,0,-50,0,50,50\nE,0,50,0,50,50\n");
    StartCampaign(2);
    SkipIntro();
    ASSERT_TRUE(RunUntil([] { return AnyResultsOpen(); }, 10));
    EXPECT_TRUE(Open(gameOverPopup));
    EXPECT_FALSE(Open(levelWinPopup));
    EXPECT_EQ(world.stranded, 1);
    EXPECT_EQ(world.totalScore, 0);
    EXPECT_EQ(world.levelScore, 0);

    Press(gameOverPopup, 0);  // "Try Again"
    EXPECT_FALSE(Open(gameOverPopup));
    EXPECT_EQ(Campaign_List()->current, 2);
    EXPECT_EQ(world.stranded, 0);
    EXPECT_EQ(world.phase, PHASE_INTRO);
    EXPECT_FLOAT_EQ(world.ship.fuel->fuel, 5.0f);

    SkipIntro();
    ASSERT_TRUE(RunUntil([] { return AnyResultsOpen(); }, 10));
    PressAndRunOneFrame(gameOverPopup, 1);  // "Exit"
    EXPECT_STREQ(Screen_CurrentName(), "MenuMusic");
}

// A level file that cannot be read stops the campaign with its name and the
// reason; the World waits instead of flying an empty level with no way out.
class CampaignLoadFailureTest : public CampaignTest {
protected:
    std::vector<std::string> files;

    void SetUp() override {
        CampaignTest::SetUp();
        for (int i = 0; i < CAMPAIGN_LEVEL_COUNT; ++i) {
            files.push_back(WriteLevel("level_" + std::to_string(i) + ".vexl", FlatScoreLevel()));
        }
        UseCampaignFiles(files);
    }
    // The file becomes a folder of the same name.
    void Break(int index) {
        ASSERT_EQ(std::remove(files[index].c_str()), 0);
        ASSERT_EQ(mkdir(files[index].c_str(), 0755), 0);
    }
    void Mend(int index) {
        ASSERT_EQ(rmdir(files[index].c_str()), 0);
        WriteText(files[index], FlatScoreLevel());
    }
    void ExpectFailureShown(int index, const char* reason) {
        ASSERT_TRUE(Open(campaignLoadFailedPopup));
        EXPECT_STREQ(campaignLoadFailedPopup->title, "Failed to load level");
        EXPECT_EQ(std::string(campaignLoadFailedPopup->message), files[index] + "\n" + reason);
        EXPECT_STREQ(campaignLoadFailedPopup->buttons[0]->label, "Try Again");
        EXPECT_STREQ(campaignLoadFailedPopup->buttons[1]->label, "Exit");
    }
    // Thrust held for a while moves nothing and runs no clock.
    static void ExpectWorldStandsStill() {
        const float clock = world.levelTime;
        const TS_Vec2 ship = world.ship.body->position;
        Automation_KeyDown(TS_KEY_SPACE);
        Automation_RunFrames(30);
        Automation_KeyUp(TS_KEY_SPACE);
        Automation_RunFrames(1);
        EXPECT_EQ(world.levelTime, clock);
        EXPECT_EQ(world.ship.body->position.x, ship.x);
        EXPECT_EQ(world.ship.body->position.y, ship.y);
        EXPECT_FALSE(AnyResultsOpen());
    }
};

TEST_F(CampaignLoadFailureTest, AFirstLevelThatCannotBeReadWaitsForTryAgain) {
    ASSERT_EQ(std::remove(files[2].c_str()), 0);
    StartCampaign(2);
    ExpectFailureShown(2, "No such file or directory");
    EXPECT_EQ(world.level.objects, nullptr);  // nothing to fly
    ExpectWorldStandsStill();

    Press(campaignLoadFailedPopup, 0);  // "Try Again", still missing
    ExpectFailureShown(2, "No such file or directory");

    WriteText(files[2], FlatScoreLevel());
    Press(campaignLoadFailedPopup, 0);
    EXPECT_FALSE(Open(campaignLoadFailedPopup));
    EXPECT_EQ(world.phase, PHASE_INTRO);
    FinishHopLevel();
    EXPECT_TRUE(Open(levelWinPopup));
    EXPECT_EQ(world.totalScore, 250);
}

TEST_F(CampaignLoadFailureTest, NextLevelToAFileThatIsGoneWaitsAndTryAgainPlaysItOnceBack) {
    StartCampaign(0);
    FinishHopLevel();
    Break(1);
    Press(levelWinPopup, 0);  // "Next Level"
    EXPECT_EQ(Campaign_List()->current, 1);
    ExpectFailureShown(1, "Is a directory");
    // The World still holds the level just finished, whole, to draw.
    EXPECT_EQ(world.level.objects, Campaign_List()->level.objects);
    EXPECT_NE(world.level.goal, nullptr);
    ExpectWorldStandsStill();
    TapKey(TS_KEY_ESCAPE);  // no pause over the failure
    EXPECT_FALSE(Open(pausePopup));

    Mend(1);
    Press(campaignLoadFailedPopup, 0);
    EXPECT_FALSE(Open(campaignLoadFailedPopup));
    EXPECT_EQ(Campaign_List()->current, 1);
    EXPECT_EQ(world.phase, PHASE_INTRO);
    FinishHopLevel();
    EXPECT_EQ(world.totalScore, 500);
}

TEST_F(CampaignLoadFailureTest, ThePauseMenusRestartShowsTheFailureAndExitLeaves) {
    WriteText(files[4], "E,0,3000,0,50,50\n");  // far enough to pause on the way
    StartCampaign(4);
    SkipIntro();
    Pause();
    Break(4);
    Press(pausePopup, 1);  // "Restart"
    Press(restartPopup, 0);
    ExpectFailureShown(4, "Is a directory");
    ExpectWorldStandsStill();
    PressAndRunOneFrame(campaignLoadFailedPopup, 1);  // "Exit"
    EXPECT_STREQ(Screen_CurrentName(), "MenuMusic");
}

TEST_F(CampaignLoadFailureTest, ScreenshotOfTheFailureWithALongPath) {
    // A level deep in folders: its path has to wrap inside the popup.
    std::string folder = TempDir();
    while (folder.size() < 200) {
        folder += "/a_rather_long_folder_name";
        ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
    }
    files[1] = folder + "/the_level_after_the_first.vexl";  // never written
    UseCampaignFiles(files);
    StartCampaign(0);
    FinishHopLevel();
    Press(levelWinPopup, 0);
    ASSERT_TRUE(Open(campaignLoadFailedPopup));
    Automation_RunFrames(1);
    EXPECT_TRUE(Automation_SaveFrame(ScreenshotPath("campaign_load_failed.png").c_str()));
}

}  // namespace
