// The options screen: layout, the volume steps and their limits, the scheme
// cycle, the window toggle, and saving for the next start.
#include <gtest/gtest.h>

#include "app/config.h"
#include "app/game.h"
#include "app/window.h"
#include "screens/screen_fixture.h"

namespace {

class OptionsTest : public ScreenTest {
protected:
    static bool RectAt(float x, float y, float w) {
        for (const AutomationDrawCall& call : Automation_DrawCalls()) {
            if (call.kind == DRAW_RECT && Near(call.x, x) && Near(call.y, y) && Near(call.w, w)) {
                return true;
            }
        }
        return false;
    }
};

TEST_F(OptionsTest, LayoutAt1280x720) {
    Open(OptionsScreen);
    EXPECT_TRUE(DrewTextAt("Toggle (Alt + Enter)", 920, 255));
    EXPECT_TRUE(RectAt(920, 255, 340));  // spans the music "-" to "+"
    EXPECT_TRUE(DrewTextAt("-", 775, 315));
    EXPECT_TRUE(DrewTextAt("+", 1065, 315));
    EXPECT_TRUE(DrewTextAt("-", 775, 375));
    EXPECT_TRUE(DrewTextAt("+", 1065, 375));
    EXPECT_TRUE(DrewTextAt("<", 775, 475));
    EXPECT_TRUE(DrewTextAt(">", 1065, 475));
    EXPECT_TRUE(DrewTextAt("Back", 1088, 612));
    EXPECT_TRUE(DrewTextAt("Options", 640, 108));
    EXPECT_TRUE(DrewTextAt("Fullscreen Mode", 190, 255));
    EXPECT_TRUE(DrewTextAt("Sound Effects Volume", 190, 315));
    EXPECT_TRUE(DrewTextAt("Music Volume", 190, 375));
    EXPECT_TRUE(DrewTextAt("Control Scheme", 190, 475));
    EXPECT_TRUE(DrewTextAt(controlSchemeHelp[2], 190, 515));
    EXPECT_TRUE(DrewTextAt("ArrowSpace", 920, 475));
    EXPECT_TRUE(DrewTextAt("100", 920, 315));
}

TEST_F(OptionsTest, VolumesStepByTenWithinLimitsAndMusicChangesAtOnce) {
    userConfig.sfxVolume = 100;
    userConfig.musicVolume = 0;
    Open(OptionsScreen);
    Click(1065, 315);  // SFX + at 100
    EXPECT_EQ(userConfig.sfxVolume, 100);
    Click(775, 375);  // music - at 0
    EXPECT_EQ(userConfig.musicVolume, 0);
    Click(1065, 375);
    EXPECT_EQ(userConfig.musicVolume, 10);
    EXPECT_FLOAT_EQ(Automation_GroupVolume(0), 0.1f);
    EXPECT_FLOAT_EQ(Automation_GroupVolume(1), 0.1f);
    EXPECT_TRUE(DrewTextAt("10", 920, 375));
    userConfig.sfxVolume = 55;  // as a hand-edited file may hold
    Click(775, 315);
    EXPECT_EQ(userConfig.sfxVolume, 45);
    EXPECT_TRUE(DrewTextAt("45", 920, 315));
    for (int i = 0; i < 6; ++i) Click(775, 315);
    EXPECT_EQ(userConfig.sfxVolume, 0);
}

TEST_F(OptionsTest, SchemesCycleBothWaysAndTheKeysFollow) {
    userConfig.controlScheme = 0;
    Open(OptionsScreen);
    Click(775, 475);
    EXPECT_EQ(userConfig.controlScheme, 3);
    EXPECT_TRUE(DrewTextAt("Hybrid", 920, 475));
    Click(1065, 475);
    EXPECT_EQ(userConfig.controlScheme, 0);
    EXPECT_TRUE(DrewTextAt("WAD", 920, 475));
    // With WAD, D moves the selection and W presses: the first D selects the
    // toggle, eight more go round the eight buttons and one more reaches SFX "-".
    Automation_MouseMove(1, 1);
    const int d = TS_KEY_A + ('D' - 'A');
    for (int i = 0; i < 10; ++i) TapKey(d);
    userConfig.sfxVolume = 50;
    TapKey(TS_KEY_A + ('W' - 'A'));
    EXPECT_EQ(userConfig.sfxVolume, 40);
}

TEST_F(OptionsTest, LeavingSavesAndTheNextStartRestores) {
    Open(OptionsScreen);
    Click(775, 315);   // SFX 90
    Click(775, 315);   // SFX 80
    Click(775, 375);   // music 90
    Click(1065, 475);  // scheme 3
    Click(1088, 612);  // Back
    EXPECT_EQ(Current(), "MainMenu");
    EXPECT_EQ(ReadText(SaveFolder() + "user.cfg"), "0 80 90 3 ");

    // A new run of the program: defaults in memory, then start-up reads the file.
    Settings_ResetForTests();
    EXPECT_EQ(userConfig.sfxVolume, 100);
    Game_Start();
    Automation_RunFrames(1);
    EXPECT_EQ(userConfig.sfxVolume, 80);
    EXPECT_EQ(userConfig.musicVolume, 90);
    EXPECT_EQ(userConfig.controlScheme, 3);
    EXPECT_FALSE(Window_IsFullscreen());
    EXPECT_FLOAT_EQ(Automation_GroupVolume(0), 0.9f);
}

TEST_F(OptionsTest, ToggleButtonAndAltEnterSwitchAndRelayout) {
    Open(OptionsScreen);
    Click(920, 255);
    ASSERT_TRUE(Window_IsFullscreen());
    EXPECT_TRUE(userConfig.fullscreen);
    // The block moves with the centre (960, 540): rows from 540 - 105.
    EXPECT_TRUE(DrewTextAt("Toggle (Alt + Enter)", 1240, 435));
    EXPECT_TRUE(DrewTextAt("Back", 1632, 918));
    EXPECT_TRUE(DrewTextAt(">", 1385, 655));
    AltEnter();
    EXPECT_FALSE(Window_IsFullscreen());
    EXPECT_FALSE(userConfig.fullscreen);
    EXPECT_TRUE(DrewTextAt("Back", 1088, 612));
    EXPECT_TRUE(DrewTextAt("<", 775, 475));
}

}  // namespace
