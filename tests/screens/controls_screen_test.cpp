// The controls screen: reached from the options, a binding chosen with the
// mouse, the keyboard or a pad waits for the new key or button (Escape
// cancels), a taken key swaps, "Reset to Scheme" undoes it all, and the
// choice outlives a restart of the game while user.cfg keeps its numbers.
#include <gtest/gtest.h>

#include <string>

#include "app/bindings.h"
#include "game/game.h"
#include "screens/menu_screens.h"
#include "screens/screen_fixture.h"
#include "support/portable.h"

namespace {

// Where the screen puts its buttons in a 1280 x 720 window.
const float kKeyX = 700.0f;
const float kPadX = 960.0f;
float RowY(int action) { return 218.0f + 46.0f * static_cast<float>(action); }
const float kBottomY = 612.0f;
const float kBackX = 1088.0f;
const float kResetX = 192.0f;
const float kOptionsControlsX = 1190.0f;  // beside the scheme's ">"
const float kOptionsControlsY = 475.0f;

class ControlsScreenTest : public ScreenTest {
protected:
    std::string BindingsPath() const { return SaveFolder() + "controls.cfg"; }
    static void ExpectLabel(const char* label, float x, int action) {
        EXPECT_TRUE(DrewTextAt(label, x, RowY(action))) << label;
    }
};

TEST_F(ControlsScreenTest, OptionsLeadHereAndEveryActionShowsItsKeyAndPadButton) {
    Open(OptionsScreen);
    EXPECT_TRUE(DrewTextAt("Controls", kOptionsControlsX, kOptionsControlsY));
    EXPECT_TRUE(Automation_SaveFrame(ScreenshotPath("options_with_controls.png").c_str()));
    Click(kOptionsControlsX, kOptionsControlsY);
    Automation_RunFrames(1);
    ASSERT_EQ(Current(), "Controls");
    const char* const names[] = {"Thrust", "Turn Left", "Turn Right", "Map View",
                                 "Skip",   "Pause",     "Restart"};
    const char* const keys[] = {"Spacebar", "Left Arrow", "Right Arrow", "M", "X", "Escape", "R"};
    const char* const pads[] = {"A", "Left", "Right", "LB", "X", "Start", "Back"};
    for (int action = 0; action < BINDABLE_ACTION_COUNT; ++action) {
        EXPECT_TRUE(DrewTextAt(names[action], 190.0f, RowY(action))) << names[action];
        ExpectLabel(keys[action], kKeyX, action);
        ExpectLabel(pads[action], kPadX, action);
    }
    EXPECT_TRUE(Automation_SaveFrame(ScreenshotPath("controls.png").c_str()));
    Click(kBackX, kBottomY);
    Automation_RunFrames(1);
    EXPECT_EQ(Current(), "Options");
}

TEST_F(ControlsScreenTest, ACapturedKeySwapsEscapeCancelsAndResetUndoesIt) {
    Open(ControlsScreen);
    Click(kKeyX, RowY(CONTROL_THRUST));
    ExpectLabel("...", kKeyX, CONTROL_THRUST);
    EXPECT_FALSE(Texts("Press the new key for Thrust  (Escape cancels)").empty());
    TapKey(TS_KEY_ESCAPE);
    EXPECT_EQ(Bindings_Key(CONTROL_THRUST), TS_KEY_SPACE);
    EXPECT_EQ(Current(), "Controls") << "Escape cancelled the capture, not the screen";
    ExpectLabel("Spacebar", kKeyX, CONTROL_THRUST);

    // The map's M, given to the thrust: the map takes the Spacebar.
    Click(kKeyX, RowY(CONTROL_THRUST));
    TapKey(TS_KEY_M);
    EXPECT_EQ(Bindings_Key(CONTROL_THRUST), TS_KEY_M);
    EXPECT_EQ(Bindings_Key(CONTROL_MAP), TS_KEY_SPACE);
    ExpectLabel("M", kKeyX, CONTROL_THRUST);
    ExpectLabel("Spacebar", kKeyX, CONTROL_MAP);
    EXPECT_FALSE(Texts("Thrust: M    Map View: Spacebar").empty());
    EXPECT_TRUE(Automation_SaveFrame(ScreenshotPath("controls_swapped.png").c_str()));

    // A key no action may have is passed over; the capture goes on.
    Click(kKeyX, RowY(CONTROL_SKIP));
    TapKey(TS_KEY_F5);
    ExpectLabel("...", kKeyX, CONTROL_SKIP);
    TapKey(TS_KEY_K);
    EXPECT_EQ(Bindings_Key(CONTROL_SKIP), TS_KEY_K);

    Click(kResetX, kBottomY);
    EXPECT_EQ(Bindings_Key(CONTROL_THRUST), TS_KEY_SPACE);
    EXPECT_EQ(Bindings_Key(CONTROL_MAP), TS_KEY_M);
    EXPECT_EQ(Bindings_Key(CONTROL_SKIP), TS_KEY_X);
    ExpectLabel("Spacebar", kKeyX, CONTROL_THRUST);
}

TEST_F(ControlsScreenTest, TheKeyboardAndAPadChooseAndBind) {
    Open(ControlsScreen);
    // Right shows the selection on the first button, then moves along.
    TapKey(TS_KEY_RIGHT);
    TapKey(TS_KEY_RIGHT);  // the thrust's pad button
    TapKey(TS_KEY_ENTER);
    ExpectLabel("...", kPadX, CONTROL_THRUST);
    ASSERT_TRUE(Automation_AttachVirtualPad());
    Automation_RunFrames(1);
    Automation_SetPadButton(TS_PAD_Y, true);
    Automation_RunFrames(1);
    Automation_SetPadButton(TS_PAD_Y, false);
    Automation_RunFrames(1);
    EXPECT_EQ(Bindings_Pad(CONTROL_THRUST), TS_PAD_Y);
    ExpectLabel("Y", kPadX, CONTROL_THRUST);

    // With the pad: right to the left turn's key, A to choose, B cancels.
    Automation_SetPadButton(TS_PAD_RIGHT, true);
    Automation_RunFrames(1);
    Automation_SetPadButton(TS_PAD_RIGHT, false);
    Automation_RunFrames(1);
    Automation_SetPadButton(TS_PAD_A, true);
    Automation_RunFrames(1);
    Automation_SetPadButton(TS_PAD_A, false);
    Automation_RunFrames(1);
    ExpectLabel("...", kKeyX, CONTROL_TURN_LEFT);
    Automation_SetPadButton(TS_PAD_B, true);
    Automation_RunFrames(1);
    Automation_SetPadButton(TS_PAD_B, false);
    Automation_RunFrames(1);
    ExpectLabel("Left Arrow", kKeyX, CONTROL_TURN_LEFT);
    EXPECT_EQ(Current(), "Controls");
    Automation_DetachVirtualPad();
    Automation_RunFrames(1);
}

TEST_F(ControlsScreenTest, BoundKeysOutliveARestartAndUserCfgKeepsItsFourNumbers) {
    Open(OptionsScreen);
    Click(kOptionsControlsX, kOptionsControlsY);
    Automation_RunFrames(1);
    ASSERT_EQ(Current(), "Controls");
    Click(kKeyX, RowY(CONTROL_TURN_LEFT));
    TapKey(TS_KEY_A);
    Click(kBackX, kBottomY);
    Automation_RunFrames(1);
    ASSERT_EQ(Current(), "Options");
    Click(kBackX, kBottomY);
    Automation_RunFrames(1);
    ASSERT_EQ(Current(), "MainMenu");
    EXPECT_EQ(ReadText(SaveFolder() + "user.cfg"), "0 100 100 2 ");
    EXPECT_NE(ReadText(BindingsPath()).find("left 65 10\n"), std::string::npos);

    // A new run of the program: scheme keys in memory, then start-up reads.
    Bindings_ResetForTests();
    EXPECT_EQ(Bindings_Key(CONTROL_TURN_LEFT), TS_KEY_LEFT);
    Game_Start();
    Automation_RunFrames(1);
    EXPECT_EQ(Bindings_Key(CONTROL_TURN_LEFT), TS_KEY_A);
}

TEST_F(ControlsScreenTest, ChangingTheSchemeInTheOptionsGivesItsKeys) {
    ASSERT_TRUE(Bindings_SetKey(CONTROL_THRUST, TS_KEY_K));
    ASSERT_TRUE(Bindings_SetPad(CONTROL_THRUST, TS_PAD_Y));
    Open(OptionsScreen);
    const auto scheme = Texts("ArrowSpace");
    ASSERT_EQ(scheme.size(), 1u);
    Click(scheme[0].x + 140.0f, scheme[0].y);  // ">"
    EXPECT_EQ(userConfig.controlScheme, 3);
    EXPECT_EQ(Bindings_Key(CONTROL_THRUST), TS_KEY_SPACE);  // Hybrid's
    EXPECT_EQ(Bindings_Key(CONTROL_TURN_LEFT), TS_KEY_A);
    EXPECT_EQ(Bindings_Pad(CONTROL_THRUST), TS_PAD_Y) << "the pad is no scheme's";
}

TEST_F(ControlsScreenTest, AnUnreadableFileIsNamedAndLeftAlone) {
    SavePath probe = {{0}, false};
    ASSERT_TRUE(SavePath_Ensure(&probe, "controls.cfg"));
    ASSERT_EQ(mkdir(BindingsPath().c_str(), 0700), 0);
    testing::internal::CaptureStderr();
    Bindings_Read();
    testing::internal::GetCapturedStderr();
    Open(ControlsScreen);
    EXPECT_FALSE(Texts("Your controls file could not be read (Is a directory).").empty());
    Click(kKeyX, RowY(CONTROL_THRUST));
    TapKey(TS_KEY_K);
    Click(kBackX, kBottomY);  // leaves: the folder is not replaced, nothing to ask
    Automation_RunFrames(1);
    EXPECT_NE(Current(), "Controls");
    EXPECT_EQ(Bindings_Key(CONTROL_THRUST), TS_KEY_K);
}

}  // namespace
