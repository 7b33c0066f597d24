// The results popups and the pause menu's yes/no questions keep every text
// inside its popup and its buttons.
#include <cerrno>

#include "app/safe_file.h"
#include "play/pause.h"
#include "play_fixture.h"
#include "support/text_fit_check.h"

namespace {

class ResultsTextFitTest : public PlayTest {
protected:
    void SetUp() override {
        PlayTest::SetUp();
        TS_System_SetWindowSize(1280, 720);
        Automation_RecordDraws(true);
    }
    static std::string CheckFrame(const char* stop) {
        Automation_RunFrames(1);
        TextFitCheck_SaveFrame(stop);
        return TextFitCheck_Report(TextFitCheck_Frame(stop));
    }
};

TEST_F(ResultsTextFitTest, LevelWonAndTheGameOver) {
    UseCampaignLevels(HopLevel());
    StartCampaign(0);
    FinishHopLevel();
    ASSERT_TRUE(Open(levelWinPopup));
    EXPECT_EQ(CheckFrame("level won"), "");
    LeaveScreen();
    UseCampaignLevels("%5\nA,0,-50,0,50,50\nE,0,300,0,50,50\n");
    StartCampaign(0);
    SkipIntro();
    ASSERT_TRUE(RunUntil([] { return Open(gameOverPopup); }, 10));
    EXPECT_EQ(CheckFrame("game over"), "");
}

TEST_F(ResultsTextFitTest, VictoryNameEntryTopScoresAndAScoreNotSaved) {
    UseCampaignLevels(HopLevel());
    StartCampaign(CAMPAIGN_LEVEL_COUNT - 1);
    FinishHopLevel();
    ASSERT_TRUE(Open(victoryEntryPopup));
    EXPECT_EQ(CheckFrame("victory name entry"), "");
    Press(victoryEntryPopup, 0);
    Automation_RunFrames(1);
    ASSERT_TRUE(Open(topScoresPopup));
    EXPECT_EQ(CheckFrame("top scores"), "");
    LeaveScreen();
    StartCampaign(CAMPAIGN_LEVEL_COUNT - 1);
    FinishHopLevel();
    ASSERT_TRUE(Open(victoryEntryPopup));
    SafeFile_FailNextCommitForTests(ENOSPC);
    Press(victoryEntryPopup, 0);
    Automation_RunFrames(1);
    ASSERT_TRUE(Open(scoreNotSavedPopup));
    EXPECT_EQ(CheckFrame("score not saved"), "");
}

TEST_F(ResultsTextFitTest, ThePauseMenuAndItsYesNoQuestions) {
    UseCampaignLevels(".12\nE,0,900,0,50,50\n");
    StartCampaign(0);
    SkipIntro();
    Pause();
    EXPECT_EQ(CheckFrame("pause"), "");
    Press(pausePopup, 1);
    ASSERT_TRUE(Open(restartPopup));
    EXPECT_EQ(CheckFrame("restart question"), "");
    Press(restartPopup, 1);
    Press(pausePopup, 3);
    ASSERT_TRUE(Open(exitPopup));
    EXPECT_EQ(CheckFrame("exit question"), "");
}

}  // namespace
