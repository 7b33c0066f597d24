// The menus from the keyboard: Escape is Back on every screen that has one
// and No in a question, Up and Down move between rows (the options' rows, a
// single row of buttons), and in the Arrow scheme Up moves instead of pressing.
#include <gtest/gtest.h>

#include <string>

#include "app/config.h"
#include "app/window.h"
#include "screens/menu_screens.h"
#include "screens/screen_fixture.h"
#include "ui/help_page.h"

namespace {

class MenuKeysTest : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        Open(MainMenuScreen);
    }
    // The key's press and release, and a frame for a screen switch to settle.
    void Press(int key) {
        TapKey(key);
        Automation_RunFrames(1);
    }
};

TEST_F(MenuKeysTest, EscapeIsBackOnOptionsHelpCreditsAndLevelSelect) {
    const GameState* screens[] = {&OptionsScreen, &HelpScreen, &CreditsScreen, &LevelSelectScreen};
    for (const GameState* screen : screens) {
        Help_UseAsScreen();
        Open(*screen);
        const std::string name = Current();
        ASSERT_NE(name, "MainMenu");
        Press(TS_KEY_ESCAPE);
        EXPECT_EQ(Current(), "MainMenu") << name;
    }
}

TEST_F(MenuKeysTest, EscapeAnswersNoToTheQuitQuestionAndTheMainMenuStays) {
    Press(TS_KEY_LEFT);  // shows the selection on "Play"
    Press(TS_KEY_LEFT);  // round to "Quit"
    Press(TS_KEY_ENTER);
    ASSERT_EQ(Texts("Are you sure you want to quit?").size(), 1u);
    Press(TS_KEY_ESCAPE);
    EXPECT_TRUE(Texts("Are you sure you want to quit?").empty());
    EXPECT_EQ(Current(), "MainMenu");
    // The main menu has nothing to go back to: Escape there does nothing.
    Press(TS_KEY_ESCAPE);
    EXPECT_EQ(Current(), "MainMenu");
    EXPECT_TRUE(Texts("Are you sure you want to quit?").empty());
}

TEST_F(MenuKeysTest, UpAndDownWalkAlongTheMainMenuRow) {
    Press(TS_KEY_DOWN);  // "Play"
    for (int i = 0; i < 3; ++i) Press(TS_KEY_DOWN);
    Press(TS_KEY_UP);
    Press(TS_KEY_ENTER);  // the third button
    EXPECT_EQ(Current(), "Options");
}

TEST_F(MenuKeysTest, UpAndDownMoveBetweenTheOptionsRows) {
    Open(OptionsScreen);
    userConfig.sfxVolume = 100;
    userConfig.musicVolume = 100;
    Press(TS_KEY_DOWN);  // the window toggle, the top row
    Press(TS_KEY_UP);    // nothing above: it stays
    Press(TS_KEY_DOWN);  // the sound row's "-", the nearer of its two
    Press(TS_KEY_ENTER);
    EXPECT_EQ(userConfig.sfxVolume, 90);
    Press(TS_KEY_DOWN);  // the music row's "-"
    Press(TS_KEY_ENTER);
    EXPECT_EQ(userConfig.musicVolume, 90);
    Press(TS_KEY_UP);
    Press(TS_KEY_ENTER);
    EXPECT_EQ(userConfig.sfxVolume, 80);
    EXPECT_FALSE(Window_IsFullscreen());
    // Down to the scheme, the ghost and Back, and one more stays on Back.
    for (int i = 0; i < 5; ++i) Press(TS_KEY_DOWN);
    Press(TS_KEY_ENTER);
    EXPECT_EQ(Current(), "MainMenu");
    EXPECT_EQ(ReadText(SaveFolder() + "user.cfg").substr(0, 8), "0 80 90 ");
}

TEST_F(MenuKeysTest, InTheArrowSchemeUpMovesAndDoesNotPress) {
    userConfig.controlScheme = 1;  // Up thrusts in flight
    Press(TS_KEY_DOWN);            // "Play"
    Press(TS_KEY_DOWN);            // "Level Select"
    Press(TS_KEY_UP);              // back to "Play", pressing nothing
    EXPECT_EQ(Current(), "MainMenu");
    Press(TS_KEY_RIGHT);
    Press(TS_KEY_SPACE);
    EXPECT_EQ(Current(), "LevelSelect");
}

}  // namespace
