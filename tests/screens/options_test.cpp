// The options screen: layout, the volume steps and their limits, the scheme
// cycle, the window toggle, saving for the next start, a failed save, and a
// settings file that could not be read.
#include <gtest/gtest.h>

#include <cerrno>

#include "app/config.h"
#include "app/safe_file.h"
#include "app/window.h"
#include "game/game.h"
#include "screens/menu_screens.h"
#include "screens/screen_fixture.h"
#include "support/portable.h"

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
    std::string ConfigPath() const { return SaveFolder() + "user.cfg"; }
    // Clicks the popup button with this label, wherever the popup put it.
    void ClickLabel(const std::string& label) {
        const std::vector<AutomationDrawCall> found = Texts(label);
        ASSERT_EQ(found.size(), 1u) << label;
        Click(found[0].x, found[0].y);
    }
    // A folder where user.cfg should be: it exists and no one can read it as
    // a file, root included.
    void StartWithUnreadableSettings() {
        SavePath probe = {{0}, false};
        ASSERT_TRUE(SavePath_Ensure(&probe, "user.cfg"));
        ASSERT_EQ(mkdir(ConfigPath().c_str(), 0755), 0);
        testing::internal::CaptureStderr();
        Settings_Read();
        testing::internal::GetCapturedStderr();
        ASSERT_EQ(Settings_ReadError(), EISDIR);
    }
    bool ConfigIsStillAFolder() const {
        struct stat info;
        return stat(ConfigPath().c_str(), &info) == 0 && S_ISDIR(info.st_mode);
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
    // toggle, ten more go round the ten buttons and one more reaches SFX "-".
    Automation_MouseMove(1, 1);
    const int d = TS_KEY_D;
    for (int i = 0; i < 12; ++i) TapKey(d);
    userConfig.sfxVolume = 50;
    TapKey(TS_KEY_W);
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

TEST_F(OptionsTest, FailedSaveStaysAndTryAgainSavesAndLeaves) {
    Open(OptionsScreen);
    Click(775, 315);  // SFX 90
    SafeFile_FailNextCommitForTests(ENOSPC);
    Click(1088, 612);  // Back
    EXPECT_EQ(Current(), "Options");
    EXPECT_FALSE(FileExists(ConfigPath()));
    EXPECT_EQ(Texts("Settings Not Saved").size(), 1u);
    EXPECT_EQ(Texts("No space left on device").size(), 1u);
    // While the question is open the screen behind it does not react.
    Click(775, 315);
    EXPECT_EQ(userConfig.sfxVolume, 90);

    // Failing again keeps asking.
    SafeFile_FailNextCommitForTests(EIO);
    ClickLabel("Try Again");
    EXPECT_EQ(Current(), "Options");
    EXPECT_EQ(Texts("Input/output error").size(), 1u);
    ClickLabel("Try Again");
    EXPECT_EQ(Current(), "MainMenu");
    EXPECT_EQ(ReadText(ConfigPath()), "0 90 100 2 ");
}

TEST_F(OptionsTest, LeaveAnywayLeavesWithoutSavingAtAll) {
    Open(OptionsScreen);
    Click(775, 315);  // SFX 90
    SafeFile_FailNextCommitForTests(ENOSPC);
    Click(1088, 612);
    ClickLabel("Leave Anyway");
    EXPECT_EQ(Current(), "MainMenu");
    // Not even behind the player's back as the screen closes.
    EXPECT_FALSE(FileExists(ConfigPath()));
    EXPECT_EQ(userConfig.sfxVolume, 90);  // still in force for this run
}

TEST_F(OptionsTest, QuittingFromOptionsSavesQuietly) {
    Open(OptionsScreen);
    Click(775, 375);  // music 90
    Game_Quit();
    Automation_RunFrames(1);
    TS_Engine_SetNextGameState(nullptr, nullptr, nullptr);  // as the loop ends
    Automation_RunFrames(1);
    EXPECT_EQ(ReadText(ConfigPath()), "0 100 90 2 ");
}

TEST_F(OptionsTest, UnreadableSettingsAreNotedAndLeftAlone) {
    StartWithUnreadableSettings();
    userConfig.fullscreen = false;
    Open(OptionsScreen);
    const std::vector<AutomationDrawCall> first =
        Texts("Your settings file could not be read (Is a directory).");
    const std::vector<AutomationDrawCall> second =
        Texts("Changes made here last until you quit; the file is left as it is.");
    ASSERT_EQ(first.size(), 1u);
    ASSERT_EQ(second.size(), 1u);
    // Both lines fit the window, between the title and the first row.
    for (const AutomationDrawCall* line : {&first[0], &second[0]}) {
        TS_Settings_TextSize(line->textSize);
        const float half = TS_Font_TextWidth(line->text.c_str()) * 0.5f;
        EXPECT_GT(line->x - half, 0.0f);
        EXPECT_LT(line->x + half, 1280.0f);
        EXPECT_GT(line->y - line->textSize * 0.5f, 108.0f + 65.0f * 0.5f);
        EXPECT_LT(line->y + line->textSize * 0.5f, 255.0f - 25.0f);
    }
    Click(775, 315);
    Click(1088, 612);  // Back: no question, the note already told
    EXPECT_EQ(Current(), "MainMenu");
    EXPECT_TRUE(ConfigIsStillAFolder());
    EXPECT_EQ(userConfig.sfxVolume, 90);
}

TEST_F(OptionsTest, ScreenshotsOfTheNoteAndTheQuestion) {
    StartWithUnreadableSettings();
    userConfig.fullscreen = false;
    Open(OptionsScreen);
    Automation_RunFrames(30);
    EXPECT_TRUE(
        Automation_SaveFrame(ScreenshotPath("options_unreadable_settings_1280x720.png").c_str()));
    Click(1088, 612);
    Settings_ResetForTests();
    Open(OptionsScreen);
    SafeFile_FailNextCommitForTests(ENOSPC);
    Click(1088, 612);
    Automation_MouseMove(1, 1);
    Automation_RunFrames(30);
    EXPECT_TRUE(
        Automation_SaveFrame(ScreenshotPath("options_settings_not_saved_1280x720.png").c_str()));
}

TEST_F(OptionsTest, ToggleButtonAndAltEnterSwitchAndRelayout) {
    Open(OptionsScreen);
    Click(920, 255);
    ASSERT_TRUE(Window_IsFullscreen());
    EXPECT_TRUE(userConfig.fullscreen);
    // Full screen on the 1920 x 1080 display is the 1280 x 720 layout
    // stretched: the block stays where it was, in layout units.
    EXPECT_EQ(TS_System_GetWindowPixelWidth(), 1920);
    EXPECT_TRUE(DrewTextAt("Toggle (Alt + Enter)", 920, 255));
    EXPECT_TRUE(DrewTextAt("Back", 1088, 612));
    EXPECT_TRUE(DrewTextAt(">", 1065, 475));
    AltEnter();
    EXPECT_FALSE(Window_IsFullscreen());
    EXPECT_FALSE(userConfig.fullscreen);
    EXPECT_TRUE(DrewTextAt("Back", 1088, 612));
    EXPECT_TRUE(DrewTextAt("<", 775, 475));
}

}  // namespace
