// Pictures of the results popups and the pause menu over a level, for review.
#include <cerrno>

#include "app/safe_file.h"
#include "play_fixture.h"

namespace {

class ResultsScreenshotTest : public PlayTest {
protected:
    void Save(const char* name) {
        Automation_RunFrames(1);
        EXPECT_TRUE(Automation_SaveFrame(ScreenshotPath(name).c_str())) << name;
    }
    // A level with some scenery around the goal.
    static const char* SceneryLevel() {
        return ".12\nA,-250,150,20,80,80\nA,300,-100,0,60,60\nF,-200,-150,0,50,50\n"
               "E,0,50,0,50,50\nT,0,-200,0,400,25,Reach the goal!\n";
    }
};

TEST_F(ResultsScreenshotTest, YouWin) {
    UseCampaignLevels(SceneryLevel());
    StartCampaign(0);
    FinishHopLevel();
    ASSERT_TRUE(Open(levelWinPopup));
    Save("results_you_win.png");
}

TEST_F(ResultsScreenshotTest, PauseMenuAndItsQuestions) {
    UseCampaignLevels(
        ".12\nA,-250,150,20,80,80\nA,300,-100,0,60,60\nF,-200,-150,0,50,50\n"
        "E,0,900,0,50,50\nT,0,-200,0,400,25,Reach the goal!\n");
    StartCampaign(0);
    SkipIntro();
    Automation_KeyDown(TS_KEY_SPACE);
    Automation_RunFrames(15);
    Automation_KeyUp(TS_KEY_SPACE);
    Pause();
    Save("pause_menu.png");
    Press(pausePopup, 1);
    Save("pause_restart_question.png");
    Press(restartPopup, 1);
    Press(pausePopup, 3);
    Save("pause_exit_question.png");
}

TEST_F(ResultsScreenshotTest, GameOver) {
    UseCampaignLevels("%5\nA,0,-50,0,50,50\nE,0,300,0,50,50\n");
    StartCampaign(0);
    SkipIntro();
    ASSERT_TRUE(RunUntil([] { return Open(gameOverPopup); }, 10));
    Save("results_game_over.png");
}

TEST_F(ResultsScreenshotTest, VictoryNameEntryAndTopScores) {
    UseCampaignLevels(SceneryLevel());
    StartCampaign(CAMPAIGN_LEVEL_COUNT - 1);
    FinishHopLevel();
    ASSERT_TRUE(Open(victoryEntryPopup));
    for (int i = 0; i < 6; ++i) TapKey(TS_KEY_BACKSPACE);
    Automation_KeyDown(TS_KEY_LEFT_SHIFT);
    TapKey(TS_KEY_N);
    Automation_KeyUp(TS_KEY_LEFT_SHIFT);
    TapKey(TS_KEY_O);
    TapKey(TS_KEY_V);
    TapKey(TS_KEY_A);
    Save("results_victory_entry.png");
    Press(victoryEntryPopup, 0);
    Automation_RunFrames(1);
    ASSERT_TRUE(Open(topScoresPopup));
    Save("results_top_scores.png");
}

TEST_F(ResultsScreenshotTest, VictoryBelowTheTable) {
    SavePath probe = {{0}, false};
    ASSERT_TRUE(SavePath_Ensure(&probe, "score.vex"));
    std::string table;
    for (int i = 0; i < 10; ++i) table += "Ace        99999\n";
    WriteText(SaveFolder() + "score.vex", table);
    UseCampaignLevels(SceneryLevel());
    StartCampaign(CAMPAIGN_LEVEL_COUNT - 1);
    FinishHopLevel();
    ASSERT_TRUE(Open(victoryPopup));
    Save("results_victory.png");
}

TEST_F(ResultsScreenshotTest, ScoreNotSaved) {
    UseCampaignLevels(SceneryLevel());
    StartCampaign(CAMPAIGN_LEVEL_COUNT - 1);
    FinishHopLevel();
    ASSERT_TRUE(Open(victoryEntryPopup));
    SafeFile_FailNextCommitForTests(ENOSPC);
    Press(victoryEntryPopup, 0);
    Automation_RunFrames(1);
    ASSERT_TRUE(Open(scoreNotSavedPopup));
    Save("results_score_not_saved.png");
}

TEST_F(ResultsScreenshotTest, VictoryWithAnUnreadableScoreFile) {
    // The longest reason the game gives: a file saved as UTF-16.
    SavePath probe = {{0}, false};
    ASSERT_TRUE(SavePath_Ensure(&probe, "score.vex"));
    WriteText(SaveFolder() + "score.vex", std::string("\xFF\xFEZ\0e\0d\0", 8));
    UseCampaignLevels(SceneryLevel());
    StartCampaign(CAMPAIGN_LEVEL_COUNT - 1);
    testing::internal::CaptureStderr();
    FinishHopLevel();
    testing::internal::GetCapturedStderr();
    ASSERT_TRUE(Open(victoryPopup));
    Save("results_victory_unreadable.png");
}

}  // namespace
