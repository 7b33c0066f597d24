// A custom level picked in the level select: the first frame ignored, the
// results that offer a replay from disk (and say why one cannot be read), and
// Escape leaving "You Win!" alone.
#include <cstdio>
#include <cstring>

#include "play_fixture.h"

#include "play/custom_level.h"
#include "screens/menu_screens.h"
#include "ui/file_chooser.h"

namespace {

class CustomLevelTest : public PlayTest {
protected:
    // Opens the file through the level select's custom level button. The
    // mouse is still down after this: the level select's frame has run and
    // the custom level is current, its first frame still to come.
    void ChooseFile(const std::string& path) {
        Screen_Switch(LevelSelectScreen);
        Automation_RunFrames(1);
        FileChooser_SetAutomationAnswer(path.c_str(), false);
        Automation_MouseMove(640.0f, 612.0f);
        Automation_MouseDown(TS_MOUSE_LEFT);
        Automation_RunFrames(1);
        ASSERT_STREQ(Screen_CurrentName(), "CustomLevel");
    }
};

TEST_F(CustomLevelTest, TheFirstFrameAfterTheChooserDrawsNothingAndIgnoresInput) {
    const std::string path = WriteLevel("mine.vexl", "E,0,400,0,50,50\n");
    ChooseFile(path);
    EXPECT_STREQ(customPath, path.c_str());
    EXPECT_TRUE(skipFirstFrame);
    ASSERT_EQ(world.phase, PHASE_INTRO);

    Automation_RecordDraws(true);
    Automation_MouseUp(TS_MOUSE_LEFT);
    Automation_KeyDown(kSkip);  // would skip the intro on any other frame
    Automation_RunFrames(1);
    EXPECT_FALSE(skipFirstFrame);
    EXPECT_EQ(world.phase, PHASE_INTRO);
    for (const AutomationDrawCall& call : Automation_DrawCalls()) {
        EXPECT_EQ(call.kind, DRAW_CLEAR);  // nothing of the game is drawn
    }
    Automation_RunFrames(1);  // X is still held, but it went down on the ignored frame
    EXPECT_EQ(world.phase, PHASE_INTRO);
    EXPECT_GT(Automation_DrawCalls().size(), 1u);  // now the game is drawn
    Automation_KeyUp(kSkip);
}

TEST_F(CustomLevelTest, EscapeLeavesYouWinOpenAndPlayAgainReadsTheFileAgain) {
    const std::string path = WriteLevel("mine.vexl", ".20\nE,0,50,0,50,50\n");
    ChooseFile(path);
    Automation_MouseUp(TS_MOUSE_LEFT);
    Automation_RunFrames(1);
    FinishHopLevel();
    EXPECT_FALSE(CampaignResultsOpen());  // the custom level has its own
    ASSERT_TRUE(Open(customWinPopup));
    EXPECT_STREQ(customWinPopup->title, "You Win!");
    EXPECT_STREQ(customWinPopup->buttons[0]->label, "Play Again");
    const int firstScore = world.levelScore;
    EXPECT_GT(firstScore, 250);
    EXPECT_NE(std::strstr(customWinPopup->message, "Time to Beat: 20.00s"), nullptr);

    TapKey(TS_KEY_ESCAPE);
    EXPECT_TRUE(Open(customWinPopup));
    EXPECT_FALSE(Open(pausePopup));

    // The player edits the file meanwhile: the replay starts from the new one.
    WriteText(path, ".20\n%42\nE,0,50,0,50,50\n");
    Press(customWinPopup, 0);
    EXPECT_FALSE(Open(customWinPopup));
    EXPECT_EQ(world.phase, PHASE_INTRO);
    EXPECT_FLOAT_EQ(world.ship.fuel->fuel, 42.0f);

    // Unlike the campaign, the total keeps the earlier win.
    FinishHopLevel();
    EXPECT_EQ(world.totalScore, firstScore + world.levelScore);
    PressAndRunOneFrame(customWinPopup, 1);  // "Exit"
    EXPECT_STREQ(Screen_CurrentName(), "MenuMusic");
}

TEST_F(CustomLevelTest, EscapePausesWithoutDuckingAndClosesThePauseMenuAgain) {
    userConfig.musicVolume = 80;
    ApplyMusicVolume();
    const std::string path = WriteLevel("mine.vexl", "E,0,3000,0,50,50\n");
    ChooseFile(path);
    Automation_MouseUp(TS_MOUSE_LEFT);
    Automation_RunFrames(1);
    SkipIntro();
    Pause();
    EXPECT_FLOAT_EQ(Automation_GroupVolume(1), 0.8f);
    const float clock = world.levelTime;
    Automation_RunFrames(10);
    EXPECT_EQ(world.levelTime, clock);
    TapKey(TS_KEY_ESCAPE);
    EXPECT_FALSE(Open(pausePopup));

    Automation_FocusLost();
    Automation_RunFrames(1);
    EXPECT_TRUE(Open(pausePopup));
    EXPECT_FLOAT_EQ(Automation_GroupVolume(1), 0.0f);
}

TEST_F(CustomLevelTest, StrandedShowsGameOverWhichEscapeLeavesAndTryAgainReadsTheFileAgain) {
    // As in the campaign: the first bump empties the five units of fuel.
    const std::string path = WriteLevel("mine.vexl", "%5\nA,0,-50,0,50,50\nE,0,50,0,50,50\n");
    ChooseFile(path);
    Automation_MouseUp(TS_MOUSE_LEFT);
    Automation_RunFrames(1);
    SkipIntro();
    ASSERT_TRUE(RunUntil([] { return AnyResultsOpen(); }, 10));
    ASSERT_TRUE(Open(customGameOverPopup));
    EXPECT_FALSE(Open(customWinPopup));
    EXPECT_STREQ(customGameOverPopup->title, "Game Over");
    EXPECT_NE(std::strstr(customGameOverPopup->message, "conserve your fuel"), nullptr);
    EXPECT_STREQ(customGameOverPopup->buttons[0]->label, "Try Again");
    EXPECT_STREQ(customGameOverPopup->buttons[1]->label, "Exit");

    TapKey(TS_KEY_ESCAPE);
    EXPECT_TRUE(Open(customGameOverPopup));
    EXPECT_FALSE(Open(pausePopup));

    WriteText(path, "%42\nA,0,-50,0,50,50\nE,0,50,0,50,50\n");
    Press(customGameOverPopup, 0);  // "Try Again"
    EXPECT_FALSE(Open(customGameOverPopup));
    EXPECT_EQ(world.phase, PHASE_INTRO);
    EXPECT_FLOAT_EQ(world.ship.fuel->fuel, 42.0f);
}

TEST_F(CustomLevelTest, HelpFromThePauseMenuHoldsTheLevelAndBackReturnsToThePauseMenu) {
    const std::string path = WriteLevel("mine.vexl", "E,0,3000,0,50,50\n");
    ChooseFile(path);
    Automation_MouseUp(TS_MOUSE_LEFT);
    Automation_RunFrames(1);
    SkipIntro();
    Pause();
    Automation_RecordDraws(true);
    Press(pausePopup, 2);  // "Help"
    EXPECT_TRUE(Help_OverlayOpen());
    EXPECT_NE(TextCall("to Pause the game"), nullptr);
    const float clock = world.levelTime;
    Automation_RunFrames(10);
    EXPECT_EQ(world.levelTime, clock);

    Click(1280.0f * 0.85f, 720.0f * 0.85f);  // "Back"
    EXPECT_FALSE(Help_OverlayOpen());
    EXPECT_TRUE(Open(pausePopup));
    EXPECT_EQ(TextCall("to Pause the game"), nullptr);
}

TEST_F(CustomLevelTest, PlayAgainWhenTheFileIsGoneShowsWhyAndTryAgainPlaysItOnceBack) {
    const std::string path = WriteLevel("mine.vexl", "E,0,50,0,50,50\n");
    ChooseFile(path);
    Automation_MouseUp(TS_MOUSE_LEFT);
    Automation_RunFrames(1);
    FinishHopLevel();
    ASSERT_TRUE(Open(customWinPopup));

    ASSERT_EQ(std::remove(path.c_str()), 0);
    Press(customWinPopup, 0);  // "Play Again"
    ASSERT_TRUE(Open(customLoadFailedPopup));
    EXPECT_STREQ(customLoadFailedPopup->title, "Failed to load level");
    EXPECT_EQ(std::string(customLoadFailedPopup->message),
              path +
                  "\nNo such file or directory\n"
                  "Check that the file can be opened in the level editor.");
    // The World waits, still holding the level it had.
    EXPECT_EQ(world.level.objects, customLevel.objects);
    const float clock = world.levelTime;
    Automation_KeyDown(TS_KEY_SPACE);
    Automation_RunFrames(30);
    Automation_KeyUp(TS_KEY_SPACE);
    EXPECT_EQ(world.levelTime, clock);
    EXPECT_FALSE(Open(customWinPopup));
    EXPECT_FALSE(Open(customGameOverPopup));

    WriteText(path, "%42\nE,0,50,0,50,50\n");
    Press(customLoadFailedPopup, 0);  // "Try Again"
    EXPECT_FALSE(Open(customLoadFailedPopup));
    EXPECT_EQ(world.phase, PHASE_INTRO);
    EXPECT_FLOAT_EQ(world.ship.fuel->fuel, 42.0f);
    FinishHopLevel();
    EXPECT_TRUE(Open(customWinPopup));

    ASSERT_EQ(std::remove(path.c_str()), 0);
    Press(customWinPopup, 0);
    PressAndRunOneFrame(customLoadFailedPopup, 1);  // "Exit"
    EXPECT_STREQ(Screen_CurrentName(), "MenuMusic");
}

}  // namespace
