// The campaign: levels in order, the results after each, "Game Over" when
// stranded, and "Play Again" scoring a level afresh.
#include <cstring>

#include "play_fixture.h"

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
    char expected[128];
    std::snprintf(expected, sizeof expected,
                  "Total Time Taken : %.2fs\nTime to Beat: 0.00s\n\nLevel Score : 250\n"
                  "Total score : 250",
                  static_cast<double>(world.levelTime));
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

TEST_F(CampaignTest, AnUnreadableLevelIsPlayedEmptyWithoutAGoal) {
    std::vector<std::string> files(CAMPAIGN_LEVEL_COUNT, TempDir() + "/missing.vexl");
    UseCampaignFiles(files);
    StartCampaign(0);
    EXPECT_EQ(world.phase, PHASE_FLYING);
    EXPECT_EQ(world.level.goal, nullptr);
    Automation_RunFrames(30);
    EXPECT_FALSE(AnyResultsOpen());
}

}  // namespace
